// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The shape of the material on each sea and ocean (sea_facts.h, written by
// scripts/make-facts.py), and the compile-time checks made over it.
#pragma once

#include "catalogue/catalogue.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace pelagor::catalogue {

// Whose way of drawing a sea's limits a source follows: the Soviet, Russian
// and Bulgarian encyclopaedias, whose names this catalogue uses, or another.
enum class Tradition : std::uint8_t { Russian, Western };

// A published source: the work and its article, and the page read.
struct FactSource {
    std::u16string_view name;
    std::u16string_view url;
    Tradition tradition;
};

// One figure as one source gives it: the value in km² or m, the source by its
// index in kFactSources, the figure as the source states it, and whether the
// source gives only a bound ("over 4500 m").
struct Figure {
    std::u16string_view gave;
    std::int32_t value;
    std::uint16_t source;
    bool atLeast;
};

// A sentence of the material, written here, with the source it rests on.
struct Sentence {
    std::u16string_view text;
    std::uint16_t source;
};

// A country or territory on a coast: its ISO 3166-1 code and CLDR's
// Bulgarian name.
struct Country {
    std::u16string_view code;
    std::u16string_view name;
};

// A run of rows in one of the tables below.
struct Rows {
    std::uint16_t first;
    std::uint16_t count;
};

// A neighbour numbered from here on is an ocean (kOceanNeighbour + its
// number); below, a sea row.
inline constexpr std::uint16_t kOceanNeighbour = 100;

// What is known of one sea or ocean; each run points into the tables of
// sea_facts.h: figures into kFigures, coasts into kCoasts (indices of
// kCountries), neighbours into kNeighbours, sentences into kSentences.
struct Material {
    std::u16string_view name;
    Rows area;
    Rows maxDepth;
    Rows meanDepth;
    Rows coasts;
    Rows neighbours;
    Rows sentences;
};

// No figure: what shownFigure() gives where there is none.
inline constexpr std::size_t kNoFigure = static_cast<std::size_t>(-1);

// The figure shown of several, by its index in `figures`: the first of the
// Russian tradition, which draws the limits as this catalogue names the seas,
// else the first listed; kNoFigure when there are none. (Indices, not
// pointers: compared in a constant expression, a pointer is not one under
// the sanitizers.)
template <std::size_t F, std::size_t S>
constexpr std::size_t shownFigure(Rows rows, const Figure (&figures)[F],
                                  const FactSource (&sources)[S])
{
    if (rows.count == 0 || static_cast<std::size_t>(rows.first) + rows.count > F) {
        return kNoFigure;
    }
    for (std::size_t at = rows.first; at < static_cast<std::size_t>(rows.first) + rows.count;
         ++at) {
        if (figures[at].source < S && sources[figures[at].source].tradition == Tradition::Russian) {
            return at;
        }
    }
    return rows.first;
}

