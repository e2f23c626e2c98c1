// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/answer_announcer.h"

#include "window/sea_list_box.h"

#include <QAccessible>
#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListWidgetItem>
#include <QMetaObject>
#include <QMouseEvent>
#include <QRadioButton>

#include <algorithm>
#include <utility>

namespace pelagor {

AnswerAnnouncer::AnswerAnnouncer(QWidget *window, QWidget *frame,
                                 std::span<QRadioButton *const> options, SeaListBox *seas)
    : window_(window), frame_(frame), options_(options.begin(), options.end()), seas_(seas)
{
    // An answer handed to a screen reader is taken back once the focus or the
    // list's focus mark leaves the control that carries it, so that coming
    // back later does not read it again.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget * /*old*/, QWidget *now) {
        readerAway_ = false;
        if (spokenControl_ != nullptr && now != spokenControl_) {
            clearSpokenAnswer();
        }
    });
    markedRow_ = seas_->currentIndex().row();
    connect(seas_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                markedRow_ = current.row();
                readerAway_ = false;
                if (spokenControl_ == seas_ && current.row() != spokenRow_) {
                    clearSpokenAnswer();
                }
            });
    // The first arrow in the list selects the row the mark already stands on:
    // the mark does not move, so Qt says nothing of it, and a screen reader
    // would keep its focus on the list, not on the row just picked.
    connect(seas_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (std::exchange(markStays_, false)) {
            noticeFocusOnCurrentRow();
        }
    });
    // The keys that select the marked row, and the mouse: a screen reader
    // moves its focus to the sea row the mouse presses.
    seas_->installEventFilter(this);
    seas_->viewport()->installEventFilter(this);
}

