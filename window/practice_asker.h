// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One kind of practice question, as the practice window asks it: what the
// question page shows under the question, the keys it takes while a question
// is open, and where the keyboard goes once it is answered. A new kind of
// question is a new asker; the window's round goes on the same.
#pragma once

#include "practice/round.h"

#include <QObject>
#include <QString>

#include <functional>

class QKeyEvent;
class QWidget;

namespace pelagor {

class Asker : public QObject {
public:
    using QObject::QObject;

    // What this kind shows under the question: its answers, or how to give one.
    [[nodiscard]] virtual QWidget *answers() const = 0;
    // Opens a question of this kind with no answer in the keyboard's hand;
    // returns how it is answered, for a screen reader.
    virtual QString open(const practice::Question &question) = 0;
    // A key pressed on the question or among the answers while the question
    // is open; true when it was taken. `focus` has the keyboard.
    virtual bool key(const QKeyEvent &key, QWidget *focus) = 0;
    // After the answer was taken: hands the feedback to a screen reader where
    // the keyboard goes on, and returns true; or returns false, leaving that
    // to the window ("Напред").
    // `aside` tells more of the asked sea, after the feedback.
    virtual bool handFeedback(const practice::Question &asked, bool right, const QString &feedback,
                              const QString &aside) = 0;
    // Closes the answers once the keyboard has gone on from them.
    virtual void close() {}

    // Called with the answer given: an ocean number, or a sea row.
    std::function<void(int given)> onAnswer;
};

} // namespace pelagor
