// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The map of the seas, each measurement beside a baseline taken in the same
// run, on Qt's offscreen platform with a screen of 1920 x 1080; then all of
// it again at 200 % (the bench starts itself again with QT_SCALE_FACTOR=2).
//
//   map_bench [iterations] [--first=N] [--old=OLD_MAP_BENCH] [--only=CASE:KIND]
//             [--no-200]
//
// Method. Every step is timed from the key, click, wheel turn or mouse move
// (QTest events, or the events a test sends, on the real widgets) until the
// map's next paint event has been delivered and the event loop has nothing
// left (QApplication::processEvents), as in click_bench; what is left for the
// event loop after that is done untimed before the next step. Steps and
// their baselines alternate, after the same untimed reset; the report gives
// medians in microseconds, and for the frames of a gesture the 95th
// percentile too.
//
//   first-open  F2 on a form whose map has never been shown, in a fresh
//               process: the land is read and projected and the backdrop
//               drawn. Baseline: the first showing, in a fresh process too,
//               of a plain tool window of the same size beside the form that
//               paints one ready pixmap. N processes of each (--first=N,
//               default 10), alternating; the bench starts itself again for them.
//   first-old   the same first F2, beside the same first F2 of another build's
//               map_bench (--old=PATH, e.g. today's build), their processes
//               alternating with the two above.
//   open        F2 again after Esc: the backdrop is kept. Baseline: the plain
//               picture window shown again.
//   resize      the open map resized, 40 x 20 pixels smaller or back: the
//               backdrop is drawn again at the new size. Baseline: the
//               picture window, resized alike.
//   zoom-frame  a frame while the wheel zooms the map framed for "Тихи":
//               gestures of 8 turns of 60 (a high-resolution wheel) in and
//               4 out about one point, each turn up to the map's repaint;
//               after each gesture the map rests (150 ms) and is drawn
//               sharp, untimed. Baseline, the floor of this way of drawing:
//               a plain tool window of the map's size whose own wheel event
//               takes the transform the map draws its kept land picture with
//               at that turn and paints the same pixmap with it
//               (QPainter::setTransform + drawPixmap), and nothing else.
//   pan-frame   likewise for a drag with the mouse: a press, 12 moves of
//               24 px west (and 6 px up or down), a release.
//   sharp-zoom  Home after a zoom gesture has rested: the framed view drawn
//               sharp anew (land, coast, graticule, the marks laid out for
//               the scale, their names). Baseline: a plain tool window of
//               the map's size whose own Home key draws the same view's land
//               picture anew with the map's own LandPicture and nothing else:
//               the least a sharp frame of a new view costs, so that the
//               ratio is what the map adds to its land.
//   sharp-pan   Home after a drag has rested, likewise.
//   sharp-names Home on the map framed for "Тихи", after a pan with a key
//               has rested: the framed view drawn sharp with its names
//               placed and drawn. Baseline: the same with the names off
//               (seas' and oceans'); the ratio is what the names add to a
//               sharp frame.
//   pick-names  a click on "Тихи" from "Индийски" with the map open and its
//               names on, so that they are planned anew for the pick and the
//               scale. Baseline: the same click with the names off.
//   pick-sea    a click on row 77 "Черно море" from row 76, with the map
//               open, up to the map's repaint. Baseline: the same click on a
//               second form whose map was never opened.
//   pick-ocean  a click on "Тихи" (29 marks) from "Индийски", likewise.
//
// --only=CASE:KIND (KIND map or base; CASE one of the gesture and sharp
// cases) runs the gesture cases alone and, under
//   valgrind --tool=callgrind --collect-atstart=no map_bench 100 --only=zoom-frame:map
// collects the instructions of that side's measured steps alone.
#include "tests/window_driver.h"

#include "map/land_picture.h"
#include "map/sea_map.h"
#include "window/map_window.h"
#include "window/pelagor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QTemporaryFile>
#include <QTest>
#include <QWheelEvent>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

using pelagor::LandPicture;
using pelagor::Pelagor;
using pelagor::SeaMap;
using pelagor::Viewport;
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

// The floor of a frame while the view moves: the kept land picture drawn
// with the transform the map draws it with, taken at each input event.
class FloorWindow : public PictureWindow {
public:
    using PictureWindow::PictureWindow;
    QTransform next;

protected:
    void paintEvent(QPaintEvent * /*event*/) override
    {
        QPainter painter(this);
        painter.setTransform(transform_);
        painter.drawPixmap(0, 0, picture);
    }
    void wheelEvent(QWheelEvent *event) override { take(event); }
    void mouseMoveEvent(QMouseEvent *event) override { take(event); }

private:
    void take(QEvent *event)
    {
        transform_ = next;
        update();
        event->accept();
    }
    QTransform transform_;
};

