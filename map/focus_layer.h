// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The layer of the keyboard's focus: a dashed ring round the focused mark,
// while the keyboard is in the map.
#pragma once

#include "map/map_layers.h"

namespace pelagor {

// How far from a mark's centre its focus ring, and the names beside it, stand.
inline constexpr double kFocusRadius = 15;

class FocusLayer : public MapLayer {
public:
    void draw(const LayerPainting &painting) override;
};

} // namespace pelagor
