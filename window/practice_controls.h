// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The controls the practice window's pages are made of, made alike.
#pragma once

#include <QLabel>
#include <QString>

class QPushButton;

namespace pelagor {

// A text the keyboard can rest on: a question, or the result at the end, so
// that a page opens with no answer or button in the keyboard's hand. A
// screen reader reads it where its focus comes; a frame round it shows the
// keyboard is there, whatever moved it there.
class FocusText : public QLabel {
public:
    explicit FocusText(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A label that wraps its lines and whose text can be selected with the mouse.
[[nodiscard]] QLabel *wrappedLabel(const QString &text, QWidget *parent);
// The label in larger, bold letters: the question and the result.
QLabel *madeLarge(QLabel *label);
// A button that Enter clicks where it has the focus, as in a dialog.
[[nodiscard]] QPushButton *practiceButton(const QString &text, QWidget *parent);

} // namespace pelagor
