// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The answers on their way to a screen reader: each answer the window shows is
// handed to a running reader, to be said where its focus is, without moving
// the focus, and taken back once the focus leaves the control that carries it.
#pragma once

#include "window/reader_note.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <span>
#include <vector>

class QEvent;
class QRadioButton;

namespace pelagor {

class SeaListBox;

class AnswerAnnouncer : public QObject {
public:
    // The window's controls an answer can be picked with, and the frame of the
    // options; they must outlive the announcer. It follows the focus, the sea
    // list's focus mark and the keys and the mouse on the list by itself.
    AnswerAnnouncer(QWidget *window, QWidget *frame, std::span<QRadioButton *const> options,
                    SeaListBox *seas);

    // Hands over the answer the window has just shown, as the output box shows
    // it; `picked` is the control the pupil picked with: an option, the sea
    // list, or the focused control of another window of the program.
    void announce(const QString &answer, QWidget *picked);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    [[nodiscard]] bool isInWindow(const QWidget *widget) const;
    [[nodiscard]] bool isOption(const QWidget *widget) const;
    // Whether assistive technology is told of the focus on the sea list's
    // current row once the key or press being handled is done. (The
    // selection model moves the mark first and tells of it after the row is
    // selected.)
    [[nodiscard]] bool focusNoticeComing() const;
    // Tells assistive technology that the focus is on the sea list's current row.
    void noticeFocusOnCurrentRow();
    void setSpokenAnswer(QWidget *control, int row, const QString &text);
    void clearSpokenAnswer();
    // Hands the answer to a screen reader whose focus stays where it is: it
    // cannot be taken to the object it is on, so it is taken to the ocean
    // frame (for a control of another window, to that window), and from there
    // back to the control at the next such answer.
    void answerInPlace(QWidget *control, int row, const QString &text);

    QWidget *window_;
    QWidget *frame_;
    std::vector<QRadioButton *> options_;
    SeaListBox *seas_;
    // The answer last handed over.
    QString answer_;
    // The control, or the row of the sea list, whose accessible description
    // holds the last answer while a screen reader runs; none when no control does.
    QPointer<QWidget> spokenControl_;
    int spokenRow_ = -1;
    // The answer a control carries as its description.
    ReaderNote note_;
    // Whether a screen reader was taken away from the control that has the
    // focus, and is still there.
    bool readerAway_ = false;
    // A sea picked by a mouse press is handed over when the button is let go.
    bool answerOnRelease_ = false;
    // The row of the sea list the focus mark was last reported on.
    int markedRow_ = -1;
    // Whether the key the sea list is handling selects the row its mark
    // stands on; Qt tells of no move of the mark then, so the announcer does.
    bool markStays_ = false;
};

} // namespace pelagor
