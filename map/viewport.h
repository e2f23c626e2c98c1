// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What part of the plane a map shows: its projection, the point of the plane
// at the middle of the view, and the scale, in logical pixels a degree. The
// view stays within its bounds: from the scale at which the whole earth (a
// polar map's hemisphere) fits, to the deepest at which the land still looks
// right; east and west it wraps round the earth.
#pragma once

#include "map/projection.h"

#include <QPointF>
#include <QSizeF>
#include <QTransform>

#include <span>

namespace pelagor {

class Viewport {
public:
    // The deepest zoom, in logical pixels a degree.
    static constexpr double kDeepestScale = 64;

    Viewport() = default;
    // The whole earth in the projection, at the given size.
    Viewport(const Projection &projection, QSizeF size);

    [[nodiscard]] const Projection &projection() const { return projection_; }
    [[nodiscard]] QPointF centre() const { return centre_; }
    [[nodiscard]] double scale() const { return scale_; }
    [[nodiscard]] QSizeF size() const { return size_; }
    [[nodiscard]] double minimumScale() const;

    // Keeps the centre and the scale where the new size allows.
    void setSize(QSizeF size);
    // Puts a point of the plane in the middle at the given scale.
    void centreOn(QPointF plane, double scale);
    // Zooms by the factor about a point of the view, which stays where it is
    // (unless a bound is reached); a factor that is not a finite positive
    // number is ignored.
    void zoomAbout(QPointF at, double factor);
    // Moves what is shown by the given logical pixels.
    void panBy(QPointF offset);
    // Frames the points of the plane (each taken as its copy nearest the
    // first) with the margin in logical pixels on every side; the scale is
    // at most `deepest`.
    void fit(std::span<const QPointF> points, double margin, double deepest = kDeepestScale);

    // The copy of a point of the plane, one turn of the earth round, that
    // lies nearest the middle of the view.
    [[nodiscard]] QPointF nearestCopy(QPointF plane) const;
    [[nodiscard]] QPointF toView(QPointF plane) const;
    [[nodiscard]] QPointF toView(GeoPoint point) const;
    [[nodiscard]] QPointF toPlane(QPointF at) const;
    [[nodiscard]] std::optional<GeoPoint> toEarth(QPointF at) const;
    // From the plane to the view, for drawing.
    [[nodiscard]] QTransform planeToView() const;

    friend bool operator==(const Viewport &, const Viewport &) = default;

private:
    void keepInBounds();

    Projection projection_;
    QPointF centre_;
    double scale_ = 1;
    QSizeF size_{1, 1};
};

// How much a wheel turned by `angleDelta` (eighths of a degree, 120 a notch)
// zooms: 2^(Δ/480), about 1.19 a notch, smoothly for high-resolution wheels.
[[nodiscard]] double wheelZoomFactor(int angleDelta);

} // namespace pelagor
