// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The picture under the marks: water, graticule, land and coast for one
// view, drawn sharp into a pixmap at the screen's density and kept; while
// the view moves, the kept picture is drawn moved and scaled with it, and
// drawn sharp again for the view it comes to rest at.
#pragma once

#include "map/land.h"
#include "map/viewport.h"

#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QRectF>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QPainter;

namespace pelagor {

// What is drawn over the land into the kept picture, so that it moves with
// the picture while the view does; `stamp` tells one drawing from another
// (0 for none).
struct PictureOverlay {
    std::uint64_t stamp = 0;
    std::function<void(QPainter &painter)> paint;
};

class LandPicture {
public:
    // The map's own colours, the same under every desktop scheme.
    static const QColor kWater;
    static const QColor kLand;
    static const QColor kOffEarth;

    // Draws the picture for the view: the kept one, moved and scaled to it,
    // when `sharp` is false and one is kept; else drawn anew for the view,
    // the overlay over it (and anew for another overlay, unless the kept
    // picture of the view has none yet).
    void draw(QPainter &painter, const Viewport &view, qreal pixelRatio, bool sharp,
              const PictureOverlay &overlay = {});
    // Whether the kept picture is the view's own.
    [[nodiscard]] bool isSharpFor(const Viewport &view, qreal pixelRatio) const;
    // Drops the kept picture.
    void forget();

private:
    // The land of one kind of projection: rings on its plane (the
    // cylindrical one in degrees of longitude and latitude), with their
    // bounds, and whether each is its own coast; the coast of the rings cut
    // along the 180th meridian, the pole or the edge of a polar map, without
    // the cuts, in pieces with their bounds.
    struct Shapes {
        std::vector<QPolygonF> rings;
        std::vector<QRectF> bounds;
        std::vector<bool> wholeCoast;
        std::vector<QPolygonF> pieces;
        std::vector<QRectF> pieceBounds;
        // The points of all the rings, and of all the pieces.
        qsizetype points = 0;
        qsizetype piecePoints = 0;
        bool made = false;
    };

    // The land is drawn from Natural Earth's 1:10m from this zoom on, in
    // logical pixels a degree, where the 1:50m outline starts to show its corners.
    static constexpr double kFineFrom = 12;

    const Shapes &shapes(Projection::Kind kind, LandDetail detail);
    void render(const Viewport &view, qreal pixelRatio);

    std::array<Shapes, 6> shapes_;
    QPixmap picture_;
    Viewport pictured_;
    std::uint64_t overlaid_ = 0;
};

// From the plane of the land's shapes for the projection's kind (with the
// central meridian at 0) to the projection's own plane.
[[nodiscard]] QTransform shapesToPlane(const Projection &projection);

} // namespace pelagor
