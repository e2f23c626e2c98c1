// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader is handed, recorded in the program itself: for every
// way of picking, the answer reaches the reader once, with the output box's
// exact text, where its focus is (Qt 6.8: an announcement from the focused
// control; before: the description of the control the reader's focus is on
// or moves to), and no control still carries it once the focus has left.
#include "expected_texts.h"
#include "window_driver.h"

#include "catalogue/card_text.h"
#include "map/sea_map.h"
#include "practice/wording.h"
#include "window/answer_announcer.h"
#include "window/pelagor.h"
#include "window/practice_window.h"
#include "window/sea_list_box.h"

#include <QAccessible>
#include <QPointingDevice>
#include <QTest>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <functional>
#include <memory>
#include <span>

using namespace pelagor::test;
using pelagor::Pelagor;

namespace {

// Puts the focus where the pick starts, presses the keys that ready it, and picks.
using Pick = std::function<void()>;

// What the reader was handed, in order, and the object its focus is on.
QStringList handed; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
// The names of the objects the focus moved to.
QStringList focusNames;                // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)
std::pair<QObject *, int> readerFocus; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

// A reader says the description of the object its focus moves to; a notice
// of the focus where it already is goes unsaid. An announcement is said when
// it comes from the control that has the focus.
void hear(QAccessibleEvent *event)
{
    QAccessibleInterface *target = event->accessibleInterface();
    if (event->type() == QAccessible::Focus && target != nullptr) {
        focusNames << target->text(QAccessible::Name);
        const QString description = target->text(QAccessible::Description);
        if (readerFocus != std::pair{event->object(), event->child()} && !description.isEmpty()) {
            handed << description;
        }
        readerFocus = {event->object(), event->child()};
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    const auto *announcement = dynamic_cast<QAccessibleAnnouncementEvent *>(event);
    if (announcement != nullptr && event->object() == QApplication::focusWidget()) {
        handed << announcement->message();
    }
#endif
}

// Whether the accessible object or any under it carries the text as its description.
bool carries(QAccessibleInterface *object, const QString &text)
{
    bool found = object->text(QAccessible::Description) == text;
    for (int n = 0; n < object->childCount() && !found; ++n) {
        found = carries(object->child(n), text);
    }
    return found;
}

QString shown(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

class TestReaderRecord : public QObject {
    Q_OBJECT

private:
    QWidget *widget(const char *name) const { return control<QWidget>(*window_, name); }

    // Focus on the control, the keys before, then the pick itself.
    Pick after(const char *focus, const QList<Qt::Key> &before, const Pick &pick)
    {
        return [this, focus, before, pick] {
            widget(focus)->setFocus(Qt::TabFocusReason);
            for (const Qt::Key key : before) {
                QTest::keyClick(widget(focus), key);
            }
            QCoreApplication::processEvents();
            handed.clear();
            pick();
        };
    }
    Pick key(const char *focus, const QList<Qt::Key> &before, Qt::Key key, const QString &text = {})
    {
        return after(focus, before, [this, focus, key, text] {
            QTest::sendKeyEvent(QTest::Click, widget(focus), key, text, Qt::NoModifier);
        });
    }
    // A finger's tap on the middle of the area.
    void tap(QWidget *target, QRect area) const
    {
        QTest::touchEvent(target, device_.get()).press(0, area.center());
        QTest::touchEvent(target, device_.get()).release(0, area.center());
    }
    // A screen reader's own action on the last option, the focus in the list.
    Pick act(const QString &action)
    {
        return after("List1(0)", {Qt::Key_Down}, [this, action] {
            QAccessible::queryAccessibleInterface(option(*window_, 4))
                ->actionInterface()
                ->doAction(action);
        });
    }
    // A control with the focus in a tool window of the program's own picks the ocean.
    void pickInCompanion()
    {
        companion_ = std::make_unique<QWidget>(window_.get(), Qt::Tool);
        auto *map = new QWidget(companion_.get());
        // A description of its own, as the map has, which it gets back.
        companion_->setAccessibleDescription(QStringLiteral("карта"));
        companion_->show();
        map->setFocus();
        QVERIFY(QTest::qWaitFor([map] { return map->hasFocus(); }));
        handed.clear();
        const QList<QRadioButton *> options = window_->findChildren<QRadioButton *>();
        announcer_ = std::make_unique<pelagor::AnswerAnnouncer>(
            window_.get(), widget("Frame1"), std::span(options),
            dynamic_cast<pelagor::SeaListBox *>(seaList(*window_)));
        announcer_->announce(shown(oceanListing(2)), map);
    }

    // The keyboard in the map after a pick of the ocean, on the first mark of
    // a single sea.
    void intoMap(int ocean)
    {
        clickOption(*window_, ocean);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        pelagor::SeaMap *map = window_->seaMap();
        QVERIFY(QTest::qWaitFor([map] { return QApplication::focusWidget() == map; }));
        for (std::size_t tab = 0; tab <= map->targets().size(); ++tab) {
            QTest::keyClick(map, Qt::Key_Tab);
            if (!map->targets().at(static_cast<std::size_t>(map->focusedTarget())).isGroup()) {
                break;
            }
        }
    }

private slots:
    void initTestCase()
    {
        QAccessible::installUpdateHandler(hear);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QVERIFY(QAccessible::isActive());
    }
    void init()
    {
        readerFocus = {};
        announcer_.reset();
        companion_.reset();
        window_ = std::make_unique<Pelagor>();
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void answer_data()
    {
        QTest::addColumn<Pick>("pick");
        QTest::addColumn<int>("ocean"); // the ocean picked, or -1 for the sea selected
        const char *const first = "Option1(0)";
        const char *const list = "List1(0)";
        const Qt::Key space = Qt::Key_Space;
        const Qt::Key down = Qt::Key_Down;
        QTest::newRow("Space on an option") << key(first, {}, space) << 0;
        QTest::newRow("Down in the options") << key(first, {space}, down) << 1;
        QTest::newRow("Space twice on an option") << key(first, {space}, space) << 0;
        QTest::newRow("first Down in the list") << key(list, {}, down) << -1;
        QTest::newRow("Down in the list") << key(list, {down}, down) << -1;
        QTest::newRow("Page Down in the list") << key(list, {down}, Qt::Key_PageDown) << -1;
        QTest::newRow("End in the list") << key(list, {}, Qt::Key_End) << -1;
        // The key code of a Cyrillic letter is its code point.
        // NOLINTNEXTLINE(clang-analyzer-optin.core.EnumCastOutOfRange)
        const auto che = static_cast<Qt::Key>(u'Ч');
        QTest::newRow("a letter in the list") << key(list, {down}, che, QStringLiteral("ч")) << -1;
        QTest::newRow("mouse on a row")
            << after(list, {down}, [this] { clickSea(*window_, 77); }) << -1;
        QTest::newRow("mouse on an option")
            << after(list, {down}, [this] { clickOption(*window_, 3); }) << 3;
        QTest::newRow("touch on a row") << after(first, {space}, [this] {
            tap(seaList(*window_)->viewport(),
                seaList(*window_)->visualItemRect(seaList(*window_)->item(4)));
        }) << -1;
        QTest::newRow("touch on an option") << after(list, {down}, [this] {
            tap(option(*window_, 2), option(*window_, 2)->rect());
        }) << 2;
        QTest::newRow("reader's toggle") << act(QAccessibleActionInterface::toggleAction()) << 4;
        QTest::newRow("reader's press") << act(QAccessibleActionInterface::pressAction()) << 4;
        QTest::newRow("from a companion window") << Pick([this] { pickInCompanion(); }) << 2;
        QTest::newRow("Enter on a mark of the map") << Pick([this] {
            intoMap(1);
            handed.clear();
            QTest::keyClick(window_->seaMap(), Qt::Key_Return);
        }) << -1;
    }

    void answer()
    {
        QFETCH(Pick, pick);
        QFETCH(int, ocean);
        pick();
        const QListWidgetItem *sea = seaList(*window_)->currentItem();
        const QString answer =
            shown(ocean >= 0 ? oceanListing(ocean) : seaLookup(sea->text(), oceanOf(sea->text())));
        // The reader's press lets go of the option a moment later.
        static_cast<void>(QTest::qWaitFor([&] { return handed.contains(answer); }, 1000));
        QCoreApplication::processEvents();
        QCOMPARE(handed, QStringList{answer});

        // Away to the output box: no control carries the answer any more.
        widget("Text1(0)")->activateWindow();
        widget("Text1(0)")->setFocus(Qt::TabFocusReason);
        QVERIFY(QTest::qWaitFor([this] { return widget("Text1(0)")->hasFocus(); }));
        for (QWidget *top : {static_cast<QWidget *>(window_.get()), companion_.get()}) {
            QVERIFY(top == nullptr || !carries(QAccessible::queryAccessibleInterface(top), answer));
        }
        QVERIFY(!companion_ || companion_->accessibleDescription() == QStringLiteral("карта"));
    }

    // Each target of the map is an accessible child, named after its sea or
    // its seas, placed where it is drawn, described by its position in words;
    // Tab moves the reader's focus to it, and its action picks it.
    void mapMarksInTheTree()
    {
        intoMap(3);
        pelagor::SeaMap *map = window_->seaMap();
        QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(map);
        const std::vector<pelagor::Target> &targets = map->targets();
        const int buttons = tree->childCount() - static_cast<int>(targets.size());
        // Its own three, and the card's.
        QCOMPARE(buttons, 4);
        for (int n = 0; n < buttons; ++n) {
            QVERIFY(!tree->child(n)->text(QAccessible::Name).isEmpty());
            QVERIFY(tree->child(n)->actionInterface() != nullptr);
        }
        const QRect onScreen(map->mapToGlobal(QPoint(0, 0)), map->size());
        for (std::size_t i = 0; i < targets.size(); ++i) {
            QAccessibleInterface *mark = tree->child(buttons + static_cast<int>(i));
            QCOMPARE(mark->text(QAccessible::Name), map->targetName(targets[i]));
            QVERIFY(mark->text(QAccessible::Description).contains(QStringLiteral(" градуса ")));
            QVERIFY(onScreen.contains(mark->rect()));
            QCOMPARE(tree->indexOfChild(mark), buttons + static_cast<int>(i));
        }
        focusNames.clear();
        QTest::keyClick(map, Qt::Key_Tab);
        QTest::keyClick(map, Qt::Key_Tab);
        QTest::keyClick(map, Qt::Key_Backtab);
        const auto focused = static_cast<std::size_t>(map->focusedTarget());
        QCOMPARE(focusNames.size(), 3);
        QCOMPARE(focusNames.last(), map->targetName(map->targets().at(focused)));
        QVERIFY(tree->focusChild()->state().focused);
        QCOMPARE(focusNames.first(), focusNames.last());
        QVERIFY(focusNames.at(1) != focusNames.first());

        // The reader's press on a single sea's mark picks the sea.
        const auto single = std::ranges::find_if(
            map->targets(), [](const pelagor::Target &target) { return !target.isGroup(); });
        const int row = single->rows.front();
        tree->child(buttons + static_cast<int>(single - map->targets().begin()))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(window_->Text(), seaLookup(seaList(*window_)->item(row)->text(), 3));
    }

    // A practice round is heard: its question where the focus goes, the
    // feedback where it goes next (on the right sea's mark for a map
    // question), and the end; while a map question is open no sea is named.
    void practiceIsHeard_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("an ocean question") << int(pelagor::practice::Kind::Ocean);
        QTest::newRow("a map question") << int(pelagor::practice::Kind::Map);
    }
    void practiceIsHeard()
    {
        using namespace pelagor::practice;
        QFETCH(int, kind);
        Setting setting;
        setting.kind = static_cast<Kind>(kind);
        setting.questions = 1;
        handed.clear();
        window_->startPractice(setting, 7);
        pelagor::PracticeWindow *practice = window_->practiceWindow();
        QVERIFY(QTest::qWaitFor(
            [practice] { return practice->isAncestorOf(QApplication::focusWidget()); }));
        const Question asked = practice->round()->question(0);
        // Heard once, on the question itself: the question, then where it stands.
        QCOMPARE(handed.size(), 1);
        QCOMPARE(focusNames.last(), questionText(asked));
        QVERIFY2(handed.first().startsWith(QStringLiteral("Въпрос 1 от 1. ")),
                 qPrintable(handed.first()));
        handed.clear();
        const int wrong =
            asked.asks == Asks::Ocean ? (pelagor::catalogue::oceanOfSea(asked.sea) + 1) % 5 : -1;
        if (asked.asks == Asks::Ocean) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(Qt::Key_1 + wrong));
            QCOMPARE(handed, QStringList{feedbackText(asked, wrong) + u' ' +
                                         pelagor::catalogue::answerAside(asked.sea)});
        } else {
            pelagor::SeaMap *map = practice->map();
            QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(map);
            for (int n = 0; n < tree->childCount(); ++n) {
                for (int row = 0; row < int(pelagor::catalogue::kSeaCount); ++row) {
                    QVERIFY(!tree->child(n)->text(QAccessible::Name).contains(seaName(row)));
                }
            }
            int given = -1;
            while (given < 0 || given == asked.sea) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                const pelagor::Target &mark = map->targets().at(std::size_t(map->focusedTarget()));
                given = mark.isGroup() ? -1 : mark.rows.front();
            }
            for (const QString &said : handed) {
                QVERIFY2(!said.contains(QStringLiteral("море "), Qt::CaseInsensitive),
                         qPrintable(said));
            }
            handed.clear();
            QTest::keyClick(map, Qt::Key_Return);
            QCOMPARE(handed.size(), 1);
            QVERIFY2(handed.first().startsWith(feedbackText(asked, given) +
                                               QStringLiteral(" Тук е: ")) &&
                         handed.first().contains(QStringLiteral(" градуса ")) &&
                         handed.first().endsWith(QStringLiteral(". ") +
                                                 pelagor::catalogue::answerAside(asked.sea)),
                     qPrintable(handed.first()));
        }
        handed.clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(handed.size(), 1);
        QVERIFY(handed.first().startsWith(QStringLiteral("0 от 1 верни")));
        practice->close();
    }

private:
    std::unique_ptr<Pelagor> window_;
    std::unique_ptr<QWidget> companion_;
    std::unique_ptr<pelagor::AnswerAnnouncer> announcer_;
    // Qt registers the device and never deletes it; the test does.
    std::unique_ptr<QPointingDevice> device_{
        QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen)};
};

QTEST_MAIN(TestReaderRecord)
#include "test_reader_record.moc"
