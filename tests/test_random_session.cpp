// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A long random session against the real window: mouse clicks on options and
// on visible sea rows, arrow keys in the option group, arrow and paging keys
// and typed first letters in the sea list, and scrolling. After every step the
// window must show what a small model of the lesson says it must: the output
// text, the selected option, the selected row and the focused control.
//
// The model knows the seas and their oceans only from the hand-written lists
// in expected_texts.h and applies its own rules for how each action moves the
// selection. Of the toolkit it reads one thing: how many rows fit in the
// list's viewport, which Page Up and Page Down move by.
//
// PELAGOR_SEED and PELAGOR_STEPS choose the session; a failure names the seed,
// the step and the last actions, so that it can be replayed.
#include "expected_texts.h"
#include "seeded_run.h"
#include "window_driver.h"

#include "window/pelagor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QStyleHints>
#include <QTest>

#include <algorithm>
#include <array>
#include <deque>
#include <memory>

using namespace pelagor::test;
using pelagor::Pelagor;

namespace {

constexpr int kOceans = 5;
constexpr int kSeaRows = 82;

struct Sea {
    QString name;
    int ocean;
};

// The sea table: every ocean's seas merged and put in the list's order,
// ascending by character code.
std::vector<Sea> seaTable()
{
    std::vector<Sea> seas;
    for (int ocean = 0; ocean < kOceans; ++ocean) {
        for (const QString &name : seasOfOcean(ocean)) {
            seas.push_back({name, ocean});
        }
    }
    std::ranges::sort(seas, [](const Sea &a, const Sea &b) { return a.name < b.name; });
    return seas;
}

// Where the keyboard focus is: the output box, option n, or the sea list.
enum class Focus { Output, Option, List };

// What the window must show.
struct Model {
    std::vector<Sea> seas = seaTable();
    QString text;
    int checkedOption = -1;
    int selectedRow = -1;
    Focus focus = Focus::Output;
    int focusedOption = -1;

    void oceanClicked(int ocean)
    {
        text = oceanListing(ocean);
        checkedOption = ocean;
        focus = Focus::Option;
        focusedOption = ocean;
    }

    // A row becomes selected, or the selected row is clicked again.
    void seaChosen(int row)
    {
        const Sea &sea = seas.at(static_cast<std::size_t>(row));
        text = seaLookup(sea.name, sea.ocean);
        checkedOption = sea.ocean;
        selectedRow = row;
    }

    // A key moves the list's current row, which is the selected one; a key that
    // would stay on the same row changes nothing.
    void listMovedTo(int row)
    {
        row = std::clamp(row, 0, kSeaRows - 1);
        if (row != selectedRow) {
            seaChosen(row);
        }
    }

    // An arrow moves the focus to the neighbouring option, round from the
    // last to the first and back, and selects it.
    void optionArrow(int step)
    {
        focusedOption = (focusedOption + step + kOceans) % kOceans;
        oceanClicked(focusedOption);
    }

    // A typed letter looks for the next name that starts with it, after the
    // selected row and round to the top; typed on its own, not as part of a
    // word.
    void letterTyped(const QString &letter)
    {
        for (int offset = 1; offset <= kSeaRows; ++offset) {
            const int row = (selectedRow + offset) % kSeaRows;
            if (seas.at(static_cast<std::size_t>(row))
                    .name.startsWith(letter, Qt::CaseInsensitive)) {
                listMovedTo(row);
                return;
            }
        }
    }
};

// First letters of the names, and two that begin no name.
const QString kLetters = QStringLiteral("абвгеийжкмнопсчтфхюяшц");

class Session {
public:
    Session(Pelagor &window, quint32 seed) : window_(window), seed_(seed), random_(seed)
    {
        model_.text = window.Text();
    }

    [[nodiscard]] QString where(int step) const
    {
        QString text = QStringLiteral("seed %1, step %2; last actions:").arg(seed_).arg(step);
        for (const QString &action : log_) {
            text += QStringLiteral("\n  ") + action;
        }
        return text;
    }

    // One random action on the window, and the same on the model.
    void step()
    {
        const int pick = random_.bounded(100);
        if (pick < 20) {
            clickOption(random_.bounded(kOceans));
        } else if (pick < 25) {
            if (model_.checkedOption >= 0) {
                clickOption(model_.checkedOption);
            } else {
                clickOption(random_.bounded(kOceans));
            }
        } else if (pick < 45) {
            clickVisibleRow();
        } else if (pick < 55) {
            optionKey();
        } else if (pick < 80) {
            listKey();
        } else if (pick < 92) {
            typeLetter();
        } else {
            scroll();
        }
    }

