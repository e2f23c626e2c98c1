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

// TODO(map data): the 82 points, checked.
inline constexpr std::array<GeoPoint, kSeaCount> kSeaPoints{};

} // namespace pelagor::catalogue
