// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The map as a screen reader finds it: its buttons and, after them, one
// child for each target shown, named after its sea (a group after its seas),
// described by its position in words, with its place on the screen and an
// action that picks it.
#pragma once

#include <cstddef>

namespace pelagor {

class SeaMap;

// Lets Qt's accessibility give every map its children; once is enough.
void installMapAccessibility();
// The targets shown have changed: their children are made anew.
void mapAccessibleTargetsChanged(SeaMap *map);
// The keyboard's focus is on the target with this index.
void mapAccessibleFocusMoved(SeaMap *map, std::size_t index);

} // namespace pelagor