    // Compares the window with the model; empty when they agree.
    [[nodiscard]] QString mismatch() const
    {
        QString found;
        const auto differ = [&found](const QString &what, const QString &shown,
                                     const QString &expected) {
            const auto visible = [](QString text) {
                return text.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
            };
            found += QStringLiteral("%1: shows \"%2\", expected \"%3\"\n")
                         .arg(what, visible(shown), visible(expected));
        };
        if (window_.Text() != model_.text) {
            differ(QStringLiteral("text"), window_.Text(), model_.text);
        }
        const QString displayed =
            QString(model_.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (outputBox(window_)->toPlainText() != displayed) {
            differ(QStringLiteral("output box"), outputBox(window_)->toPlainText(), displayed);
        }
        int checked = -1;
        for (int n = 0; n < kOceans; ++n) {
            if (option(window_, n)->isChecked()) {
                checked = checked == -1 ? n : -2;
            }
        }
        if (checked != model_.checkedOption) {
            differ(QStringLiteral("checked option"), QString::number(checked),
                   QString::number(model_.checkedOption));
        }
        const QList<QListWidgetItem *> selected = seaList(window_)->selectedItems();
        int row = -2;
        if (selected.isEmpty()) {
            row = -1;
        } else if (selected.size() == 1) {
            row = seaList(window_)->row(selected.first());
        }
        if (row != model_.selectedRow || window_.ListIndex() != model_.selectedRow) {
            differ(QStringLiteral("selected row"), QString::number(row),
                   QString::number(model_.selectedRow));
        }
        if (model_.selectedRow >= 0 && seaList(window_)->currentRow() != model_.selectedRow) {
            differ(QStringLiteral("current row"), QString::number(seaList(window_)->currentRow()),
                   QString::number(model_.selectedRow));
        }
        if (QApplication::focusWidget() != focusedWidget()) {
            differ(QStringLiteral("focus"),
                   QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                               : QStringLiteral("nothing"),
                   focusedWidget()->objectName());
        }
        if (window_.selection().ClickState() != pelagor::Selection::Idle) {
            differ(QStringLiteral("ClickState"), QString::number(window_.selection().ClickState()),
                   QStringLiteral("0"));
        }
        return found;
    }

private:
    void note(const QString &action)
    {
        log_.push_back(action);
        if (log_.size() > 8) {
            log_.pop_front();
        }
    }

    [[nodiscard]] QWidget *focusedWidget() const
    {
        switch (model_.focus) {
        case Focus::Option:
            return option(window_, model_.focusedOption);
        case Focus::List:
            return seaList(window_);
        case Focus::Output:
            break;
        }
        return outputBox(window_);
    }

    // A random point inside the rectangle, kept a pixel off its edges.
    QPoint pointIn(const QRect &rect)
    {
        const QRect inner = rect.adjusted(1, 1, -1, -1);
        return {inner.left() + random_.bounded(inner.width()),
                inner.top() + random_.bounded(inner.height())};
    }

    // A click anywhere inside the option's green area.
    void clickOption(int n)
    {
        QRadioButton *button = option(window_, n);
        const QPoint at = pointIn(button->rect());
        note(QStringLiteral("click option %1 at (%2, %3)").arg(n).arg(at.x()).arg(at.y()));
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
        model_.oceanClicked(n);
    }

    // A click on a row that lies wholly inside the viewport as it is scrolled now.
    void clickVisibleRow()
    {
        QListWidget *list = seaList(window_);
        const QRect viewport = list->viewport()->rect();
        std::vector<int> visible;
        for (int row = 0; row < list->count(); ++row) {
            if (viewport.contains(list->visualItemRect(list->item(row)))) {
                visible.push_back(row);
            }
        }
        const int row = visible.at(random_.bounded(static_cast<quint32>(visible.size())));
        const QPoint at = pointIn(list->visualItemRect(list->item(row)));
        note(QStringLiteral("click row %1 at (%2, %3)").arg(row).arg(at.x()).arg(at.y()));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        model_.seaChosen(row);
        model_.focus = Focus::List;
    }

    // Up, Down, Left or Right on the focused option; when the focus is
    // elsewhere it is first put on an option, as Tab or a click would.
    void optionKey()
    {
        if (model_.focus != Focus::Option) {
            const int n = random_.bounded(kOceans);
            note(QStringLiteral("focus option %1").arg(n));
            option(window_, n)->setFocus(Qt::TabFocusReason);
            model_.focus = Focus::Option;
            model_.focusedOption = n;
        }
        static constexpr std::array keys{Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right};
        const Qt::Key key = keys.at(random_.bounded(static_cast<quint32>(keys.size())));
        note(QStringLiteral("key %1 on option %2")
                 .arg(QKeySequence(key).toString())
                 .arg(model_.focusedOption));
        QTest::keyClick(option(window_, model_.focusedOption), key);
        model_.optionArrow(key == Qt::Key_Up || key == Qt::Key_Left ? -1 : +1);
    }

    // Makes the sea list the focused control before a key is pressed in it:
    // by Tab once a row is selected, by a click on a row before that.
    bool focusList()
    {
        if (model_.focus == Focus::List) {
            return true;
        }
        if (model_.selectedRow < 0) {
            clickVisibleRow();
            return false;
        }
        note(QStringLiteral("focus list"));
        seaList(window_)->setFocus(Qt::TabFocusReason);
        model_.focus = Focus::List;
        return true;
    }

    // Rows that fit wholly in the viewport: the distance Page Up and Page Down
    // move, counting the row they start from.
    [[nodiscard]] int rowsPerPage() const
    {
        QListWidget *list = seaList(window_);
        return list->viewport()->height() / list->visualItemRect(list->item(0)).height();
    }

    void listKey()
    {
        if (!focusList()) {
            return;
        }
        static constexpr std::array keys{Qt::Key_Up,       Qt::Key_Down, Qt::Key_PageUp,
                                         Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        const Qt::Key key = keys.at(random_.bounded(static_cast<quint32>(keys.size())));
        note(QStringLiteral("key %1 in list at row %2")
                 .arg(QKeySequence(key).toString())
                 .arg(model_.selectedRow));
        QTest::keyClick(seaList(window_), key);
        const int row = model_.selectedRow;
        const int page = rowsPerPage() - 1;
        switch (key) {
        case Qt::Key_Up:
            model_.listMovedTo(row - 1);
            break;
        case Qt::Key_Down:
            model_.listMovedTo(row + 1);
            break;
        case Qt::Key_PageUp:
            model_.listMovedTo(row - page);
            break;
        case Qt::Key_PageDown:
            model_.listMovedTo(row + page);
            break;
        case Qt::Key_Home:
            model_.listMovedTo(0);
            break;
        default:
            model_.listMovedTo(kSeaRows - 1);
            break;
        }
    }

    // A lower-case letter as a Bulgarian keyboard sends it. The list joins
    // letters typed within the keyboard input interval into one word; the
    // interval is set to 0, and a letter is never typed in the same
    // millisecond as the one before, so each letter is a search of its own.
    void typeLetter()
    {
        if (!focusList()) {
            return;
        }
        const QString letter = kLetters.at(random_.bounded(static_cast<quint32>(kLetters.size())));
        note(QStringLiteral("type %1 in list at row %2").arg(letter).arg(model_.selectedRow));
        while (sinceLetter_.isValid() && sinceLetter_.elapsed() < 2) {
            QTest::qSleep(1);
        }
        QTest::sendKeyEvent(QTest::Click, seaList(window_),
                            static_cast<Qt::Key>(letter.toUpper().at(0).unicode()), letter,
                            Qt::NoModifier);
        sinceLetter_.start();
        model_.letterTyped(letter);
    }

    // The scroll bar moved: the rows in view change, nothing else does.
    void scroll()
    {
        QScrollBar *bar = seaList(window_)->verticalScrollBar();
        const int value = bar->minimum() + random_.bounded(bar->maximum() - bar->minimum() + 1);
        note(QStringLiteral("scroll to %1").arg(value));
        bar->setValue(value);
    }

    Pelagor &window_;
    quint32 seed_;
    QRandomGenerator random_;
    Model model_;
    std::deque<QString> log_;
    QElapsedTimer sinceLetter_;
};

} // namespace

class TestRandomSession : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QGuiApplication::styleHints()->setKeyboardInputInterval(0); }

