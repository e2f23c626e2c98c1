// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Clicks through the real window, each beside its floor, on Qt's offscreen
// platform.
//
//   click_bench [iterations] [--only=CASE:KIND] [--verbose]
//
// CASE is ocean-tihi, sea-77-again or sea-77-from-76; KIND is click or floor.
// --only runs that one measurement. Under callgrind, only the measured steps
// are counted when it runs with --collect-atstart=no (the step toggles the
// collection itself):
//   valgrind --tool=callgrind --collect-atstart=no click_bench 50 --only=ocean-tihi:floor
// --verbose names the widgets that the last click and the last floor painted.
//
// Method. Two windows pelagor::Pelagor are shown: one is clicked, the other
// shows the same result by the least widget work (the floor). Before every
// measured step both are brought to the same earlier state by the same untimed
// reset, so that every measured step really changes the option, the text (and
// in the last case the selected row):
//
//   ocean-tihi      reset: Option1(1) selected, output = the listing of
//                   "Индийски". Click: a real mouse click (QTest press and
//                   release) on the indicator of Option1(3) "Тихи". Floor:
//                   Option1(3)->setChecked(true), then the final text into
//                   the output box with one setPlainText.
//   sea-77-again    reset: row 77 "Черно море" stays selected, Option1(1)
//                   selected, output = the listing of "Индийски". Click: a
//                   real click on the middle of row 77 (the selected row;
//                   the window answers it like a change of row). Floor:
//                   Option1(0)->setChecked(true) and one setPlainText.
//   sea-77-from-76  reset: row 76 selected, then as above. Click: a real
//                   click on row 77. Floor: the row, the option and the
//                   text: setCurrentRow(77), setChecked and one setPlainText.
//
// The floor window is a Pelagor whose click wiring is cut (every connection
// from its controls to the window), so that selecting a row or an option from
// code makes only the widgets themselves react, not the logic.
//
// Every measured step, click or floor, ends with QApplication::processEvents(),
// which delivers the update requests the step posted and so paints the dirty
// widgets into the backing store and flushes it, as the program's event loop
// would. The paint events each step caused are counted and printed, to show
// that click and floor repaint the same widgets. Click and floor steps
// alternate, so a busy machine slows both alike. Times are wall-clock
// (QElapsedTimer, monotonic); the report gives medians in microseconds.
#include "tests/window_driver.h"

#include "window/pelagor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using pelagor::Pelagor;
using namespace pelagor::test;

namespace {

// Counts the paint events of every widget it watches.
class PaintCounter : public QObject {
public:
    int paints = 0;
    // The widgets painted since the last clear, by class and object name.
    QStringList painted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            painted << QString::fromLatin1(watched->metaObject()->className()) + QLatin1Char(':') +
                           watched->objectName();
        }
        return QObject::eventFilter(watched, event);
    }
};

void watchPaints(QWidget &root, PaintCounter &counter)
{
    root.installEventFilter(&counter);
    for (QWidget *child : root.findChildren<QWidget *>()) {
        child->installEventFilter(&counter);
    }
}

int optionGroupChecked(const Pelagor &window)
{
    for (int n = 0; n < 5; ++n) {
        if (option(window, n)->isChecked()) {
            return n;
        }
    }
    return -1;
}

void settle()
{
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    QApplication::processEvents();
}

struct Case {
    const char *name;
    // Brings a window to the state before the measured step.
    std::function<void(Pelagor &)> reset;
    // The click, on the clicked window.
    std::function<void(Pelagor &)> click;
    // The least widget work that shows the same result, on the floor window.
    std::function<void(Pelagor &)> floor;
};

struct Samples {
    std::vector<double> micros;
    long paints = 0;
};

// The measured step: what a user's click costs, up to the frame on screen.
[[gnu::noinline]] double measuredStep(const std::function<void(Pelagor &)> &step, Pelagor &window)
{
    CALLGRIND_TOGGLE_COLLECT;
    QElapsedTimer timer;
    timer.start();
    step(window);
    QApplication::processEvents();
    const qint64 elapsed = timer.nsecsElapsed();
    CALLGRIND_TOGGLE_COLLECT;
    return static_cast<double>(elapsed) / 1000.0;
}

