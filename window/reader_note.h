// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A text handed to a screen reader through one control: the control carries
// it as its accessible description, which a reader says where its focus
// comes to the control, until it is taken back; the control then has its own
// description again. One note at a time: handing a text to another control
// takes it back from the first.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace pelagor {

class ReaderNote {
public:
    // Hands the text to the control. A description the control gave itself
    // while it carried a note is its own from then on.
    void hand(QWidget *control, const QString &text);
    // Gives the control its own description back; nothing when none carries the note.
    void takeBack();
    // The control that carries the note, if any.
    [[nodiscard]] QWidget *control() const { return control_; }

private:
    QPointer<QWidget> control_;
    QString carried_;
    QString own_;
};

} // namespace pelagor
