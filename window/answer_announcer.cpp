// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/answer_announcer.h"

#include "window/sea_list_box.h"

#include <QAccessible>
#include <QApplication>
#include <QItemSelectionModel>
#include <QListWidgetItem>
#include <QMetaObject>
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
        readerOnFrame_ = false;
        if (spokenControl_ != nullptr && now != spokenControl_) {
            clearSpokenAnswer();
        }
    });
    connect(seas_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                readerOnFrame_ = false;
                if (spokenControl_ == seas_ && current.row() != spokenRow_) {
                    clearSpokenAnswer();
                }
            });
    // A screen reader moves its focus to the sea row the mouse presses.
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
        } else if (seas_->currentRow() == row && !seas_->focusNoticeComing()) {
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

void AnswerAnnouncer::answerInPlace(QWidget *control, int row, const QString &text)
{
    // Orca, for one, reads the frame's description with it, but not a label's.
    QWidget *target = readerOnFrame_ ? control : frame_;
    setSpokenAnswer(target, target == control ? row : -1, text);
    QAccessibleEvent focus(target, QAccessible::Focus);
    if (target == control && row >= 0) {
        focus.setChild(row);
    }
    QAccessible::updateAccessibility(&focus);
    readerOnFrame_ = target == frame_;
}

bool AnswerAnnouncer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        readerOnFrame_ = false;
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
        // Tells assistive technology of the change itself.
        control->setAccessibleDescription(text);
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
        control->setAccessibleDescription(QString());
        return;
    }
    seas_->item(row)->setData(Qt::AccessibleDescriptionRole, QVariant());
    QAccessibleEvent changed(seas_, QAccessible::DescriptionChanged);
    changed.setChild(row);
    QAccessible::updateAccessibility(&changed);
}

} // namespace pelagor
