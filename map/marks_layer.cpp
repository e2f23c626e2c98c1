// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/marks_layer.h"

#include <QLineF>
#include <QPainter>

#include <cmath>
#include <vector>

namespace pelagor {

namespace {

// The marks' dark red stands at least 4.5:1 against the water and the land.
const QColor kMark{170, 0, 20};
const QColor kMarkEdge{255, 255, 255};

// Sizes in logical pixels.
constexpr double kMarkRadius = 5;
constexpr double kGroupRadius = 10;
constexpr double kPickedRadius = 3.5;
constexpr double kRingRadius = 11;
constexpr double kPointRadius = 2.5;

} // namespace

QColor markColour()
{
    return kMark;
}

void MarksLayer::draw(const LayerPainting &painting)
{
    QPainter &painter = painting.painter;
    const MapScene &scene = painting.scene;
    painter.setRenderHint(QPainter::Antialiasing);
    // Marks drawn aside: a line from each to its true point, all in one go,
    // then a dot at each point.
    std::vector<QLineF> leaders;
    for (const Target &target : scene.targets()) {
        if (target.drawnAside()) {
            for (const QPointF centre : scene.targetCopies(target)) {
                leaders.emplace_back(centre, scene.liesBeside(target, centre));
            }
        }
    }
    if (!leaders.empty()) {
        painter.setPen(QPen(kMark, 1.5));
        painter.drawLines(leaders.data(), static_cast<int>(leaders.size()));
        for (const QLineF &leader : leaders) {
            drawKind(painting, Kind::Point, leader.p2());
        }
    }
    if (scene.numbered()) {
        // Each mark its number, as a group's mark its count.
        const std::vector<std::size_t> order = scene.tabOrder();
        for (std::size_t n = 0; n < order.size(); ++n) {
            for (const QPointF centre : scene.targetCopies(scene.targets()[order[n]])) {
                drawKind(painting, static_cast<int>(n + 1), centre);
            }
        }
        return;
    }
    for (const Target &target : scene.targets()) {
        int kind = Kind::Mark;
        if (target.isGroup()) {
            kind = static_cast<int>(target.rows.size());
        } else if (target.rows.front() == scene.sea()) {
            kind = Kind::Picked;
        }
        for (const QPointF centre : scene.targetCopies(target)) {
            drawKind(painting, kind, centre);
        }
    }
}

void MarksLayer::drawKind(const LayerPainting &painting, int kind, QPointF centre)
{
    if (painting.onPage) {
        drawShape(painting.painter, kind, centre, painting.font);
        return;
    }
    const double ratio = painting.pixelRatio;
    if (ratio != picturesRatio_ || painting.font != picturesFont_) {
        pictures_.clear();
        picturesRatio_ = ratio;
        picturesFont_ = painting.font;
    }
    auto found = pictures_.find(kind);
    if (found == pictures_.end()) {
        found = pictures_.insert(kind, picture(kind, ratio, painting.font));
    }
    const QPixmap &drawn = *found;
    const QSizeF size = drawn.deviceIndependentSize();
    // On whole device pixels, so that a mark looks the same wherever it stands.
    const QPointF corner = centre + painting.origin - QPointF(size.width(), size.height()) / 2;
    painting.painter.drawPixmap(
        QPointF(std::round(corner.x() * ratio) / ratio, std::round(corner.y() * ratio) / ratio) -
            painting.origin,
        drawn);
}

QPixmap MarksLayer::picture(int kind, double ratio, const QFont &font)
{
    double radius = kGroupRadius + 1;
    if (kind == Kind::Point) {
        radius = kPointRadius + 1;
    } else if (kind == Kind::Mark) {
        radius = kMarkRadius + 1;
    } else if (kind == Kind::Picked) {
        radius = kRingRadius + 2;
    }
    const int side = static_cast<int>(std::ceil(2 * radius * ratio)) + 2;
    QPixmap made(side, side);
    made.setDevicePixelRatio(ratio);
    made.fill(Qt::transparent);
    QPainter painter(&made);
    painter.setRenderHint(QPainter::Antialiasing);
    drawShape(painter, kind, QPointF(side / ratio / 2, side / ratio / 2), font);
    return made;
}

void MarksLayer::drawShape(QPainter &painter, int kind, QPointF centre, const QFont &font)
{
    if (kind == Kind::Point) {
        painter.setBrush(kMark);
        painter.setPen(QPen(kMarkEdge, 1));
        painter.drawEllipse(centre, kPointRadius, kPointRadius);
    } else if (kind == Kind::Picked) {
        painter.setPen(QPen(kMarkEdge, 3.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, kRingRadius, kRingRadius);
        painter.setPen(QPen(kMark, 2));
        painter.drawEllipse(centre, kRingRadius, kRingRadius);
        painter.setPen(QPen(kMarkEdge, 1.5));
        painter.setBrush(kMark);
        painter.drawEllipse(centre, kPickedRadius, kPickedRadius);
    } else if (kind == Kind::Mark) {
        painter.setPen(QPen(kMarkEdge, 1.5));
        painter.setBrush(kMark);
        painter.drawEllipse(centre, kMarkRadius, kMarkRadius);
    } else {
        // A group: how many seas it holds.
        painter.setPen(QPen(kMarkEdge, 1.5));
        painter.setBrush(kMark);
        painter.drawEllipse(centre, kGroupRadius, kGroupRadius);
        // In the map's own font, whose glyphs are loaded already: another
        // size or weight would load the font again at the first showing.
        painter.setFont(font);
        painter.setPen(kMarkEdge);
        painter.drawText(QRectF(centre - QPointF(kGroupRadius, kGroupRadius),
                                QSizeF(2 * kGroupRadius, 2 * kGroupRadius)),
                         Qt::AlignCenter, QString::number(kind));
    }
}

} // namespace pelagor
