// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the map window goes beside the form, as plain geometry. Every
// rectangle is in the global coordinates of the desktop.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

namespace pelagor {

struct MapRoom {
    // The part of the screen windows may take.
    QRect screen;
    // The form with the frame the window manager drew round it.
    QRect form;
    // The sea list of the form, which the map must leave in sight.
    QRect list;
    // What the window manager adds round the map.
    QMargins frame;
    // The map's size inside its frame where there is room for it, and the
    // least it may have; the map keeps the shape of the wanted size.
    QSize wanted;
    QSize minimum;
};

// The map's frame on the side of the form where it is largest: beside it as
// tall as wanted and as wide as the side allows (up to the wanted width),
// below or above it at the largest size of the wanted shape. Where no side has room
// for the least size, the map takes it where it covers the least of the form
// and none of the list, or on a screen too small for that, the least of the
// list. With no screen known, it goes to the right of the form.
[[nodiscard]] QRect placeMap(const MapRoom &room);

} // namespace pelagor