// The least a sharp frame of a new view costs: the land picture drawn anew
// for the view, under a caption line's height, by the map's own LandPicture.
class LandWindow : public PictureWindow {
public:
    using PictureWindow::PictureWindow;
    LandPicture land;
    Viewport view;
    double top = 0;

protected:
    void paintEvent(QPaintEvent * /*event*/) override
    {
        QPainter painter(this);
        painter.translate(0, top);
        land.draw(painter, view, devicePixelRatioF(), true);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        land.forget();
        update();
        event->accept();
    }
};

void settle()
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    QApplication::processEvents();
}

// Runs the step and the event loop until the counted widget has painted; in
// µs. Under callgrind, `collect` counts the instructions of this alone.
[[gnu::noinline]] double untilPainted(const std::function<void()> &step, PaintCounter &counter,
                                      bool collect = false)
{
    if (collect) {
        CALLGRIND_TOGGLE_COLLECT;
    }
    const int before = counter.paints;
    QElapsedTimer timer;
    timer.start();
    step();
    QApplication::processEvents();
    while (counter.paints == before) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    const qint64 elapsed = timer.nsecsElapsed();
    if (collect) {
        CALLGRIND_TOGGLE_COLLECT;
    }
    return static_cast<double>(elapsed) / 1000.0;
}

double median(std::vector<double> values)
{
    std::ranges::sort(values);
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// The value that 95 % of the samples do not exceed (nearest rank).
double percentile95(std::vector<double> values)
{
    std::ranges::sort(values);
    const auto rank =
        static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(values.size())));
    return values[std::max<std::size_t>(rank, 1) - 1];
}

void report(const char *name, const std::vector<double> &step, const std::vector<double> &base,
            bool withPercentile = false)
{
    if (step.empty() || base.empty()) {
        return;
    }
    const double a = median(step);
    const double b = median(base);
    std::printf("%-14s %10.1f %10.1f %8.2f", name, a, b, b > 0 ? a / b : 0.0);
    if (withPercentile) {
        std::printf(" %10.1f %10.1f %6zu", percentile95(step), percentile95(base), step.size());
    }
    std::printf("\n");
    (void)std::fflush(stdout);
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

// One first showing in a fresh process of the program (this one, or another
// build's map_bench); in µs.
double firstOpenIn(const QString &program, const QString &what)
{
    QProcess process;
    process.start(program, {QStringLiteral("--first-of=") + what});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qFatal("a first showing of the %s by %s failed", qPrintable(what), qPrintable(program));
    }
    return process.readAllStandardOutput().trimmed().toDouble();
}

// The transform the map draws its kept land picture with, kept for the view
// `rested`, when it shows `now`; in the map's widget, under its caption line.
QTransform movedTransform(const Viewport &rested, const Viewport &now, double top)
{
    Viewport kept = rested;
    kept.centreOn(now.nearestCopy(kept.centre()), kept.scale());
    return kept.planeToView().inverted() * now.planeToView() * QTransform::fromTranslate(0, top);
}

// A zoom or a drag: frames while it goes on, each beside the floor, and
// after it has rested Home to the framed view, beside the land alone.
struct Gesture {
    const char *frameName;
    const char *sharpName;
    int frames;
    // Before the first frame and after the last, untimed.
    std::function<void(QWidget &)> begin;
    std::function<void(QWidget &)> end;
    // The input of frame k, sent to the map or the floor.
    std::function<void(QWidget &, int)> frame;
};

struct Windows {
    SeaMap &map;
    FloorWindow &floor;
    LandWindow &land;
    PaintCounter &mapPaints;
    PaintCounter &floorPaints;
    PaintCounter &landPaints;
};

