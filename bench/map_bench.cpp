// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The map of the seas, each measurement beside a baseline taken in the same
// run, on Qt's offscreen platform with a screen of 1920 x 1080.
//
//   map_bench [iterations] [--first=N]
//
// Method. Every step is timed from the key or click (QTest events on the real
// widgets) until the map's next paint event has been delivered and the
// event loop has nothing left (QApplication::processEvents), as in
// click_bench; what is left for the event loop after that is done untimed
// before the next step. Steps and their baselines alternate, after the same
// untimed reset; the report gives medians in microseconds.
//
//   first-open  F2 on a form whose map has never been shown, in a fresh
//               process: the land is read and projected and the backdrop
//               drawn. Baseline: the first showing, in a fresh process too,
//               of a plain tool window of the same size beside the form that
//               paints one ready pixmap. N processes of each (--first=N,
//               default 10), alternating; the bench starts itself again for them.
//   open        F2 again after Esc: the backdrop is kept. Baseline: the plain
//               picture window shown again.
//   resize      the open map resized, 40 x 20 pixels smaller or back: the
//               backdrop is drawn again at the new size. Baseline: the
//               picture window, resized alike.
//   pick-sea    a click on row 77 "Черно море" from row 76, with the map
//               open, up to the map's repaint. Baseline: the same click on a
//               second form whose map was never opened.
//   pick-ocean  a click on "Тихи" (29 marks) from "Индийски", likewise.
#include "tests/window_driver.h"

#include "map/sea_map.h"
#include "window/map_window.h"
#include "window/pelagor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QTemporaryFile>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using pelagor::Pelagor;
using pelagor::SeaMap;
using namespace pelagor::test;

namespace {

// Counts the paint events of one widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

// The least a tool window that shows a picture beside the form does. Like
// the map, it hands the activation back to the form where the platform gives
// it to every window shown (the offscreen platform does).
class PictureWindow : public QWidget {
public:
    explicit PictureWindow(QWidget *form) : QWidget(form, Qt::Tool), form_(form)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    QPixmap picture;

protected:
    void paintEvent(QPaintEvent * /*event*/) override { QPainter(this).drawPixmap(0, 0, picture); }
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate) {
            form_->activateWindow();
        }
        return QWidget::event(event);
    }

private:
    QWidget *form_;
};

void settle()
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    QApplication::processEvents();
}

// Runs the step and the event loop until the counted widget has painted; in µs.
double untilPainted(const std::function<void()> &step, PaintCounter &counter)
{
    const int before = counter.paints;
    QElapsedTimer timer;
    timer.start();
    step();
    QApplication::processEvents();
    while (counter.paints == before) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1000.0;
}

double median(std::vector<double> values)
{
    std::ranges::sort(values);
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

void report(const char *name, const std::vector<double> &step, const std::vector<double> &base)
{
    const double a = median(step);
    const double b = median(base);
    std::printf("%-14s %10.1f %10.1f %8.2f\n", name, a, b, b > 0 ? a / b : 0.0);
}

Pelagor &shownForm(Pelagor &form)
{
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        qFatal("the window was not exposed");
    }
    return form;
}

// One first showing in this process: of the map ("map") or of the picture
// window ("picture"); prints the microseconds.
int firstOpen(const QString &what)
{
    Pelagor form;
    shownForm(form);
    settle();
    PaintCounter counter;
    double us = 0;
    if (what == QStringLiteral("map")) {
        // The map is made by the first F2; its paints are counted from then on.
        us = untilPainted(
            [&form, &counter] {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
                form.seaMap()->installEventFilter(&counter);
            },
            counter);
        if (counter.paints == 0) {
            return 1;
        }
    } else {
        PictureWindow picture(&form);
        picture.picture = QPixmap(745, 421);
        picture.picture.fill(Qt::white);
        picture.resize(745, 421);
        picture.move(form.frameGeometry().topRight());
        picture.installEventFilter(&counter);
        us = untilPainted([&picture] { picture.show(); }, counter);
    }
    std::printf("%.1f\n", us);
    return 0;
}

std::vector<double> firstOpens(const QString &what, int runs)
{
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        process.start(QApplication::applicationFilePath(), {QStringLiteral("--first-of=") + what});
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            qFatal("a first showing of the %s failed", qPrintable(what));
        }
        samples.push_back(process.readAllStandardOutput().trimmed().toDouble());
    }
    return samples;
}

} // namespace

