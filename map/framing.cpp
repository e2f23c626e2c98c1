// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/framing.h"

#include "catalogue/lookup.h"
#include "catalogue/sea_points.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pelagor {

namespace {

constexpr int kArctic = 2;
constexpr int kSouthern = 4;
// Round an ocean's seas, in logical pixels.
constexpr double kOceanMargin = 28;
// How much farther than the gap a picked sea's nearest neighbour stands.
constexpr double kSeaRoom = 1.6;

GeoPoint pointOf(int row)
{
    return catalogue::kSeaPoints.at(static_cast<std::size_t>(row));
}

// The middle of the longitudes, the short way round.
double middleLongitude(const std::vector<int> &rows)
{
    double east = 0;
    double north = 0;
    for (const int row : rows) {
        const double angle = pointOf(row).longitude * std::numbers::pi / 180;
        east += std::cos(angle);
        north += std::sin(angle);
    }
    return std::atan2(north, east) * 180 / std::numbers::pi;
}

} // namespace

Projection projectionFor(const MapPick &pick)
{
    const int ocean = pick.sea >= 0 ? oceanOfSea(pick.sea) : pick.ocean;
    if (ocean == kArctic || ocean == kSouthern) {
        return Projection::polar(ocean == kArctic, 0);
    }
    if (pick.sea >= 0) {
        const GeoPoint point = pointOf(pick.sea);
        return Projection::cylindrical(point.longitude, point.latitude);
    }
    if (ocean >= 0) {
        const std::vector<int> rows = catalogue::seasOfOcean(ocean);
        double south = 90;
        double north = -90;
        for (const int row : rows) {
            south = std::min(south, pointOf(row).latitude);
            north = std::max(north, pointOf(row).latitude);
        }
        return Projection::cylindrical(middleLongitude(rows), (south + north) / 2);
    }
    return Projection::cylindrical(0, 0);
}

Viewport framedView(const MapPick &pick, QSizeF size)
{
    const Projection projection = projectionFor(pick);
    Viewport view(projection, size);
    if (pick.sea >= 0) {
        // Round the sea, its nearest neighbour well beyond a mark's reach.
        const QPointF at = projection.toPlane(pointOf(pick.sea));
        double nearest = 180;
        for (const int row : catalogue::allSeas()) {
            if (row != pick.sea) {
                const QPointF other = view.nearestCopy(projection.toPlane(pointOf(row)));
                QPointF offset = other - at;
                if (projection.period() > 0) {
                    offset.rx() = std::remainder(offset.x(), projection.period());
                }
                nearest = std::min(nearest, std::hypot(offset.x(), offset.y()));
            }
        }
        const double apart = kTargetGap * kSeaRoom / std::max(nearest, 1e-3);
        view.centreOn(at, std::max(kReadableScale, apart));
        return view;
    }
    if (pick.ocean < 0) {
        return view;
    }
    std::vector<QPointF> points;
    for (const int row : catalogue::seasOfOcean(pick.ocean)) {
        points.push_back(projection.toPlane(pointOf(row)));
    }
    if (projection.isPolar()) {
        // Centred on the pole, the seas round it.
        double farthest = 1;
        for (const QPointF point : points) {
            farthest = std::max(farthest, std::hypot(point.x(), point.y()));
        }
        const double room = std::max(1.0, std::min(size.width(), size.height()) / 2 - kOceanMargin);
        view.centreOn(QPointF(0, 0), room / farthest);
        return view;
    }
    view.fit(points, kOceanMargin);
    return view;
}

} // namespace pelagor
