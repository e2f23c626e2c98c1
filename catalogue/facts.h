// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the material on each sea and ocean says, in the words and numbers a
// pupil reads: the figures with their range where sources differ, the
// countries on its coasts, its neighbours, its sentences and their sources.
// The material itself is sea_facts.h, written from catalogue/facts/.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace pelagor::catalogue {

struct Material;

// The material of a sea by its row, of an ocean by its number.
[[nodiscard]] const Material &seaMaterial(int row);
[[nodiscard]] const Material &oceanMaterial(int ocean);

enum class Measure { Area, GreatestDepth, MeanDepth };

// One measure as the sources give it: the value shown (the rule in
// catalogue/facts/README.md), the smallest and the largest recorded.
struct Measured {
    int shown = 0;
    int least = 0;
    int most = 0;
    // Whether the value shown is only a bound: "над 4500 м".
    bool atLeast = false;
    // Whether the largest is more than 15 % above the smallest: then the
    // range is shown, and why it is one.
    [[nodiscard]] bool differs() const;
};
[[nodiscard]] std::optional<Measured> measured(const Material &material, Measure measure);

// A whole number as Bulgarian writes it: "2212", "436 400" (a non-breaking
// space between the thousands from five digits on).
[[nodiscard]] QString bulgarianNumber(qint64 value);

// The measure for a reader: "436 400 км²", "2212 м", "над 4500 м" where the
// source gives only a bound, "от 280 000 до 453 000 км²" where the sources
// differ, "няма данни" where none gives it.
[[nodiscard]] QString measureText(const Material &material, Measure measure);
// The same without its unit, for a table whose header names it: "436 400",
// "над 4500", "от 280 000 до 453 000", "няма данни".
[[nodiscard]] QString measureValue(const Material &material, Measure measure);
// Where the sources differ, the sentence that says so, else empty:
// "Източниците дават от 280 000 до 453 000 км², според това докъде теглят
// границите му."
[[nodiscard]] QString rangeSentence(const Material &material, Measure measure);

// The countries and territories on its coasts, in CLDR's Bulgarian names.
[[nodiscard]] QStringList countryNames(const Material &material);
// Its neighbours: seas as the list names them (without trailing blanks),
// oceans with "океан".
[[nodiscard]] QStringList neighbourNames(const Material &material);
// The neighbours as numbers: a sea's row, or kOceanNeighbour + an ocean's number.
[[nodiscard]] std::vector<int> neighbourNumbers(const Material &material);
[[nodiscard]] QStringList sentences(const Material &material);
// Every source it rests on, each once, in the order first used.
[[nodiscard]] QStringList sourceNames(const Material &material);

} // namespace pelagor::catalogue
