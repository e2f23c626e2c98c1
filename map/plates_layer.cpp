// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/plates_layer.h"

#include "map/focus_layer.h"
#include "map/map_words.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace pelagor {

namespace {

// Names stand in black on white plates of their own.
const QColor kPlate{255, 255, 255};
const QColor kPlateEdge{64, 64, 64};
const QColor kText{0, 0, 0};
constexpr double kPlatePadding = 4;

// The rectangle put inside the bounds, moved as little as can be.
QRectF keptInside(QRectF place, const QRectF &bounds)
{
    place.moveLeft(std::max(bounds.left(), std::min(place.left(), bounds.right() - place.width())));
    place.moveTop(std::max(bounds.top(), std::min(place.top(), bounds.bottom() - place.height())));
    return place;
}

} // namespace

void PlatesLayer::draw(const LayerPainting &painting)
{
    const MapScene &scene = painting.scene;
    QPainter &painter = painting.painter;
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(QPointF(0, 0), scene.size());
    const QFontMetricsF metrics(painting.font, painter.device());
    painter.setFont(painting.font);
    std::vector<QRectF> plates;
    for (const std::size_t index : scene.labelledTargets()) {
        const Target &target = scene.targets()[index];
        const QPointF centre = scene.targetCentre(target);
        const QString name = plateText(target);
        const QSizeF size(metrics.horizontalAdvance(name) + 2 * kPlatePadding,
                          metrics.height() + 2);
        const double gap = kFocusRadius + 2;
        const QRectF sides[] = {
            {QPointF(centre.x() + gap, centre.y() - size.height() / 2), size},
            {QPointF(centre.x() - gap - size.width(), centre.y() - size.height() / 2), size},
            {QPointF(centre.x() - size.width() / 2, centre.y() - gap - size.height()), size},
            {QPointF(centre.x() - size.width() / 2, centre.y() + gap), size},
        };
        const auto clear = [&plates](const QRectF &place) {
            return std::ranges::none_of(
                plates, [&place](const QRectF &plate) { return plate.intersects(place); });
        };
        QRectF chosen = keptInside(sides[0], area);
        for (const QRectF &side : sides) {
            if (keptInside(side, area) == side && clear(side)) {
                chosen = side;
                break;
            }
        }
        plates.push_back(chosen);
        painter.setPen(QPen(kPlateEdge, 1));
        painter.setBrush(kPlate);
        painter.drawRect(chosen.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setPen(kText);
        painter.drawText(chosen, Qt::AlignCenter, name);
    }
}

} // namespace pelagor
