// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/land_layer.h"

#include <QPainter>

namespace pelagor {

void LandLayer::draw(const LayerPainting &painting)
{
    picture_.draw(painting.painter, painting.scene.view(), painting.pixelRatio,
                  !painting.scene.isMoving(), names_->overlay(painting));
}

} // namespace pelagor
