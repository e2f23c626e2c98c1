// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the windows of the program go beside the form (the map's, the
// practice's): as plain geometry, and as the windows stand on the screen.
// Every rectangle is in the global coordinates of the desktop.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

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

// Resizes and moves `window` beside `form` as placeMap() places it, in the
// room the form's screen gives, leaving `keep` (the whole form where empty)
// in sight. The frame a window manager draws round `window` is taken to be
// the form's until the window has had one of its own; returns whether it was
// so taken. A Wayland compositor places windows itself: there the window is
// only resized.
bool placeBesideForm(QWidget &window, const QWidget &form, QSize wanted, QSize minimum,
                     QRect keep = {});

} // namespace pelagor
