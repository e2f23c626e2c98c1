// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/land.h"

#include <QByteArrayView>
#include <QRectF>
#include <QResource>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <atomic>

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

// The rings of the file, or none if it is not whole. The sizes and the steps
// are read straight from the bytes: a stream that reads them one by one takes
// three times as long as all the rest of the map's first frame.
std::vector<QPolygonF> parse(QByteArrayView bytes)
{
    if (bytes.size() < kHeaderSize) {
        return {};
    }
    const auto at = [&bytes](qsizetype offset, qsizetype length) {
        return bytes.sliced(offset, length).data();
    };
    const auto version = qFromLittleEndian<quint16>(at(4, 2));
    const auto unitsPerDegree = qFromLittleEndian<quint16>(at(6, 2));
    const auto ringCount = qFromLittleEndian<quint32>(at(8, 4));
    const auto pointCount = qFromLittleEndian<quint32>(at(12, 4));
    if (!std::equal(kMagic.begin(), kMagic.end(), at(0, 4)) || version != kVersion ||
        unitsPerDegree == 0 ||
        bytes.size() != kHeaderSize + 4 * (qsizetype{ringCount} + qsizetype{pointCount})) {
        return {};
    }
    qsizetype step = kHeaderSize + 4 * qsizetype{ringCount};
    std::vector<QPolygonF> rings;
    rings.reserve(ringCount);
    quint32 pointsLeft = pointCount;
    for (quint32 r = 0; r < ringCount; ++r) {
        const auto size = qFromLittleEndian<quint32>(at(kHeaderSize + 4 * qsizetype{r}, 4));
        if (size < 3 || size > pointsLeft) {
            return {};
        }
        pointsLeft -= size;
        QPolygonF ring(qsizetype{size} + 1);
        int x = 0;
        int y = 0;
        for (qsizetype i = 0; i < qsizetype{size}; ++i, step += 4) {
            x += qFromLittleEndian<qint16>(at(step, 2));
            y += qFromLittleEndian<qint16>(at(step + 2, 2));
            ring[i] = QPointF(double(x) / unitsPerDegree, double(y) / unitsPerDegree);
        }
        ring[qsizetype{size}] = ring[0];
        rings.push_back(std::move(ring));
    }
    return rings;
}

Land load(const QString &path)
{
    // A resource kept unpacked is read where it lies in the program.
    Land result;
    const QResource resource(path);
    if (resource.isValid()) {
        if (resource.compressionAlgorithm() == QResource::NoCompression) {
            result.rings = parse(QByteArrayView(resource.data(), resource.size()));
        } else {
            result.rings = parse(resource.uncompressedData());
        }
    }
    result.bounds.reserve(result.rings.size());
    for (const QPolygonF &ring : result.rings) {
        result.bounds.push_back(ring.boundingRect());
    }
    return result;
}

// Each scale is read on its first use, and not before: the fine land only
// when a deep zoom or a check asks for it.
const Land &mediumLand()
{
    static const Land loaded = load(QStringLiteral(":/map/land-50m.bin"));
    return loaded;
}

// The fine land once it is loaded, for telling its rings by their address
// without loading it.
std::atomic<const Land *> loadedFineLand{nullptr};

const Land &fineLand()
{
    static const Land loaded = load(QStringLiteral(":/map/land-10m.bin"));
    loadedFineLand.store(&loaded, std::memory_order_release);
    return loaded;
}

const Land &land(LandDetail detail)
{
    return detail == LandDetail::Fine ? fineLand() : mediumLand();
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

// Whether the point lies inside an odd number of the rings; where their
// bounds are given, the rings whose bounds leave the point out are passed over.
bool inside(QPointF lonLat, const std::vector<QPolygonF> &rings, const std::vector<QRectF> *bounds)
{
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

} // namespace

const std::vector<QPolygonF> &landRings(LandDetail detail)
{
    return land(detail).rings;
}

const std::vector<QRectF> &landBounds(LandDetail detail)
{
    return land(detail).bounds;
}

bool isOnLand(QPointF lonLat, const std::vector<QPolygonF> &rings)
{
    // The shipped rings carry their bounds; other rings are read whole. The
    // medium land is the default argument, so it is loaded anyway; rings of
    // the fine land can only have been handed over once it is loaded, so it
    // is never loaded here.
    if (&rings == &mediumLand().rings) {
        return inside(lonLat, rings, &mediumLand().bounds);
    }
    if (const Land *fine = loadedFineLand.load(std::memory_order_acquire);
        fine != nullptr && &rings == &fine->rings) {
        return inside(lonLat, rings, &fine->bounds);
    }
    return inside(lonLat, rings, nullptr);
}

bool isOnLand(QPointF lonLat, LandDetail detail)
{
    const Land &shipped = land(detail);
    return inside(lonLat, shipped.rings, &shipped.bounds);
}

} // namespace pelagor
