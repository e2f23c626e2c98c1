// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/land_picture.h"

#include "map/land.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace pelagor {

const QColor LandPicture::kWater{170, 211, 236};
const QColor LandPicture::kLand{238, 230, 200};
const QColor LandPicture::kOffEarth{214, 222, 228};

namespace {

const QColor kCoast{128, 112, 76};
const QColor kGraticule{147, 190, 218};
const QColor kEdge{74, 122, 160};

// A polar map's land is cut a little beyond its reach.
constexpr double kPolarCut = 90.0 - Projection::kPolarReach - 2;
// The cut along a parallel is drawn in steps of this many degrees.
constexpr double kCutStep = 2;

bool onCut(QPointF a, QPointF b, double cutLatitude)
{
    const auto meridian = [](QPointF p) { return std::abs(p.x()) >= 179.999; };
    const auto pole = [](QPointF p) { return std::abs(p.y()) >= 89.999; };
    const auto parallel = [cutLatitude](QPointF p) { return std::abs(p.y() - cutLatitude) < 1e-9; };
    return (meridian(a) && meridian(b) && a.x() == b.x()) || (pole(a) && pole(b)) ||
           (parallel(a) && parallel(b));
}

// The ring (longitude, latitude) with what lies beyond the parallel cut
// away: south of it when `keepNorth`, else north of it.
QPolygonF cutAt(const QPolygonF &closed, double latitude, bool keepNorth)
{
    const auto inside = [&](QPointF p) {
        return keepNorth ? p.y() >= latitude : p.y() <= latitude;
    };
    // Begun at a point that is kept, every stretch beyond the parallel ends
    // inside the ring's walk round, where it is drawn along the parallel.
    const auto start = std::find_if(closed.begin(), closed.end() - 1, inside);
    if (start == closed.end() - 1) {
        return {};
    }
    QPolygonF ring(start, closed.end() - 1);
    ring.append(QPolygonF(closed.begin(), start));
    ring << ring.first();
    QPolygonF kept;
    for (qsizetype i = 0; i + 1 < ring.size(); ++i) {
        const QPointF a = ring[i];
        const QPointF b = ring[i + 1];
        if (inside(a)) {
            kept << a;
        }
        if (inside(a) != inside(b)) {
            const double t = (latitude - a.y()) / (b.y() - a.y());
            const QPointF crossing(a.x() + (b.x() - a.x()) * t, latitude);
            // Along the parallel from where the ring left to where it comes back.
            if (inside(b) && !kept.isEmpty() && std::abs(kept.last().y() - latitude) < 1e-9) {
                const QPointF from = kept.last();
                const int steps = static_cast<int>(std::abs(crossing.x() - from.x()) / kCutStep);
                for (int step = 1; step < steps; ++step) {
                    kept << QPointF(from.x() + (crossing.x() - from.x()) * step / steps, latitude);
                }
            }
            kept << crossing;
        }
    }
    if (kept.size() >= 3) {
        kept << kept.first();
    }
    return kept;
}

QPainterPath graticule(const Viewport &view)
{
    const Projection &projection = view.projection();
    double step = 30;
    if (view.scale() >= 20) {
        step = 5;
    } else if (view.scale() >= 6) {
        step = 10;
    }
    QPainterPath lines;
    if (!projection.isPolar()) {
        const QRectF seen(view.toPlane(QPointF(0, 0)),
                          view.toPlane(QPointF(view.size().width(), view.size().height())));
        const double perDegree = projection.xPerDegree();
        const double west =
            std::min(seen.left(), seen.right()) / perDegree + projection.centralLongitude;
        const double east =
            std::max(seen.left(), seen.right()) / perDegree + projection.centralLongitude;
        const auto first = static_cast<int>(std::ceil(west / step));
        const auto last = static_cast<int>(std::floor(east / step));
        for (int line = first; line <= last; ++line) {
            const double x = (line * step - projection.centralLongitude) * perDegree;
            lines.moveTo(x, -90);
            lines.lineTo(x, 90);
        }
        for (int line = 1; line * step < 180; ++line) {
            const double latitude = -90 + line * step;
            lines.moveTo(std::min(seen.left(), seen.right()), latitude);
            lines.lineTo(std::max(seen.left(), seen.right()), latitude);
        }
        return lines;
    }
    for (int ring = 1; ring * step < Projection::kPolarReach; ++ring) {
        const double distance = ring * step;
        lines.addEllipse(QPointF(0, 0), distance, distance);
    }
    for (int meridian = 0; meridian < 12; ++meridian) {
        const QPointF end = projection.toPlane(
            {projection.kind == Projection::Kind::NorthPolar ? -10.0 : 10.0, 30.0 * meridian});
        lines.moveTo(0, 0);
        lines.lineTo(end);
    }
    return lines;
}

} // namespace

