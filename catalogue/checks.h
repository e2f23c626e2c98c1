// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The shape of a sea row and of a sea's place, and the compile-time checks
// made over the catalogue and over the table of places (sea_points.h).
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace pelagor::catalogue {

inline constexpr std::size_t kOceanCount = 5;
inline constexpr std::size_t kSeaCount = 82;
inline constexpr std::size_t kLongestSeaName = 21;

// One row of the sea list: the name as shown, and the ocean number as the text
// the hidden list holds ("0" to "4").
struct SeaRow {
    std::u16string_view name;
    std::u16string_view oceanNumber;
};

template <std::size_t N> consteval bool allNamesFit(const SeaRow (&seas)[N])
{
    return std::ranges::all_of(seas, [](const SeaRow &sea) {
        return !sea.name.empty() && sea.name.size() <= kLongestSeaName;
    });
}

template <std::size_t N> consteval bool allOceanNumbersValid(const SeaRow (&seas)[N])
{
    return std::ranges::all_of(seas, [](const SeaRow &sea) {
        return sea.oceanNumber.size() == 1 && sea.oceanNumber[0] >= u'0' &&
               sea.oceanNumber[0] < u'0' + kOceanCount;
    });
}

template <std::size_t N> consteval std::size_t countOf(const SeaRow (&seas)[N], char16_t oceanDigit)
{
    std::size_t count = 0;
    for (const SeaRow &sea : seas) {
        if (sea.oceanNumber == std::u16string_view(&oceanDigit, 1)) {
            ++count;
        }
    }
    return count;
}

// Code-unit order of UTF-16 is code-point order for Cyrillic and ASCII.
template <std::size_t N> consteval bool inAscendingOrder(const SeaRow (&seas)[N])
{
    for (std::size_t row = 1; row < N; ++row) {
        if (!(seas[row - 1].name < seas[row].name)) {
            return false;
        }
    }
    return true;
}

// A place on the globe in degrees: latitude north positive, longitude east
// positive.
struct GeoPoint {
    double latitude;
    double longitude;
};

// One row of the table of places: the sea's name as the sea list spells it,
// and a point in its water.
struct SeaPlace {
    std::u16string_view name;
    GeoPoint point;
};

// The places name the seas of the list, row for row.
template <std::size_t N, std::size_t M>
consteval bool sameSeasInOrder(const SeaPlace (&places)[N], const SeaRow (&seas)[M])
{
    for (std::size_t row = 0; row < std::min(N, M); ++row) {
        if (places[row].name != seas[row].name) {
            return false;
        }
    }
    return N == M;
}

template <std::size_t N> consteval bool allLatitudesValid(const SeaPlace (&places)[N])
{
    return std::ranges::all_of(places, [](const SeaPlace &place) {
        return place.point.latitude >= -90.0 && place.point.latitude <= 90.0;
    });
}

// The 180th meridian is written east, as 180.
template <std::size_t N> consteval bool allLongitudesValid(const SeaPlace (&places)[N])
{
    return std::ranges::all_of(places, [](const SeaPlace &place) {
        return place.point.longitude > -180.0 && place.point.longitude <= 180.0;
    });
}

// A number of degrees in whole tenths, rounded to the nearest.
constexpr long long tenthsOf(double degrees)
{
    const double tenths = degrees * 10.0;
    return static_cast<long long>(tenths < 0.0 ? tenths - 0.5 : tenths + 0.5);
}

// Whether a number of degrees is written with at most one decimal place.
constexpr bool inTenths(double degrees)
{
    const double tenths = degrees * 10.0;
    const double left = tenths - static_cast<double>(tenthsOf(degrees));
    return left > -1e-9 && left < 1e-9;
}

template <std::size_t N> consteval bool allInTenths(const SeaPlace (&places)[N])
{
    return std::ranges::all_of(places, [](const SeaPlace &place) {
        return inTenths(place.point.latitude) && inTenths(place.point.longitude);
    });
}

// No two seas are given the same point, to the tenth of a degree (the
// position the program shows would not tell them apart).
template <std::size_t N> consteval bool allPointsDistinct(const SeaPlace (&places)[N])
{
    for (std::size_t row = 0; row < N; ++row) {
        for (std::size_t other = row + 1; other < N; ++other) {
            if (tenthsOf(places[row].point.latitude) == tenthsOf(places[other].point.latitude) &&
                tenthsOf(places[row].point.longitude) == tenthsOf(places[other].point.longitude)) {
                return false;
            }
        }
    }
    return true;
}

// A list of sea names, in an order of its own, that names every sea of the
// catalogue exactly once, spelt as the list spells it.
template <std::size_t N, std::size_t M>
consteval bool eachSeaOnce(const std::u16string_view (&names)[N], const SeaRow (&seas)[M])
{
    return N == M && std::ranges::all_of(seas, [&names](const SeaRow &sea) {
               return std::ranges::count(names, sea.name) == 1;
           });
}

} // namespace pelagor::catalogue
