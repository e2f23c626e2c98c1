// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window on a touch screen: a tap picks an ocean or a sea as a click does,
// and a swipe scrolls the sea list or the output box, on past the lifted
// finger, without picking the rows it passes; the mouse still picks rows.
#include "expected_texts.h"
#include "window_driver.h"

#include "window/pelagor.h"

#include <QApplication>
#include <QPointingDevice>
#include <QScrollBar>
#include <QScroller>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace pelagor::test;
using pelagor::Pelagor;

namespace {

enum class Target { Ocean, Sea };

} // namespace

class TestTouch : public QObject {
    Q_OBJECT

private:
    // The widget and the point a finger lands on for ocean or sea n.
    [[nodiscard]] std::pair<QWidget *, QPoint> spot(Target target, int n) const
    {
        if (target == Target::Ocean) {
            QRadioButton *button = option(*window_, n);
            return {button, QPoint(button->width() / 2, button->height() / 2)};
        }
        QListWidget *list = seaList(*window_);
        list->scrollToItem(list->item(n));
        return {list->viewport(), list->visualItemRect(list->item(n)).center()};
    }

    void tapOn(Target target, int n) const
    {
        const auto [widget, at] = spot(target, n);
        QTest::touchEvent(widget, device_.get()).press(0, at);
        QTest::touchEvent(widget, device_.get()).release(0, at);
    }

    [[nodiscard]] QAbstractScrollArea *area(const QString &name) const
    {
        return control<QAbstractScrollArea>(*window_, name);
    }

private slots:
    void init()
    {
        window_ = std::make_unique<Pelagor>();
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void tap_data()
    {
        QTest::addColumn<Target>("target");
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("again");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Тихи") << Target::Ocean << 3 << false << oceanListing(3);
        QTest::newRow("Тихи again") << Target::Ocean << 3 << true << oceanListing(3);
        QTest::newRow("Черно море")
            << Target::Sea << 77 << false << seaLookup(QStringLiteral("Черно море"), 0);
        QTest::newRow("Арабско море again")
            << Target::Sea << 4 << true << seaLookup(QStringLiteral("Арабско море "), 1);
    }

    // A tap answers once, as a click does; on the option or the row that is
    // already selected it answers again.
    void tap()
    {
        QFETCH(Target, target);
        QFETCH(int, n);
        QFETCH(bool, again);
        QFETCH(QString, expected);
        if (again) {
            tapOn(target, n);
            // Waited for by hand: Qt 6.8's QTRY_* pass a long as int, which -Wconversion rejects.
            static_cast<void>(QTest::qWaitFor([&] { return window_->Text() == expected; }));
            QCOMPARE(window_->Text(), expected);
            window_->SetText(QString());
        }
        QSignalSpy answers(outputBox(*window_), &QPlainTextEdit::textChanged);
        tapOn(target, n);
        static_cast<void>(QTest::qWaitFor([&] { return window_->Text() == expected; }));
        QCOMPARE(window_->Text(), expected);
        QCOMPARE(answers.count(), 1);
        if (target == Target::Sea) {
            QCOMPARE(window_->ListIndex(), n);
            QVERIFY(option(*window_, oceanOf(seaList(*window_)->item(n)->text()))->isChecked());
        } else {
            QVERIFY(option(*window_, n)->isChecked());
        }
    }

    void swipe_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("sea list") << QStringLiteral("List1(0)");
        QTest::newRow("output box") << QStringLiteral("Text1(0)");
    }

    // A quick upward swipe scrolls on after the finger lifts, and neither
    // picks a sea nor looks anything up; the mouse then picks as before.
    void swipe()
    {
        QFETCH(QString, control);
        QAbstractScrollArea *scrolled = area(control);
        QWidget *viewport = scrolled->viewport();
        const QScrollBar *bar = scrolled->verticalScrollBar();
        QCOMPARE(bar->value(), 0);
        const QString text = window_->Text();
        QSignalSpy selections(seaList(*window_)->selectionModel(),
                              &QItemSelectionModel::selectionChanged);
        QSignalSpy answers(outputBox(*window_), &QPlainTextEdit::textChanged);

        QPoint at(viewport->width() / 2, viewport->height() - 10);
        QTest::touchEvent(viewport, device_.get()).press(0, at);
        for (int step = 0; step < 8; ++step) {
            QTest::qWait(15);
            at -= QPoint(0, 12);
            QTest::touchEvent(viewport, device_.get()).move(0, at);
        }
        QTest::touchEvent(viewport, device_.get()).release(0, at);
        const int atRelease = bar->value();
        static_cast<void>(QTest::qWaitFor(
            [&] { return QScroller::scroller(viewport)->state() == QScroller::Inactive; }));
        QCOMPARE(QScroller::scroller(viewport)->state(), QScroller::Inactive);
        QVERIFY2(atRelease > 0, "the list did not follow the finger");
        QVERIFY2(bar->value() > atRelease, "the scroll stopped with the finger");

        QCOMPARE(selections.count(), 0);
        QCOMPARE(answers.count(), 0);
        QCOMPARE(window_->Text(), text);
        QCOMPARE(window_->ListIndex(), -1);
        QVERIFY(!outputBox(*window_)->textCursor().hasSelection());

        clickSea(*window_, 81);
        QCOMPARE(window_->Text(), seaLookup(QStringLiteral("Японско море"), 3));
    }

private:
    std::unique_ptr<Pelagor> window_;
    // Qt registers the device and never deletes it; the test does.
    std::unique_ptr<QPointingDevice> device_{
        QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen)};
};

QTEST_MAIN(TestTouch)
#include "test_touch.moc"