    // The model's table is the lesson's: 82 rows in the list's order.
    void modelKnowsTheLessonsRows()
    {
        const std::vector<Sea> seas = seaTable();
        QCOMPARE(seas.size(), std::size_t{kSeaRows});
        QCOMPARE(seas.front().name, QStringLiteral("Адриатическо море"));
        QCOMPARE(seas.at(35).name, QStringLiteral("Море Д`Юрвил"));
        QCOMPARE(seas.at(77).name, QStringLiteral("Черно море"));
        QCOMPARE(seas.at(77).ocean, 0);
        QCOMPARE(seas.back().name, QStringLiteral("Японско море"));
    }

    void randomSession()
    {
        const quint32 seed = pelagor::test::seedFromEnvironment();
        const int steps = pelagor::test::countFromEnvironment("PELAGOR_STEPS", 4000);
        qInfo("seed %u, %d steps (PELAGOR_SEED, PELAGOR_STEPS)", seed, steps);

        const auto window = std::make_unique<Pelagor>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        for (int row = 0; row < kSeaRows; ++row) {
            QCOMPARE(seaList(*window)->item(row)->text(),
                     seaTable().at(static_cast<std::size_t>(row)).name);
        }

        Session session(*window, seed);
        QString found = session.mismatch();
        QVERIFY2(found.isEmpty(), qPrintable(session.where(0) + QLatin1Char('\n') + found));
        for (int step = 1; step <= steps; ++step) {
            session.step();
            found = session.mismatch();
            QVERIFY2(found.isEmpty(), qPrintable(session.where(step) + QLatin1Char('\n') + found));
        }
    }
};

QTEST_MAIN(TestRandomSession)
#include "test_random_session.moc"
