// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The questions every part of the program asks of the catalogue, answered
// in one place.
#pragma once

#include <QString>

namespace pelagor::catalogue {

// The ocean number of a sea row.
[[nodiscard]] int oceanOf(int sea);
// A sea's name as the list spells it, without the blank some end in:
// "Арабско море".
[[nodiscard]] QString seaName(int sea);
// An ocean's full name: "Тихи океан".
[[nodiscard]] QString oceanName(int ocean);

} // namespace pelagor::catalogue
