// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/projection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pelagor {

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
// Beyond this a cylindrical map's standard parallel would stretch it more
// than it helps.
constexpr double kWidestParallel = 70;

} // namespace

double normalLongitude(double longitude)
{
    const double turned = std::fmod(longitude + 180.0, 360.0);
    return (turned < 0 ? turned + 360.0 : turned) - 180.0;
}

Projection Projection::cylindrical(double centralLongitude, double standardParallel)
{
    return {.kind = Kind::Cylindrical,
            .centralLongitude = normalLongitude(centralLongitude),
            .standardParallel = std::clamp(standardParallel, -kWidestParallel, kWidestParallel)};
}

Projection Projection::polar(bool north, double centralLongitude)
{
    return {.kind = north ? Kind::NorthPolar : Kind::SouthPolar,
            .centralLongitude = normalLongitude(centralLongitude),
            .standardParallel = 0};
}

double Projection::xPerDegree() const
{
    return std::cos(standardParallel * kRadiansPerDegree);
}

QPointF Projection::toPlane(GeoPoint point) const
{
    const double east = normalLongitude(point.longitude - centralLongitude);
    switch (kind) {
    case Kind::Cylindrical:
        return {east * xPerDegree(), point.latitude};
    case Kind::NorthPolar: {
        const double distance = 90.0 - point.latitude;
        const double angle = east * kRadiansPerDegree;
        return {distance * std::sin(angle), -distance * std::cos(angle)};
    }
    case Kind::SouthPolar: {
        const double distance = 90.0 + point.latitude;
        const double angle = east * kRadiansPerDegree;
        return {distance * std::sin(angle), distance * std::cos(angle)};
    }
    }
    return {};
}

std::optional<GeoPoint> Projection::toEarth(QPointF plane) const
{
    if (!std::isfinite(plane.x()) || !std::isfinite(plane.y())) {
        return std::nullopt;
    }
    if (kind == Kind::Cylindrical) {
        if (std::abs(plane.y()) > 90.0) {
            return std::nullopt;
        }
        return GeoPoint{plane.y(), normalLongitude(plane.x() / xPerDegree() + centralLongitude)};
    }
    const double distance = std::hypot(plane.x(), plane.y());
    if (distance > kPolarReach) {
        return std::nullopt;
    }
    const bool north = kind == Kind::NorthPolar;
    // The pole itself has every longitude; it is given the central one.
    const double angle = distance == 0 ? 0 : std::atan2(plane.x(), north ? -plane.y() : plane.y());
    return GeoPoint{north ? 90.0 - distance : distance - 90.0,
                    normalLongitude(angle / kRadiansPerDegree + centralLongitude)};
}

double Projection::period() const
{
    return kind == Kind::Cylindrical ? 360.0 * xPerDegree() : 0.0;
}

QRectF Projection::extent() const
{
    if (kind == Kind::Cylindrical) {
        const double half = 180.0 * xPerDegree();
        return {-half, -90.0, 2 * half, 180.0};
    }
    return {-kPolarReach, -kPolarReach, 2 * kPolarReach, 2 * kPolarReach};
}

} // namespace pelagor
