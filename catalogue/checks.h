// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The shape of a sea row and the compile-time checks made over the catalogue.
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

} // namespace pelagor::catalogue
