// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Swiping with a finger: the list and the output box follow the finger and
// glide on after it lifts, as on a phone.
#pragma once

#include <QEvent>

#include <functional>

class QAbstractScrollArea;

namespace pelagor {

// What the area's own touch handling gets of a finger besides the scrolling.
enum class TouchTaps {
    // The area handles touch events itself (a tap picks a row).
    PassedOn,
    // Nothing: a finger only scrolls, and selects no text on the way.
    Ignored,
};

// Whether an event of this type is a finger's on a touch screen.
[[nodiscard]] constexpr bool isTouch(QEvent::Type type)
{
    return type == QEvent::TouchBegin || type == QEvent::TouchUpdate || type == QEvent::TouchEnd ||
           type == QEvent::TouchCancel;
}

// Makes a swipe on the area's viewport scroll it kinetically. The area's
// vertical scroll bar counts rows or lines, pixelsPerStep() pixels each; the
// finger moves the content by pixels, not by a row for every pixel.
void scrollByTouch(QAbstractScrollArea *area, std::function<int()> pixelsPerStep, TouchTaps taps);

} // namespace pelagor
