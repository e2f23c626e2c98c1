// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where each sea of the catalogue lies: one point in its water, row for row
// with the sea list (catalogue.h), in degrees to one decimal place: latitude
// north positive, longitude east positive. The map marks the seas here. The
// catalogue itself stays as the lesson gives it; this table only stands
// beside it, and the checks at its end keep the two aligned.
#pragma once

#include "catalogue/checks.h"

#include <array>

namespace pelagor::catalogue {

struct GeoPoint {
    double latitude;
    double longitude;
};

// TODO(map data): the 82 points, checked. Made-up stand-ins until then.
inline constexpr std::array<GeoPoint, kSeaCount> kSeaPoints = [] {
    std::array<GeoPoint, kSeaCount> points{};
    for (std::size_t row = 0; row < kSeaCount; ++row) {
        points[row] = {-60.0 + static_cast<double>(row % 12) * 12.0,
                       -170.0 + static_cast<double>(row) * 4.1};
    }
    points[11] = {58.0, -178.0}; // Берингово море
    points[38] = {-17.5, 179.5}; // Море Коро
    points[43] = {83.0, -57.0};  // Море Линкълн
    points[77] = {43.2, 34.0};   // Черно море
    return points;
}();

} // namespace pelagor::catalogue
