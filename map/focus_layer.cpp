// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/focus_layer.h"

#include <QPainter>

namespace pelagor {

namespace {

const QColor kFocus{0, 0, 0};
const QColor kFocusEdge{255, 255, 255};

} // namespace

void FocusLayer::draw(const LayerPainting &painting)
{
    const MapScene &scene = painting.scene;
    const int focused = scene.focusedTarget();
    if (focused < 0 || !painting.focusShown) {
        return;
    }
    QPainter &painter = painting.painter;
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = scene.targetCentre(scene.targets()[static_cast<std::size_t>(focused)]);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kFocusEdge, 4));
    painter.drawEllipse(centre, kFocusRadius, kFocusRadius);
    painter.setPen(QPen(kFocus, 2, Qt::DashLine));
    painter.drawEllipse(centre, kFocusRadius, kFocusRadius);
}

} // namespace pelagor
