// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The layer of names: beside the picked, the focused and the hovered mark,
// its name on a white plate that stays on the map: to the right, else to
// the left, else above or below; a later name never covers an earlier one.
#pragma once

#include "map/map_layers.h"

namespace pelagor {

class PlatesLayer : public MapLayer {
public:
    void draw(const LayerPainting &painting) override;
};

} // namespace pelagor
