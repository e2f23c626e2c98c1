// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/reader_note.h"

#include <utility>

namespace pelagor {

void ReaderNote::hand(QWidget *control, const QString &text)
{
    if (control != control_) {
        takeBack();
    }
    if (control == nullptr) {
        return;
    }
    if (control_ == nullptr || control->accessibleDescription() != carried_) {
        own_ = control->accessibleDescription();
    }
    control_ = control;
    carried_ = text;
    // Tells assistive technology of the change itself.
    control->setAccessibleDescription(text);
}

void ReaderNote::takeBack()
{
    QWidget *control = std::exchange(control_, nullptr);
    carried_.clear();
    if (control != nullptr) {
        control->setAccessibleDescription(std::exchange(own_, QString()));
    }
    own_.clear();
}

} // namespace pelagor
