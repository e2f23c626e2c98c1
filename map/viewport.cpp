// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/viewport.h"

#include <algorithm>
#include <cmath>

namespace pelagor {

namespace {

// A view is never taken smaller than this, so that a window of no size
// still has a sensible view.
constexpr double kSmallestSide = 1;

bool finite(QPointF point)
{
    return std::isfinite(point.x()) && std::isfinite(point.y());
}

} // namespace

double wheelZoomFactor(int angleDelta)
{
    // Ten notches at once at most; the view's bounds stop it sooner.
    const int delta = std::clamp(angleDelta, -1200, 1200);
    return std::exp2(delta / 480.0);
}

Viewport::Viewport(const Projection &projection, QSizeF size) : projection_(projection)
{
    setSize(size);
    // The whole earth: the least scale, centred.
    centreOn(QPointF(0, 0), minimumScale());
}

double Viewport::minimumScale() const
{
    const QRectF earth = projection_.extent();
    return std::min(size_.width() / earth.width(), size_.height() / earth.height());
}

void Viewport::setSize(QSizeF size)
{
    const double width = std::isfinite(size.width()) ? size.width() : kSmallestSide;
    const double height = std::isfinite(size.height()) ? size.height() : kSmallestSide;
    size_ = QSizeF(std::max(width, kSmallestSide), std::max(height, kSmallestSide));
    keepInBounds();
}

void Viewport::centreOn(QPointF plane, double scale)
{
    if (finite(plane)) {
        centre_ = plane;
    }
    if (std::isfinite(scale)) {
        scale_ = scale;
    }
    keepInBounds();
}

void Viewport::zoomAbout(QPointF at, double factor)
{
    if (!std::isfinite(factor) || factor <= 0 || !finite(at)) {
        return;
    }
    const QPointF anchor = toPlane(at);
    scale_ = std::clamp(scale_ * factor, minimumScale(), std::max(minimumScale(), kDeepestScale));
    // The anchor back under the point it was at.
    const QPointF offset = at - QPointF(size_.width() / 2, size_.height() / 2);
    centre_ = anchor - QPointF(offset.x(), -offset.y()) / scale_;
    keepInBounds();
}

void Viewport::panBy(QPointF offset)
{
    if (!finite(offset)) {
        return;
    }
    centre_ -= QPointF(offset.x(), -offset.y()) / scale_;
    keepInBounds();
}

void Viewport::fit(std::span<const QPointF> points, double margin, double deepest)
{
    if (points.empty()) {
        return;
    }
    const double period = projection_.period();
    const QPointF first = points.front();
    double west = first.x();
    double east = first.x();
    double south = first.y();
    double north = first.y();
    for (const QPointF point : points) {
        const double x =
            period > 0 ? first.x() + std::remainder(point.x() - first.x(), period) : point.x();
        west = std::min(west, x);
        east = std::max(east, x);
        south = std::min(south, point.y());
        north = std::max(north, point.y());
    }
    const QRectF bounds(QPointF(west, south), QPointF(east, north));
    const double room = std::max(kSmallestSide, 2 * margin);
    const double width = std::max(kSmallestSide, size_.width() - room);
    const double height = std::max(kSmallestSide, size_.height() - room);
    double scale = deepest;
    if (bounds.width() > 0) {
        scale = std::min(scale, width / bounds.width());
    }
    if (bounds.height() > 0) {
        scale = std::min(scale, height / bounds.height());
    }
    centreOn(bounds.center(), scale);
}

void Viewport::keepInBounds()
{
    scale_ = std::clamp(std::isfinite(scale_) ? scale_ : 0.0, minimumScale(),
                        std::max(minimumScale(), kDeepestScale));
    const double halfWidth = size_.width() / 2 / scale_;
    const double halfHeight = size_.height() / 2 / scale_;
    const QRectF earth = projection_.extent();
    if (!projection_.isPolar()) {
        // East and west the earth goes round; north and south the view stops
        // at the poles.
        centre_.rx() = std::remainder(centre_.x(), projection_.period());
        const double reach = std::max(0.0, earth.bottom() - halfHeight);
        centre_.ry() = std::clamp(centre_.y(), -reach, reach);
        return;
    }
    // A polar map's middle stays where the view still covers the hemisphere's
    // disc to its centre.
    const double reach = std::max(0.0, earth.right() - std::min(halfWidth, halfHeight));
    const double distance = std::hypot(centre_.x(), centre_.y());
    if (distance > reach) {
        centre_ *= reach / distance;
    }
}

QPointF Viewport::nearestCopy(QPointF plane) const
{
    const double period = projection_.period();
    if (period <= 0) {
        return plane;
    }
    return {centre_.x() + std::remainder(plane.x() - centre_.x(), period), plane.y()};
}

QPointF Viewport::toView(QPointF plane) const
{
    return {size_.width() / 2 + (plane.x() - centre_.x()) * scale_,
            size_.height() / 2 - (plane.y() - centre_.y()) * scale_};
}

QPointF Viewport::toView(GeoPoint point) const
{
    return toView(nearestCopy(projection_.toPlane(point)));
}

QPointF Viewport::toPlane(QPointF at) const
{
    return {centre_.x() + (at.x() - size_.width() / 2) / scale_,
            centre_.y() - (at.y() - size_.height() / 2) / scale_};
}

std::optional<GeoPoint> Viewport::toEarth(QPointF at) const
{
    return projection_.toEarth(toPlane(at));
}

QTransform Viewport::planeToView() const
{
    return {scale_,
            0,
            0,
            -scale_,
            size_.width() / 2 - centre_.x() * scale_,
            size_.height() / 2 + centre_.y() * scale_};
}

} // namespace pelagor
