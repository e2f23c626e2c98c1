// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The world's land as Natural Earth draws it at 1:50m and at 1:10m, carried
// inside the program and read on first use, each scale on its own: closed
// rings in degrees (x the longitude, −180 to 180; y the latitude, −90 to 90),
// none crossing the 180th meridian, Antarctica closed along the pole. A point
// lies on land when it lies inside an odd number of rings (lakes and inland
// seas are rings inside land).
#pragma once

#include <QPointF>
#include <QPolygonF>
#include <QRectF>

#include <vector>

namespace pelagor {

// The scale of the land: Medium is Natural Earth's 1:50m (59 thousand
// points), Fine its 1:10m (382 thousand), for the deep zooms.
enum class LandDetail { Medium, Fine };

[[nodiscard]] const std::vector<QPolygonF> &landRings(LandDetail detail = LandDetail::Medium);
// The bounds of each of those rings.
[[nodiscard]] const std::vector<QRectF> &landBounds(LandDetail detail = LandDetail::Medium);

// Whether the point (x longitude, y latitude, in degrees) lies on land.
[[nodiscard]] bool isOnLand(QPointF lonLat, const std::vector<QPolygonF> &rings = landRings());
[[nodiscard]] bool isOnLand(QPointF lonLat, LandDetail detail);

} // namespace pelagor