// Qt tells screen readers that the output box's text changed, but they do not
// read changes of a control that does not have the focus, and with the
// keyboard the focus is on an option or on the sea list. So the answer goes
// where the focus is. With Qt 6.8 and later it is handed to the platform's
// own announcement. Before that it becomes the accessible description of the
// control the reader's focus goes to next, and a reader says the description
// of the control its focus moves to. (Qt 6.4 does not pass the new text with
// a change of description, so readers cannot say the change itself.) Where
// the arrow keys move the focus, it moves after the description is set; where
// the focus stays, the reader is taken to the ocean frame, which then carries
// the answer, and back to the control at the next such answer. Line ends
// become pauses.
void AnswerAnnouncer::announce(const QString &answer, QWidget *picked)
{
    answer_ = answer;
    if (!QAccessible::isActive()) {
        return;
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Once the key or click is handled, so that it follows what the reader
    // says of a control the focus moves to, instead of being cut short by it.
    QMetaObject::invokeMethod(
        this,
        [this, picked = QPointer<QWidget>(picked), answer] {
            QWidget *focus = QApplication::focusWidget();
            QWidget *speaker = isInWindow(focus) ? focus : picked.data();
            if (speaker != nullptr) {
                QAccessibleAnnouncementEvent announcement(speaker, answer);
                QAccessible::updateAccessibility(&announcement);
            }
        },
        Qt::QueuedConnection);
#else
    QWidget *focus = QApplication::focusWidget();
    if (picked == seas_ && focus == seas_) {
        // The row picked is the one the focus mark is on, or moves to next.
        const QModelIndexList selected = seas_->selectionModel()->selectedIndexes();
        const int row = selected.isEmpty() ? -1 : selected.first().row();
        if (QGuiApplication::mouseButtons() != Qt::NoButton) {
            // A reader moves its focus to the row the mouse presses, without
            // a word, at a moment of its own; the answer waits for the release.
            setSpokenAnswer(seas_, row, answer);
            answerOnRelease_ = true;
        } else if (seas_->currentRow() == row && !focusNoticeComing()) {
            answerInPlace(seas_, row, answer);
        } else {
            setSpokenAnswer(seas_, row, answer);
        }
    } else if (isOption(focus)) {
        // The option picked has the focus, or the arrow keys move it there next.
        if (picked == focus) {
            answerInPlace(picked, -1, answer);
        } else {
            setSpokenAnswer(picked, -1, answer);
        }
    } else if (focus == seas_) {
        // An ocean picked by a screen reader while the focus is in the list.
        const QModelIndex current = seas_->currentIndex();
        const bool onRow = current.isValid() && seas_->selectionModel()->isSelected(current);
        answerInPlace(seas_, onRow ? current.row() : -1, answer);
    } else if (focus != nullptr && focus == picked && !isInWindow(focus)) {
        // The focused control of another window of the program.
        answerInPlace(picked, -1, answer);
    } else {
        // On the output box the answer is the box's own new text.
        clearSpokenAnswer();
    }
#endif
}

bool AnswerAnnouncer::isInWindow(const QWidget *widget) const
{
    return widget != nullptr && window_->isAncestorOf(widget);
}

bool AnswerAnnouncer::isOption(const QWidget *widget) const
{
    return std::ranges::find(options_, widget) != options_.cend();
}

bool AnswerAnnouncer::focusNoticeComing() const
{
    return markStays_ || seas_->currentIndex().row() != markedRow_;
}

void AnswerAnnouncer::noticeFocusOnCurrentRow()
{
    if (!QAccessible::isActive() || !seas_->hasFocus() || !seas_->currentIndex().isValid()) {
        return;
    }
    QAccessibleEvent focus(seas_, QAccessible::Focus);
    // One column and no hidden rows: the row is the accessible child.
    focus.setChild(seas_->currentIndex().row());
    QAccessible::updateAccessibility(&focus);
}

void AnswerAnnouncer::answerInPlace(QWidget *control, int row, const QString &text)
{
    // Orca, for one, reads the frame's description with it, but not a label's.
    QWidget *away = isInWindow(control) ? frame_ : control->window();
    QWidget *target = readerAway_ ? control : away;
    setSpokenAnswer(target, target == control ? row : -1, text);
    QAccessibleEvent focus(target, QAccessible::Focus);
    if (target == control && row >= 0) {
        focus.setChild(row);
    }
    QAccessible::updateAccessibility(&focus);
    readerAway_ = target == away;
}

bool AnswerAnnouncer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == seas_) {
        if (event->type() == QEvent::KeyPress) {
            markStays_ = seas_->selectsMarkedRow(dynamic_cast<QKeyEvent *>(event));
        }
        return QObject::eventFilter(watched, event);
    }
    const auto *press =
        event->type() == QEvent::MouseButtonPress ? dynamic_cast<QMouseEvent *>(event) : nullptr;
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    // A screen reader moves its own focus to the row the mouse presses; the
    // answer is handed over in the row's description when the button is let
    // go, so the notice Qt would give of the new mark, before the row carries
    // its answer, is left out (until the next event on the list's viewport).
    seas_->leavesOutMarkNotice =
        press != nullptr && press->button() == Qt::LeftButton && QAccessible::isActive();
#endif
    if (press != nullptr) {
        readerAway_ = false;
    } else if (event->type() == QEvent::MouseButtonRelease &&
               std::exchange(answerOnRelease_, false) && spokenControl_ == seas_) {
        answerInPlace(seas_, spokenRow_, answer_);
    }
    return QObject::eventFilter(watched, event);
}

void AnswerAnnouncer::setSpokenAnswer(QWidget *control, int row, const QString &text)
{
    if (control != spokenControl_ || row != spokenRow_) {
        clearSpokenAnswer();
    }
    spokenControl_ = control;
    spokenRow_ = row;
    if (row < 0) {
        // A control with a description of its own (the map's) gets it back
        // when the answer is taken back.
        note_.hand(control, text);
        return;
    }
    seas_->item(row)->setData(Qt::AccessibleDescriptionRole, text);
    QAccessibleEvent changed(seas_, QAccessible::DescriptionChanged);
    changed.setChild(row);
    QAccessible::updateAccessibility(&changed);
}

void AnswerAnnouncer::clearSpokenAnswer()
{
    QWidget *control = std::exchange(spokenControl_, nullptr);
    const int row = std::exchange(spokenRow_, -1);
    if (control == nullptr) {
        return;
    }
    if (row < 0) {
        note_.takeBack();
        return;
    }
    seas_->item(row)->setData(Qt::AccessibleDescriptionRole, QVariant());
    QAccessibleEvent changed(seas_, QAccessible::DescriptionChanged);
    changed.setChild(row);
    QAccessible::updateAccessibility(&changed);
}

} // namespace pelagor