QTransform shapesToPlane(const Projection &projection)
{
    QTransform transform;
    switch (projection.kind) {
    case Projection::Kind::Cylindrical:
        transform.scale(projection.xPerDegree(), 1);
        transform.translate(-projection.centralLongitude, 0);
        break;
    case Projection::Kind::NorthPolar:
        transform.rotate(-projection.centralLongitude);
        break;
    case Projection::Kind::SouthPolar:
        transform.rotate(projection.centralLongitude);
        break;
    }
    return transform;
}

const LandPicture::Shapes &LandPicture::shapes(Projection::Kind kind, LandDetail detail)
{
    Shapes &made =
        shapes_.at(static_cast<std::size_t>(kind) * 2 + (detail == LandDetail::Fine ? 1 : 0));
    if (made.made) {
        return made;
    }
    made.made = true;
    const Projection flat = kind == Projection::Kind::Cylindrical
                                ? Projection::cylindrical(0, 0)
                                : Projection::polar(kind == Projection::Kind::NorthPolar, 0);
    const bool north = kind == Projection::Kind::NorthPolar;
    const double cutLatitude = north ? kPolarCut : -kPolarCut;
    const std::vector<QPolygonF> &rings = landRings(detail);
    for (std::size_t r = 0; r < rings.size(); ++r) {
        const QPolygonF &whole = rings[r];
        QPolygonF ring = whole;
        if (flat.isPolar()) {
            ring = cutAt(whole, cutLatitude, north);
            if (ring.size() < 4) {
                continue;
            }
        }
        QPolygonF projected = ring;
        if (flat.isPolar()) {
            for (QPointF &point : projected) {
                point = flat.toPlane({point.y(), point.x()});
            }
        }
        // The coast: the ring without its cuts; most rings have none and
        // are their own coast, the others leave it in pieces.
        qsizetype from = 0;
        bool cut = false;
        const auto endCoast = [&](qsizetype to) {
            if (to - from >= 1) {
                QPolygonF piece(projected.begin() + from, projected.begin() + to + 1);
                made.piecePoints += piece.size();
                made.pieceBounds.push_back(piece.boundingRect());
                made.pieces.push_back(std::move(piece));
            }
        };
        for (qsizetype i = 1; i < ring.size(); ++i) {
            if (onCut(ring[i - 1], ring[i], cutLatitude)) {
                endCoast(i - 1);
                from = i;
                cut = true;
            }
        }
        if (cut) {
            endCoast(ring.size() - 1);
        }
        made.points += projected.size();
        made.wholeCoast.push_back(!cut);
        made.bounds.push_back(flat.isPolar() ? projected.boundingRect() : landBounds(detail)[r]);
        made.rings.push_back(std::move(projected));
    }
    return made;
}

bool LandPicture::isSharpFor(const Viewport &view, qreal pixelRatio) const
{
    return !picture_.isNull() && pictured_ == view && picture_.devicePixelRatio() == pixelRatio;
}

void LandPicture::forget()
{
    picture_ = QPixmap();
}