int main(int argc, char *argv[])
{
    // Offscreen, on a screen of 1920 x 1080, where the map opens at its full
    // size beside the form (the platform's own screen is 800 x 600).
    QTemporaryFile screens;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        if (!screens.open() ||
            screens.write(
                R"({"screens": [{"name": "wide", "x": 0, "y": 0, "width": 1920, )"
                R"("height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0) {
            qFatal("cannot write the screen's settings");
        }
        screens.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    }
    const QApplication app(argc, argv);
    int iterations = 200;
    int firstRuns = 10;
    for (const QString &arg : QApplication::arguments().mid(1)) {
        if (arg.startsWith(QStringLiteral("--first-of="))) {
            return firstOpen(arg.mid(11));
        }
        if (arg.startsWith(QStringLiteral("--first="))) {
            firstRuns = std::max(1, arg.mid(8).toInt());
        } else {
            iterations = std::max(1, arg.toInt());
        }
    }
    const int warmup = std::max(5, iterations / 10);

    std::printf("%-14s %10s %10s %8s\n", "case", "map_us", "base_us", "ratio");
    std::vector<double> firstMap;
    std::vector<double> firstPicture;
    for (int run = 0; run < firstRuns; ++run) {
        const std::vector<double> map = firstOpens(QStringLiteral("map"), 1);
        const std::vector<double> picture = firstOpens(QStringLiteral("picture"), 1);
        firstMap.insert(firstMap.end(), map.begin(), map.end());
        firstPicture.insert(firstPicture.end(), picture.begin(), picture.end());
    }
    report("first-open", firstMap, firstPicture);

    Pelagor form;
    Pelagor plain;
    shownForm(form);
    shownForm(plain);
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) {
        qFatal("the form is not active");
    }
    QTest::keyClick(form.focusWidget(), Qt::Key_F2);
    settle();
    SeaMap &map = *form.seaMap();
    PictureWindow picture(&form);
    picture.picture = map.grab();
    picture.resize(map.size());
    picture.move(form.mapWindow()->pos());
    PaintCounter mapPaints;
    PaintCounter picturePaints;
    PaintCounter plainPaints;
    map.installEventFilter(&mapPaints);
    picture.installEventFilter(&picturePaints);
    plain.installEventFilter(&plainPaints);
    for (QWidget *child : plain.findChildren<QWidget *>()) {
        child->installEventFilter(&plainPaints);
    }

    {
        std::vector<double> opens;
        std::vector<double> bases;
        for (int i = 0; i < warmup + iterations; ++i) {
            form.mapWindow()->close();
            picture.hide();
            // The offscreen platform activates every window it shows; F2
            // belongs to the form.
            form.activateWindow();
            if (!QTest::qWaitForWindowActive(&form)) {
                qFatal("the form is not active");
            }
            settle();
            const double open = untilPainted(
                [&form] { QTest::keyClick(form.focusWidget(), Qt::Key_F2); }, mapPaints);
            settle();
            const double base = untilPainted([&picture] { picture.show(); }, picturePaints);
            settle();
            if (i >= warmup) {
                opens.push_back(open);
                bases.push_back(base);
            }
        }
        report("open", opens, bases);
    }
    {
        const QSize sizes[] = {map.size() - QSize(40, 20), map.size()};
        std::vector<double> resizes;
        std::vector<double> bases;
        for (int i = 0; i < warmup + iterations; ++i) {
            const QSize size = sizes[i % 2];
            const double resize =
                untilPainted([&form, size] { form.mapWindow()->resize(size); }, mapPaints);
            settle();
            const double base =
                untilPainted([&picture, size] { picture.resize(size); }, picturePaints);
            settle();
            if (i >= warmup) {
                resizes.push_back(resize);
                bases.push_back(base);
            }
        }
        report("resize", resizes, bases);
    }
    picture.hide();

    struct Pick {
        const char *name;
        std::function<void(Pelagor &)> reset;
        std::function<void(Pelagor &)> click;
    };
    const Pick picks[] = {
        {"pick-sea", [](Pelagor &w) { seaList(w)->setCurrentRow(76); },
         [](Pelagor &w) { clickSea(w, 77); }},
        {"pick-ocean", [](Pelagor &w) { clickOption(w, 1); },
         [](Pelagor &w) { clickOption(w, 3); }},
    };
    for (const Pick &pick : picks) {
        std::vector<double> withMap;
        std::vector<double> without;
        for (int i = 0; i < warmup + iterations; ++i) {
            pick.reset(form);
            pick.reset(plain);
            settle();
            const double a = untilPainted([&] { pick.click(form); }, mapPaints);
            settle();
            const double b = untilPainted([&] { pick.click(plain); }, plainPaints);
            settle();
            if (i >= warmup) {
                withMap.push_back(a);
                without.push_back(b);
            }
        }
        report(pick.name, withMap, without);
    }
    const bool same = form.Text() == plain.Text();
    std::printf("%d measured iterations each after %d warm-up; first-open: %d processes each; "
                "microseconds, medians\n",
                iterations, warmup, firstRuns);
    return same ? 0 : 1;
}