double median(std::vector<double> values)
{
    std::ranges::sort(values);
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double quantile(std::vector<double> values, double q)
{
    std::ranges::sort(values);
    const auto index = static_cast<std::size_t>(q * static_cast<double>(values.size() - 1));
    return values[index];
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    int iterations = 400;
    QString only;
    bool verbose = false;
    for (const QString &arg : args.mid(1)) {
        if (arg.startsWith(QStringLiteral("--only="))) {
            only = arg.mid(7);
        } else if (arg == QStringLiteral("--verbose")) {
            verbose = true;
        } else {
            iterations = std::max(1, arg.toInt());
        }
    }
    const int warmup = std::max(5, iterations / 10);

    Pelagor clicked;
    Pelagor floored;
    // The floor window must not answer anything with the logic: every
    // connection from its controls to the window itself (the click wiring) is
    // cut; Qt's own connections between its widgets stay.
    for (QObject *control : floored.findChildren<QObject *>()) {
        QObject::disconnect(control, nullptr, &floored, nullptr);
    }
    for (Pelagor *window : {&clicked, &floored}) {
        window->show();
        if (!QTest::qWaitForWindowExposed(window)) {
            qFatal("the window was not exposed");
        }
    }

    // The texts the clicks write, as the box shows them, taken from a real
    // click on a scratch window; the last check below compares the results.
    QString indianText;
    QString tihiText;
    QString blackSeaText;
    {
        Pelagor scratch;
        scratch.show();
        clickOption(scratch, 1);
        indianText = scratch.Text();
        clickOption(scratch, 3);
        tihiText = outputBox(scratch)->toPlainText();
        clickSea(scratch, 77);
        blackSeaText = outputBox(scratch)->toPlainText();
    }
    const auto resetOptionAndText = [&indianText](Pelagor &w) {
        option(w, 1)->setChecked(true);
        w.SetText(indianText);
    };

    const std::vector<Case> cases{
        {"ocean-tihi", resetOptionAndText, [](Pelagor &w) { clickOption(w, 3); },
         [&tihiText](Pelagor &w) {
             option(w, 3)->setChecked(true);
             outputBox(w)->setPlainText(tihiText);
         }},
        {"sea-77-again",
         [&resetOptionAndText](Pelagor &w) {
             if (seaList(w)->currentRow() != 77) {
                 seaList(w)->setCurrentRow(77);
             }
             resetOptionAndText(w);
         },
         [](Pelagor &w) { clickSea(w, 77); },
         [&blackSeaText](Pelagor &w) {
             option(w, 0)->setChecked(true);
             outputBox(w)->setPlainText(blackSeaText);
         }},
        {"sea-77-from-76",
         [&resetOptionAndText](Pelagor &w) {
             seaList(w)->setCurrentRow(76);
             resetOptionAndText(w);
         },
         [](Pelagor &w) { clickSea(w, 77); },
         [&blackSeaText](Pelagor &w) {
             seaList(w)->setCurrentRow(77);
             option(w, 0)->setChecked(true);
             outputBox(w)->setPlainText(blackSeaText);
         }},
    };

    PaintCounter clickPaints;
    PaintCounter floorPaints;
    watchPaints(clicked, clickPaints);
    watchPaints(floored, floorPaints);

    std::printf("%-16s %10s %10s %10s %8s %12s\n", "case", "click_us", "floor_us", "ratio",
                "paints", "(p10-p90 click; floor)");
    bool allSame = true;
    for (const Case &c : cases) {
        const QString name = QString::fromLatin1(c.name);
        const bool runClick = only.isEmpty() || only == name + QStringLiteral(":click");
        const bool runFloor = only.isEmpty() || only == name + QStringLiteral(":floor");
        if (!runClick && !runFloor) {
            continue;
        }
        Samples click;
        Samples floor;
        // One step on one window: reset, settle, then the measured step.
        const auto run = [&c](const std::function<void(Pelagor &)> &step, Pelagor &window,
                              PaintCounter &paints, Samples &samples, bool counted) {
            c.reset(window);
            settle();
            paints.paints = 0;
            paints.painted.clear();
            const double us = measuredStep(step, window);
            if (counted) {
                samples.micros.push_back(us);
                samples.paints += paints.paints;
            }
        };
        for (int i = 0; i < warmup + iterations; ++i) {
            const bool counted = i >= warmup;
            if (runClick) {
                run(c.click, clicked, clickPaints, click, counted);
            }
            if (runFloor) {
                run(c.floor, floored, floorPaints, floor, counted);
            }
        }
        settle();
        // Both windows must show the same result, the clicked one by its logic.
        if (runClick && runFloor) {
            const bool same =
                outputBox(clicked)->toPlainText() == outputBox(floored)->toPlainText() &&
                optionGroupChecked(clicked) == optionGroupChecked(floored) &&
                seaList(clicked)->currentRow() == seaList(floored)->currentRow() &&
                clicked.selection().ClickState() == 0;
            allSame = allSame && same;
            if (!same) {
                std::printf("%s: the click and its floor show different results\n", c.name);
            }
        }
        const double clickMedian = click.micros.empty() ? 0.0 : median(click.micros);
        const double floorMedian = floor.micros.empty() ? 0.0 : median(floor.micros);
        const auto paintsPerStep = [iterations](const Samples &s) {
            return static_cast<double>(s.paints) / iterations;
        };
        std::printf("%-16s %10.1f %10.1f %10.2f %3.0f/%-3.0f  (%.0f-%.0f; %.0f-%.0f)\n", c.name,
                    clickMedian, floorMedian, floorMedian > 0 ? clickMedian / floorMedian : 0.0,
                    paintsPerStep(click), paintsPerStep(floor),
                    click.micros.empty() ? 0 : quantile(click.micros, 0.1),
                    click.micros.empty() ? 0 : quantile(click.micros, 0.9),
                    floor.micros.empty() ? 0 : quantile(floor.micros, 0.1),
                    floor.micros.empty() ? 0 : quantile(floor.micros, 0.9));
        if (verbose) {
            std::printf("    click painted: %s\n    floor painted: %s\n",
                        qPrintable(clickPaints.painted.join(QStringLiteral(", "))),
                        qPrintable(floorPaints.painted.join(QStringLiteral(", "))));
        }
    }
    std::printf("%d measured iterations each after %d warm-up; paints = paint events per step, "
                "click/floor\n",
                iterations, warmup);
    return allSame ? 0 : 1;
}