void LandPicture::draw(QPainter &painter, const Viewport &view, qreal pixelRatio, bool sharp,
                       const PictureOverlay &overlay)
{
    const bool comparable = !picture_.isNull() && pictured_.projection() == view.projection() &&
                            picture_.devicePixelRatio() == pixelRatio;
    if (sharp && isSharpFor(view, pixelRatio) && overlaid_ == 0 && overlay.stamp != 0) {
        // The view's own picture, nothing over it yet: the overlay is
        // drawn onto it as it is.
        overlaid_ = overlay.stamp;
        QPainter over(&picture_);
        overlay.paint(over);
    }
    if ((isSharpFor(view, pixelRatio) && (!sharp || overlay.stamp == overlaid_)) ||
        (!sharp && comparable)) {
        // The kept picture, from its view to this one: the copy of its middle
        // nearest this view's, for a map that goes round the earth.
        Viewport kept = pictured_;
        kept.centreOn(view.nearestCopy(kept.centre()), kept.scale());
        const QTransform moved = kept.planeToView().inverted() * view.planeToView();
        if (!moved.isIdentity()) {
            // Water where the moved picture leaves the view uncovered, a
            // pixel under its edges so that no seam shows.
            const QRectF all(QPointF(0, 0), view.size());
            const QRectF covered =
                moved.mapRect(QRectF(QPointF(0, 0), picture_.deviceIndependentSize()))
                    .adjusted(1, 1, -1, -1);
            const double top = std::clamp(covered.top(), all.top(), all.bottom());
            const double bottom = std::clamp(covered.bottom(), top, all.bottom());
            const double left = std::clamp(covered.left(), all.left(), all.right());
            const double right = std::clamp(covered.right(), left, all.right());
            for (const QRectF &strip :
                 {QRectF(QPointF(all.left(), all.top()), QPointF(all.right(), top)),
                  QRectF(QPointF(all.left(), bottom), all.bottomRight()),
                  QRectF(QPointF(all.left(), top), QPointF(left, bottom)),
                  QRectF(QPointF(right, top), QPointF(all.right(), bottom))}) {
                if (!strip.isEmpty()) {
                    painter.fillRect(strip, kWater);
                }
            }
        }
        painter.save();
        painter.setTransform(moved, true);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawPixmap(QPointF(0, 0), picture_);
        painter.restore();
        return;
    }
    render(view, pixelRatio);
    overlaid_ = overlay.stamp;
    if (overlay.paint) {
        QPainter over(&picture_);
        overlay.paint(over);
    }
    painter.drawPixmap(QPointF(0, 0), picture_);
}

