// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The view the map frames for a pick. An ocean: all its seas, the Pacific
// round the 180th meridian, the Arctic and the Southern Ocean on a map
// centred on their pole. A sea: round it, in its ocean's kind of map, at
// the zoom at which its mark stands well apart from every other sea's and
// its coasts can be read.
#pragma once

#include "catalogue/lookup.h"
#include "map/viewport.h"

namespace pelagor {

// What the map was asked to show: an ocean, a sea, or neither (the world).
struct MapPick {
    int ocean = -1;
    int sea = -1;
};

// The least zoom of a sea's view, in logical pixels a degree: about 90° of
// longitude across the map's first size, enough to read a sea's coasts.
inline constexpr double kReadableScale = 8;
// Marks stand at least this far apart, in logical pixels.
inline constexpr double kTargetGap = 24;

// Asked of the catalogue by the windows that embed the map.
using catalogue::oceanOfSea;

// The projection a pick is shown in.
[[nodiscard]] Projection projectionFor(const MapPick &pick);
[[nodiscard]] Viewport framedView(const MapPick &pick, QSizeF size);

} // namespace pelagor
