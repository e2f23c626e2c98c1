// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the rest of the program asks of the catalogue, answered here once:
// the ocean of a sea, the seas of an ocean, a sea's and an ocean's name as
// a sentence writes it, and a sea or an ocean by the name a user types.
#pragma once

#include "catalogue/checks.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <vector>

namespace pelagor::catalogue {

// The ocean number (0 to 4) of a sea row.
[[nodiscard]] int oceanOfSea(int row);
// The oceans an answer may name for a sea, its own first: the list's, and
// for "Бяло море" also the Arctic Ocean, in which hydrographers count the
// White Sea of northern Russia, where its point lies (the list puts it with
// the Atlantic, as the lesson gives it).
[[nodiscard]] std::vector<int> oceansCountedFor(int row);
// The rows of the seas of an ocean, in the list's order.
[[nodiscard]] std::vector<int> seasOfOcean(int ocean);
// The rows of the seas of the oceans chosen, by ocean number, in the list's order.
[[nodiscard]] std::vector<int> seasOfOceans(const std::array<bool, kOceanCount> &oceans);
// Every sea row, in order.
[[nodiscard]] std::vector<int> allSeas();
// Whether a number is a sea row, or an ocean number.
[[nodiscard]] bool isSea(int row);
[[nodiscard]] bool isOcean(int ocean);

// A sea's name as the list writes it, without the blank some end in:
// "Арабско море".
[[nodiscard]] QString seaName(int row);
// A sea's name as a map's list of several seas gives it, without the word
// "море": "Бали", "Черно"; a gulf or a bay keeps its word: "Бенгалски залив".
[[nodiscard]] QString seaShortName(int row);
// An ocean's caption in the form: "Тихи".
[[nodiscard]] QString oceanCaption(int ocean);
// An ocean's name: "Тихи океан".
[[nodiscard]] QString oceanName(int ocean);
// The oceans a sea is counted in, named: "Тихи океан", "Атлантически или
// Северен ледовит океан".
[[nodiscard]] QString oceansNamedFor(int row);
// The five captions in the form's order, as a sentence lists them:
// "Атлантически, Индийски, Северен ледовит, Тихи и Южен".
[[nodiscard]] QString oceanCaptionsListed();

// The row of the sea so named, as the list spells it: letter case, blanks
// before and after, and ' or ’ for the ` of "Море Д`Юрвил" forgiven.
[[nodiscard]] std::optional<int> seaNamed(QStringView name);
// The number of the ocean so named: its caption in the form ("Тихи"), or
// that and the word "океан" ("Тихи океан"), letter case and blanks forgiven.
[[nodiscard]] std::optional<int> oceanNamed(QStringView name);

} // namespace pelagor::catalogue