void measureGesture(const Gesture &gesture, Windows &w, int gestures, int warmup,
                    const QString &only)
{
    const auto collect = [&only](const char *name, const char *kind) {
        return only == QString::fromLatin1(name) + QLatin1Char(':') + QLatin1String(kind);
    };
    const bool frameMap = collect(gesture.frameName, "map");
    const bool frameBase = collect(gesture.frameName, "base");
    const bool sharpMap = collect(gesture.sharpName, "map");
    const bool sharpBase = collect(gesture.sharpName, "base");
    std::vector<double> frames;
    std::vector<double> floors;
    std::vector<double> sharps;
    std::vector<double> lands;
    int rested = 0;
    const Viewport framed = w.map.framedViewport();
    for (int g = 0; g < warmup + gestures; ++g) {
        gesture.begin(w.map);
        settle();
        for (int k = 0; k < gesture.frames; ++k) {
            const int before = w.mapPaints.paints;
            const double a = untilPainted([&] { gesture.frame(w.map, k); }, w.mapPaints, frameMap);
            w.floor.next = movedTransform(framed, w.map.viewport(), w.map.captionHeight());
            settle();
            const double b =
                untilPainted([&] { gesture.frame(w.floor, k); }, w.floorPaints, frameBase);
            settle();
            // A frame is the map's one paint of it; another means the
            // machine stalled past the rest and the map was drawn sharp.
            if (w.mapPaints.paints != before + 1) {
                ++rested;
            } else if (g >= warmup) {
                frames.push_back(a);
                floors.push_back(b);
            }
        }
        gesture.end(w.map);
        // The rest, and the sharp frame it brings.
        QTest::qWait(300);
        settle();
        w.land.view = framed;
        const double a =
            untilPainted([&] { QTest::keyClick(&w.map, Qt::Key_Home); }, w.mapPaints, sharpMap);
        settle();
        const double b =
            untilPainted([&] { QTest::keyClick(&w.land, Qt::Key_Home); }, w.landPaints, sharpBase);
        settle();
        if (w.map.viewport() != framed) {
            qFatal("Home did not bring back the framed view");
        }
        if (g >= warmup) {
            sharps.push_back(a);
            lands.push_back(b);
        }
    }
    report(gesture.frameName, frames, floors, true);
    report(gesture.sharpName, sharps, lands);
    if (rested > 0) {
        std::printf("  (%d frames left out: the map rested and was drawn sharp between them)\n",
                    rested);
    }
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
    QString old;
    QString only;
    bool again = true;
    const QStringList arguments = QApplication::arguments().mid(1);
    for (const QString &arg : arguments) {
        if (arg.startsWith(QStringLiteral("--first-of="))) {
            return firstOpen(arg.mid(11));
        }
        if (arg.startsWith(QStringLiteral("--first="))) {
            firstRuns = std::max(1, arg.mid(8).toInt());
        } else if (arg.startsWith(QStringLiteral("--old="))) {
            old = arg.mid(6);
        } else if (arg.startsWith(QStringLiteral("--only="))) {
            only = arg.mid(7);
        } else if (arg == QStringLiteral("--no-200")) {
            again = false;
        } else {
            iterations = std::max(1, arg.toInt());
        }
    }
    const int warmup = std::max(5, iterations / 10);
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR") || !only.isEmpty()) {
        again = false;
    }

    std::printf("%-14s %10s %10s %8s %10s %10s %6s\n", "case", "map_us", "base_us", "ratio",
                "map_p95", "base_p95", "n");
    const bool everything = only.isEmpty();
    if (everything) {
        const QString self = QApplication::applicationFilePath();
        std::vector<double> firstMap;
        std::vector<double> firstOld;
        std::vector<double> firstPicture;
        for (int run = 0; run < firstRuns; ++run) {
            firstMap.push_back(firstOpenIn(self, QStringLiteral("map")));
            if (!old.isEmpty()) {
                firstOld.push_back(firstOpenIn(old, QStringLiteral("map")));
            }
            firstPicture.push_back(firstOpenIn(self, QStringLiteral("picture")));
        }
        report("first-open", firstMap, firstPicture);
        report("first-old", firstMap, firstOld);
    }

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

    if (everything) {
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
    if (everything) {
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

    {
        // The gestures on the map framed for "Тихи", beside windows of the
        // map's size at its place.
        clickOption(form, 3);
        settle();
        const Viewport framed = map.framedViewport();
        const qreal ratio = map.devicePixelRatioF();
        FloorWindow floor(&form);
        LandWindow land(&form);
        floor.resize(map.size());
        land.resize(map.size());
        floor.move(form.mapWindow()->pos());
        land.move(form.mapWindow()->pos());
        land.top = map.captionHeight();
        land.view = framed;
        // The kept picture of the framed view, as the map keeps it.
        floor.picture = QPixmap(static_cast<int>(std::ceil(framed.size().width() * ratio)),
                                static_cast<int>(std::ceil(framed.size().height() * ratio)));
        floor.picture.setDevicePixelRatio(ratio);
        {
            QPainter painter(&floor.picture);
            land.land.draw(painter, framed, ratio, true);
        }
        floor.show();
        land.show();
        if (!QTest::qWaitForWindowExposed(&floor) || !QTest::qWaitForWindowExposed(&land)) {
            qFatal("the baseline windows were not exposed");
        }
        settle();
        PaintCounter floorPaints;
        PaintCounter landPaints;
        floor.installEventFilter(&floorPaints);
        land.installEventFilter(&landPaints);
        Windows windows{map, floor, land, mapPaints, floorPaints, landPaints};

        const QPointF cursor(map.width() * 0.6, map.height() * 0.55);
        const auto none = [](QWidget & /*widget*/) {};
        const Gesture zoom{
            "zoom-frame", "sharp-zoom", 12, none, none, [cursor](QWidget &widget, int k) {
                QWheelEvent turn(cursor, widget.mapToGlobal(cursor), {},
                                 QPoint(0, k < 8 ? 60 : -60), Qt::NoButton, Qt::NoModifier,
                                 Qt::NoScrollPhase, false);
                QApplication::sendEvent(&widget, &turn);
            }};
        const QPointF start(map.width() * 0.7, map.height() * 0.55);
        const auto dragAt = [start](int k) {
            return start + QPointF(-24.0 * (k + 1), k % 2 == 0 ? -6.0 : 0.0);
        };
        const Gesture pan{"pan-frame",
                          "sharp-pan",
                          12,
                          [start](QWidget &widget) {
                              QTest::mousePress(&widget, Qt::LeftButton, {}, start.toPoint());
                          },
                          [dragAt](QWidget &widget) {
                              QTest::mouseRelease(&widget, Qt::LeftButton, {},
                                                  dragAt(11).toPoint());
                          },
                          [dragAt](QWidget &widget, int k) {
                              const QPointF at = dragAt(k);
                              QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at),
                                               Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
                              QApplication::sendEvent(&widget, &move);
                          }};
        const int gestures = std::max(10, iterations / 5);
        measureGesture(zoom, windows, gestures, 2, only);
        measureGesture(pan, windows, gestures, 2, only);
    }

    if (everything) {
        // The view framed for "Тихи" drawn sharp with every name placed,
        // beside the same view drawn sharp without a name: Home after a
        // key's pan has rested, the names on, then off.
        clickOption(form, 3);
        settle();
        const auto names = [&map](bool shown) {
            map.setNamesHidden(!shown);
            map.setOceanNamesHidden(!shown);
        };
        const auto home = [&map, &mapPaints](bool shown) {
            QTest::keyClick(&map, Qt::Key_Left);
            QTest::qWait(300);
            settle();
            const double us = untilPainted(
                [&map, shown] {
                    map.setNamesHidden(!shown);
                    map.setOceanNamesHidden(!shown);
                    QTest::keyClick(&map, Qt::Key_Home);
                },
                mapPaints);
            settle();
            return us;
        };
        std::vector<double> named;
        std::vector<double> bare;
        for (int i = 0; i < warmup + iterations; ++i) {
            const double a = home(true);
            const double b = home(false);
            if (i >= warmup) {
                named.push_back(a);
                bare.push_back(b);
            }
        }
        report("sharp-names", named, bare);
        // An ocean's click ("Тихи" from "Индийски"), the names planned for
        // the new pick and scale, beside the same click with no names.
        std::vector<double> pickNamed;
        std::vector<double> pickBare;
        for (int i = 0; i < warmup + iterations; ++i) {
            for (const bool shown : {true, false}) {
                names(shown);
                clickOption(form, 1);
                settle();
                const double us = untilPainted([&] { clickOption(form, 3); }, mapPaints);
                settle();
                if (i >= warmup) {
                    (shown ? pickNamed : pickBare).push_back(us);
                }
            }
        }
        names(true);
        report("pick-names", pickNamed, pickBare);
    }

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
        if (!everything) {
            break;
        }
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
    const bool same = !everything || form.Text() == plain.Text();
    std::printf(
        "%d measured iterations each after %d warm-up; gestures: %d of 12 frames each "
        "after 2 warm-up; first-open: %d processes each; microseconds, medians; at %.0f %%\n",
        iterations, warmup, std::max(10, iterations / 5), firstRuns, map.devicePixelRatioF() * 100);
    (void)std::fflush(stdout);

    if (again) {
        // All of it again at 200 %, in a process of its own.
        std::printf("\n");
        (void)std::fflush(stdout);
        QProcess scaled;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
        scaled.setProcessEnvironment(environment);
        scaled.setProcessChannelMode(QProcess::ForwardedChannels);
        scaled.start(QApplication::applicationFilePath(), arguments);
        if (!scaled.waitForFinished(-1) || scaled.exitCode() != 0) {
            return 1;
        }
    }
    return same ? 0 : 1;
}
