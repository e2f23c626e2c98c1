// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The map's projections, from a point of the earth to a point of the plane
// and back. The plane's unit is a degree of latitude, x grows east and y
// north. Two kinds:
// - cylindrical (equidistant, with a standard parallel): x is the longitude
//   east of the central meridian times the cosine of the standard parallel,
//   y the latitude; a view round a parallel keeps the shapes true there, and
//   the plane repeats every turn of the earth, so a map wraps round it;
// - polar (azimuthal equidistant, centred on a pole): the distance from the
//   pole in degrees, the central meridian pointing down from the North Pole
//   and up from the South Pole, as atlases draw the polar regions.
#pragma once

#include "catalogue/checks.h"

#include <QPointF>
#include <QRectF>

#include <optional>

namespace pelagor {

using catalogue::GeoPoint;

struct Projection {
    enum class Kind { Cylindrical, NorthPolar, SouthPolar };

    Kind kind = Kind::Cylindrical;
    // Degrees east: the meridian of x = 0 (cylindrical), or the one that
    // points straight down (north) or up (south) from the pole.
    double centralLongitude = 0;
    // Degrees, cylindrical only: the parallel along which scale is true.
    double standardParallel = 0;

    // How far from its pole a polar map reaches, in degrees: past the
    // equator, so that the whole hemisphere shows.
    static constexpr double kPolarReach = 100;

    [[nodiscard]] static Projection cylindrical(double centralLongitude, double standardParallel);
    [[nodiscard]] static Projection polar(bool north, double centralLongitude);

    [[nodiscard]] bool isPolar() const { return kind != Kind::Cylindrical; }
    [[nodiscard]] QPointF toPlane(GeoPoint point) const;
    // The point of the earth at a point of the plane; none off the earth
    // (beyond a pole, or beyond the reach of a polar map).
    [[nodiscard]] std::optional<GeoPoint> toEarth(QPointF plane) const;
    // The plane's width of one turn of the earth (cylindrical), else 0.
    [[nodiscard]] double period() const;
    // The part of the plane the earth takes (one turn of it, for cylindrical).
    [[nodiscard]] QRectF extent() const;
    // The ratio of the plane's x and y units to degrees of longitude and
    // latitude, for a cylindrical map: (cos φ₀, 1).
    [[nodiscard]] double xPerDegree() const;

    friend bool operator==(const Projection &, const Projection &) = default;
};

// The longitude brought into [−180, 180).
[[nodiscard]] double normalLongitude(double longitude);

} // namespace pelagor