void LandPicture::render(const Viewport &view, qreal pixelRatio)
{
    const QSize pixels(static_cast<int>(std::ceil(view.size().width() * pixelRatio)),
                       static_cast<int>(std::ceil(view.size().height() * pixelRatio)));
    picture_ = QPixmap(pixels);
    picture_.setDevicePixelRatio(pixelRatio);
    pictured_ = view;
    // Off the earth (beyond the poles, or beyond a polar map's reach) is
    // what the water leaves.
    picture_.fill(kOffEarth);
    QPainter painter(&picture_);
    const QRectF seen(QPointF(0, 0), view.size());
    const Projection &projection = view.projection();
    const QTransform planeToView = view.planeToView();
    QPainterPath earth;
    if (projection.isPolar()) {
        earth.addEllipse(QPointF(0, 0), Projection::kPolarReach, Projection::kPolarReach);
    } else {
        const QPointF west = view.toPlane(QPointF(0, 0));
        const QPointF east = view.toPlane(QPointF(view.size().width(), 0));
        earth.addRect(QRectF(QPointF(west.x() - 1, -90), QPointF(east.x() + 1, 90)));
    }
    const QPainterPath earthInView = planeToView.map(earth);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kWater);
    painter.drawPath(earthInView);

    painter.setRenderHint(QPainter::Antialiasing);
    QPen thin(kGraticule, 1);
    thin.setCosmetic(true);
    painter.setPen(thin);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(planeToView.map(graticule(view)));

    // The copies of the land a map round the earth shows side by side.
    std::vector<QTransform> copies;
    const QTransform toView = shapesToPlane(projection) * planeToView;
    if (projection.isPolar()) {
        copies.push_back(toView);
    } else {
        const double period = projection.period();
        const double west = view.toPlane(QPointF(0, 0)).x();
        const double east = view.toPlane(QPointF(view.size().width(), 0)).x();
        const double half = period / 2;
        const auto first = static_cast<int>(std::floor((west + half) / period));
        const auto last = static_cast<int>(std::ceil((east - half) / period));
        for (int turn = first - 1; turn <= last + 1; ++turn) {
            copies.push_back(QTransform::fromTranslate(360.0 * turn, 0) * toView);
        }
    }
    const Shapes &land =
        shapes(projection.kind, view.scale() >= kFineFrom ? LandDetail::Fine : LandDetail::Medium);
    const QRectF reach = seen.adjusted(-2, -2, 2, 2);
    // The land in view is thinned once into one run of points, each ring's
    // and each coast piece's a stretch of it: of the points closer than half
    // a pixel to the last one kept only the last is drawn, and a ring ends
    // where it began. The fill and the coast are drawn from those points.
    struct Stretch {
        qsizetype start = 0;
        qsizetype count = 0;
    };
    const double closest = 0.5 / pixelRatio;
    const auto thinned = [closest](QPolygonF &into, const QPolygonF &ring,
                                   const QTransform &transform, bool closed) {
        const qsizetype start = into.size();
        for (const QPointF &vertex : ring) {
            // The transforms are affine: no call to QTransform::map a point.
            const QPointF at(
                transform.m11() * vertex.x() + transform.m21() * vertex.y() + transform.dx(),
                transform.m12() * vertex.x() + transform.m22() * vertex.y() + transform.dy());
            if (into.size() == start || (at - into.constLast()).manhattanLength() >= closest) {
                into << at;
            }
        }
        if (closed && into.constLast() != into.at(start)) {
            into << into.at(start);
        }
        return Stretch{start, into.size() - start};
    };
    QPolygonF points;
    QPolygonF piecePoints;
    // Room for all of them at once: growing would copy them again and again.
    points.reserve(land.points);
    piecePoints.reserve(land.piecePoints);
    std::vector<Stretch> rings;
    std::vector<Stretch> coasts;
    std::vector<Stretch> pieces;
    for (const QTransform &transform : copies) {
        for (std::size_t i = 0; i < land.rings.size(); ++i) {
            if (!transform.mapRect(land.bounds[i]).intersects(reach)) {
                continue;
            }
            // An island smaller than a pixel is left a dot of coast.
            const Stretch ring = thinned(points, land.rings[i], transform, true);
            if (ring.count < 2) {
                points.resize(ring.start);
                continue;
            }
            if (ring.count >= 4) {
                rings.push_back(ring);
            }
            if (land.wholeCoast[i]) {
                coasts.push_back(ring);
            }
        }
        for (std::size_t i = 0; i < land.pieces.size(); ++i) {
            if (transform.mapRect(land.pieceBounds[i]).intersects(reach)) {
                pieces.push_back(thinned(piecePoints, land.pieces[i], transform, false));
            }
        }
    }
    // The fill's edge is left to the coast, drawn one smooth pixel wide over
    // it (a smooth fill would cost ten times as long).
    QPainterPath fill;
    fill.setFillRule(Qt::OddEvenFill);
    fill.reserve(static_cast<int>(points.size()));
    for (const Stretch &ring : rings) {
        fill.moveTo(points.at(ring.start));
        for (qsizetype i = ring.start + 1; i < ring.start + ring.count; ++i) {
            fill.lineTo(points.at(i));
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLand);
    painter.drawPath(fill);
    // The coast, one line at a time from the same points: no path to build.
    painter.setRenderHint(QPainter::Antialiasing);
    QPen coastPen(kCoast, 1);
    coastPen.setCosmetic(true);
    painter.setPen(coastPen);
    painter.setBrush(Qt::NoBrush);
    for (const Stretch &coast : coasts) {
        painter.drawPolyline(points.constData() + coast.start, static_cast<int>(coast.count));
    }
    for (const Stretch &piece : pieces) {
        painter.drawPolyline(piecePoints.constData() + piece.start, static_cast<int>(piece.count));
    }

    QPen edge(kEdge, 1.5);
    edge.setCosmetic(true);
    painter.setPen(edge);
    painter.drawPath(earthInView);
}

} // namespace pelagor
