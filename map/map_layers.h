// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The map is drawn in layers, each one thing over the last in a fixed order:
// the land and water (with the names, drawn into its picture), the marks
// with their leader lines, the keyboard's focus, the names that stand out on
// their plates. A new kind of drawing is a new layer.
#pragma once

#include "map/map_scene.h"

#include <QFont>
#include <QPointF>

#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace pelagor {

class LandPicture;
class NamesLayer;
struct PlacedName;

// What a layer draws with. The painter's origin is the top left of the
// map's area, which stands at `origin` on the device; the layer draws over
// the area only.
struct LayerPainting {
    QPainter &painter;
    const MapScene &scene;
    QPointF origin;
    // Device pixels to a logical one.
    double pixelRatio = 1;
    // Drawn onto a page (a PDF): shapes and text as such, not as pictures.
    bool onPage = false;
    // Whether the keyboard is in the map, so that its focus shows.
    bool focusShown = false;
    QFont font;
    // Asks for another frame soon after this one, where there is a screen
    // to draw it; empty on a picture or a page, drawn once.
    std::function<void()> paintAgain;
};

class MapLayer {
public:
    MapLayer() = default;
    MapLayer(const MapLayer &) = delete;
    MapLayer &operator=(const MapLayer &) = delete;
    MapLayer(MapLayer &&) = delete;
    MapLayer &operator=(MapLayer &&) = delete;
    virtual ~MapLayer() = default;

    virtual void draw(const LayerPainting &painting) = 0;
};

// The layers of the map, in their order.
class MapLayers {
public:
    MapLayers();

    void draw(const LayerPainting &painting);
    // The picture of the land and water, kept between frames.
    [[nodiscard]] LandPicture &land() const;
    // The names placed for the last view drawn at rest, in the map's area.
    [[nodiscard]] const std::vector<PlacedName> &names() const;

private:
    std::vector<std::unique_ptr<MapLayer>> layers_;
    LandPicture *land_ = nullptr;
    NamesLayer *names_ = nullptr;
};

// The colour every mark is filled with.
[[nodiscard]] QColor markColour();

} // namespace pelagor
