// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The layer of land and water: the kept picture of the view, the names of
// the names layer in it, moved with a gesture and drawn sharp again once the
// view rests.
#pragma once

#include "map/land_picture.h"
#include "map/map_layers.h"
#include "map/names_layer.h"

namespace pelagor {

class LandLayer : public MapLayer {
public:
    explicit LandLayer(NamesLayer &names) : names_(&names) {}
    void draw(const LayerPainting &painting) override;
    [[nodiscard]] LandPicture &picture() { return picture_; }

private:
    NamesLayer *names_;
    LandPicture picture_;
};

} // namespace pelagor
