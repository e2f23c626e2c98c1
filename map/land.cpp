// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/land.h"

#include <QDataStream>
#include <QFile>
#include <QRectF>

#include <array>

namespace pelagor {

namespace {

// The land file as scripts/make-land.py writes it (see there): a header, the
// number of points of each ring, then the points as int16 steps.
constexpr std::array<char, 4> kMagic{'P', 'L', 'N', 'D'};
constexpr quint16 kVersion = 1;
constexpr qsizetype kHeaderSize = 16;

struct Land {
    std::vector<QPolygonF> rings;
    // Each ring's bounds, for passing over the rings far from a point.
    std::vector<QRectF> bounds;
};

// The rings of the file, or none if it is not whole.
std::vector<QPolygonF> parse(const QByteArray &data)
{
    QDataStream in(data);
    in.setByteOrder(QDataStream::LittleEndian);
    std::array<char, 4> magic{};
    quint16 version = 0;
    quint16 unitsPerDegree = 0;
    quint32 ringCount = 0;
    quint32 pointCount = 0;
    in.readRawData(magic.data(), static_cast<int>(magic.size()));
    in >> version >> unitsPerDegree >> ringCount >> pointCount;
    if (in.status() != QDataStream::Ok || magic != kMagic || version != kVersion ||
        unitsPerDegree == 0 ||
        data.size() != kHeaderSize + 4 * (qsizetype{ringCount} + qsizetype{pointCount})) {
        return {};
    }
    std::vector<quint32> sizes(ringCount);
    for (quint32 &size : sizes) {
        in >> size;
    }
    std::vector<QPolygonF> rings;
    rings.reserve(ringCount);
    quint32 pointsLeft = pointCount;
    for (const quint32 size : sizes) {
        if (size < 3 || size > pointsLeft) {
            return {};
        }
        pointsLeft -= size;
        QPolygonF ring;
        ring.reserve(qsizetype{size} + 1);
        int x = 0;
        int y = 0;
        for (quint32 i = 0; i < size; ++i) {
            qint16 dx = 0;
            qint16 dy = 0;
            in >> dx >> dy;
            x += dx;
            y += dy;
            ring.append(QPointF(double(x) / unitsPerDegree, double(y) / unitsPerDegree));
        }
        ring.append(ring.first());
        rings.push_back(std::move(ring));
    }
    if (in.status() != QDataStream::Ok) {
        return {};
    }
    return rings;
}

const Land &land()
{
    static const Land loaded = [] {
        Land result;
        QFile file(QStringLiteral(":/map/land-50m.bin"));
        if (file.open(QIODevice::ReadOnly)) {
            result.rings = parse(file.readAll());
        }
        result.bounds.reserve(result.rings.size());
        for (const QPolygonF &ring : result.rings) {
            result.bounds.push_back(ring.boundingRect());
        }
        return result;
    }();
    return loaded;
}

// Whether a ray from the point eastwards crosses the ring an odd number of times.
bool insideRing(QPointF point, const QPolygonF &ring)
{
    bool inside = false;
    for (qsizetype i = 1; i < ring.size(); ++i) {
        const QPointF a = ring[i - 1];
        const QPointF b = ring[i];
        if ((a.y() > point.y()) != (b.y() > point.y()) &&
            point.x() < a.x() + (b.x() - a.x()) * (point.y() - a.y()) / (b.y() - a.y())) {
            inside = !inside;
        }
    }
    return inside;
}

} // namespace

const std::vector<QPolygonF> &landRings()
{
    return land().rings;
}

bool isOnLand(QPointF lonLat, const std::vector<QPolygonF> &rings)
{
    // The shipped rings carry their bounds; other rings are read whole.
    const std::vector<QRectF> *bounds = &rings == &land().rings ? &land().bounds : nullptr;
    bool onLand = false;
    for (std::size_t i = 0; i < rings.size(); ++i) {
        if (bounds != nullptr) {
            const QRectF &box = (*bounds)[i];
            if (lonLat.x() < box.left() || lonLat.x() > box.right() || lonLat.y() < box.top() ||
                lonLat.y() > box.bottom()) {
                continue;
            }
        }
        onLand ^= insideRing(lonLat, rings[i]);
    }
    return onLand;
}

} // namespace pelagor
