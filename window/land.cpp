// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A stand-in for the land outline: a few boxes where the continents are, until
// the real outline is carried in.
#include "window/land.h"

namespace pelagor {

namespace {

QPolygonF box(double west, double south, double east, double north)
{
    return QPolygonF({QPointF(west, south), QPointF(east, south), QPointF(east, north),
                      QPointF(west, north), QPointF(west, south)});
}

} // namespace

const std::vector<QPolygonF> &landRings()
{
    static const std::vector<QPolygonF> rings{
        box(-168, 15, -55, 72),   // North America
        box(-80, -55, -35, 12),   // South America
        box(-17, -35, 51, 37),    // Africa
        box(-10, 36, 28, 71),     // Europe
        box(44, 42, 48, 47),      // a lake's island in the Caspian, for the odd rule
        box(26, 45, 180, 77),     // Asia
        box(-180, 60, -168, 70),  // Chukotka beyond the 180th meridian
        box(113, -39, 153, -11),  // Australia
        box(-180, -90, 180, -70), // Antarctica
        box(-55, 60, -20, 83),    // Greenland
        box(28, 41, 42, 42),      // the Black Sea's southern shore
    };
    return rings;
}

bool isOnLand(QPointF lonLat, const std::vector<QPolygonF> &rings)
{
    int inside = 0;
    for (const QPolygonF &ring : rings) {
        if (ring.containsPoint(lonLat, Qt::OddEvenFill)) {
            ++inside;
        }
    }
    return inside % 2 == 1;
}

} // namespace pelagor
