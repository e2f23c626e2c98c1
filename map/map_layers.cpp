// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/map_layers.h"

#include "map/focus_layer.h"
#include "map/land_layer.h"
#include "map/marks_layer.h"
#include "map/names_layer.h"

#include <QPainter>

namespace pelagor {

MapLayers::MapLayers()
{
    auto names = std::make_unique<NamesLayer>();
    names_ = names.get();
    auto land = std::make_unique<LandLayer>(*names);
    land_ = &land->picture();
    layers_.push_back(std::move(land));
    layers_.push_back(std::make_unique<MarksLayer>());
    layers_.push_back(std::make_unique<FocusLayer>());
    layers_.push_back(std::move(names));
}

void MapLayers::draw(const LayerPainting &painting)
{
    QPainter &painter = painting.painter;
    painter.save();
    painter.setClipRect(QRectF(QPointF(0, 0), painting.scene.size()), Qt::IntersectClip);
    for (const std::unique_ptr<MapLayer> &layer : layers_) {
        layer->draw(painting);
    }
    painter.restore();
}

LandPicture &MapLayers::land() const
{
    return *land_;
}

const std::vector<PlacedName> &MapLayers::names() const
{
    return names_->placed();
}

} // namespace pelagor