// The compile-time checks over sea_facts.h; each takes the tables it looks at.
namespace facts_checks {

constexpr bool sameName(std::u16string_view material, std::u16string_view listed)
{
    while (!listed.empty() && listed.back() == u' ') {
        listed.remove_suffix(1);
    }
    return material == listed;
}

constexpr bool within(Rows rows, std::size_t size)
{
    return static_cast<std::size_t>(rows.first) + rows.count <= size;
}

// A record for every sea, row for row with the list, and for every ocean, in
// the order of the buttons ("Тихи" becomes "Тихи океан").
template <std::size_t N, std::size_t M, std::size_t O>
consteval bool rowForRow(const Material (&seas)[N], const SeaRow (&list)[M],
                         const Material (&oceans)[O])
{
    for (std::size_t row = 0; row < std::min(N, M); ++row) {
        if (!sameName(seas[row].name, list[row].name)) {
            return false;
        }
    }
    for (std::size_t ocean = 0; ocean < std::min(O, kOceanCount); ++ocean) {
        const std::u16string_view caption = kOceanCaptions.at(ocean);
        const std::u16string_view name = oceans[ocean].name;
        if (!name.starts_with(caption) || name.substr(caption.size()) != u" океан") {
            return false;
        }
    }
    return N == M && O == kOceanCount;
}

// Every run lies in its table, and every index in it names a row there: a
// figure's and a sentence's source, a coast's country, a neighbour.
template <std::size_t R, std::size_t F, std::size_t S, std::size_t T, std::size_t C, std::size_t K,
          std::size_t B>
consteval bool
allIndicesValid(const Material (&records)[R], const Figure (&figures)[F],
                [[maybe_unused]] const FactSource (&sources)[S], const Sentence (&sentences)[T],
                [[maybe_unused]] const Country (&countries)[C], const std::uint16_t (&coasts)[K],
                const std::uint16_t (&neighbours)[B])
{
    for (const Material &record : records) {
        if (!within(record.area, F) || !within(record.maxDepth, F) ||
            !within(record.meanDepth, F) || !within(record.coasts, K) ||
            !within(record.neighbours, B) || !within(record.sentences, T)) {
            return false;
        }
    }
    const auto figureSourced = [](const Figure &figure) {
        return figure.source < S && !figure.gave.empty();
    };
    const auto sentenceSourced = [](const Sentence &sentence) {
        return sentence.source < S && !sentence.text.empty();
    };
    const auto countryKnown = [](std::uint16_t country) { return country < C; };
    const auto neighbourKnown = [](std::uint16_t neighbour) {
        return neighbour < kSeaCount ||
               (neighbour >= kOceanNeighbour && neighbour < kOceanNeighbour + kOceanCount);
    };
    return std::ranges::all_of(figures, figureSourced) &&
           std::ranges::all_of(sentences, sentenceSourced) &&
           std::ranges::all_of(coasts, countryKnown) &&
           std::ranges::all_of(neighbours, neighbourKnown);
}

// Each country has a name.
template <std::size_t C> consteval bool allCountriesNamed(const Country (&countries)[C])
{
    return std::ranges::all_of(countries, [](const Country &country) {
        return country.code.size() == 2 && !country.name.empty();
    });
}

// Two to four sentences for each.
template <std::size_t R> consteval bool twoToFourSentences(const Material (&records)[R])
{
    return std::ranges::all_of(records, [](const Material &record) {
        return record.sentences.count >= 2 && record.sentences.count <= 4;
    });
}

// The mean depth shown lies below the greatest depth shown.
template <std::size_t R, std::size_t F, std::size_t S>
consteval bool meanBelowDeepest(const Material (&records)[R], const Figure (&figures)[F],
                                const FactSource (&sources)[S])
{
    return std::ranges::all_of(records, [&](const Material &record) {
        const std::size_t mean = shownFigure(record.meanDepth, figures, sources);
        const std::size_t deepest = shownFigure(record.maxDepth, figures, sources);
        return mean == kNoFigure || deepest == kNoFigure ||
               figures[mean].value < figures[deepest].value;
    });
}

// If a sea names another as its neighbour, that one names it; oceans alike.
template <std::size_t N, std::size_t O, std::size_t B>
consteval bool neighboursMutual(const Material (&seas)[N], const Material (&oceans)[O],
                                const std::uint16_t (&neighbours)[B])
{
    const auto known = [](std::size_t number) {
        return number < N || (number >= kOceanNeighbour && number - kOceanNeighbour < O);
    };
    const auto rowsOf = [&](std::size_t number) {
        return number < N ? seas[number].neighbours : oceans[number - kOceanNeighbour].neighbours;
    };
    const auto names = [&](Rows rows, std::size_t wanted) {
        for (std::size_t at = rows.first;
             at < static_cast<std::size_t>(rows.first) + rows.count && at < B; ++at) {
            if (neighbours[at] == wanted) {
                return true;
            }
        }
        return false;
    };
    for (std::size_t number = 0; number < kOceanNeighbour + O; ++number) {
        if (!known(number)) {
            continue;
        }
        const Rows rows = rowsOf(number);
        for (std::size_t at = rows.first;
             at < static_cast<std::size_t>(rows.first) + rows.count && at < B; ++at) {
            const std::size_t other = neighbours[at];
            if (!known(other) || other == number || !names(rowsOf(other), number)) {
                return false;
            }
        }
    }
    return true;
}

// A sea that lies inside another is smaller than it, by every value given.
template <std::size_t N, std::size_t F>
consteval bool smallerThan(const Material (&seas)[N], const Figure (&figures)[F],
                           std::initializer_list<std::size_t> inside, std::size_t outer)
{
    const Rows whole = seas[outer].area;
    for (const std::size_t row : inside) {
        const Rows part = seas[row].area;
        for (std::size_t at = part.first; at < static_cast<std::size_t>(part.first) + part.count;
             ++at) {
            for (std::size_t of = whole.first;
                 of < static_cast<std::size_t>(whole.first) + whole.count; ++of) {
                if (figures[at].value >= figures[of].value) {
                    return false;
                }
            }
        }
    }
    return true;
}

} // namespace facts_checks

} // namespace pelagor::catalogue
