// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The world's land as Natural Earth draws it at 1:50m, carried inside the
// program and read on first use: closed rings in degrees (x the longitude,
// −180 to 180; y the latitude, −90 to 90), none crossing the 180th meridian,
// Antarctica closed along the pole. A point lies on land when it lies inside
// an odd number of rings (lakes and inland seas are rings inside land).
#pragma once

#include <QPointF>
#include <QPolygonF>

#include <vector>

namespace pelagor {

[[nodiscard]] const std::vector<QPolygonF> &landRings();

// Whether the point (x longitude, y latitude, in degrees) lies on land.
[[nodiscard]] bool isOnLand(QPointF lonLat, const std::vector<QPolygonF> &rings = landRings());

} // namespace pelagor
