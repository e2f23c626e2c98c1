// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The seas and oceans named on the command line, as the form gives them.
#pragma once

#include <QStringView>

#include <optional>

namespace pelagor {

// The catalogue row of the sea so named, as the list spells it: letter case,
// blanks before and after, and ' or ’ for the ` of "Море Д`Юрвил" forgiven.
[[nodiscard]] std::optional<int> seaNamed(QStringView name);

// The number of the ocean so named: its caption in the form ("Тихи"), or
// that and the word "океан" ("Тихи океан"), letter case and blanks forgiven.
[[nodiscard]] std::optional<int> oceanNamed(QStringView name);

} // namespace pelagor
