// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the map says, in Bulgarian: its caption line, the names on its
// marks, the positions of its seas as shown and in words, and what a screen
// reader is told of the map and of each mark.
#pragma once

#include "map/map_scene.h"

#include <QString>

namespace pelagor {

// A place as shown ("11,6° с. ш., 123,6° и. д.") or, `inWords`, as a screen
// reader says it ("11,6 градуса северна ширина, …").
[[nodiscard]] QString positionText(GeoPoint point, bool inWords);

// The line that names what the map shows: "Тихи океан — 29 морета",
// "Черно море — Атлантически океан".
[[nodiscard]] QString captionText(const MapScene &scene);
// What a screen reader is told of the map as a whole.
[[nodiscard]] QString descriptionText(const MapScene &scene);

// A target's accessible name: its sea, or a group's count and seas; "Море"
// while names are hidden.
[[nodiscard]] QString targetName(const MapScene &scene, const Target &target);
// A target's position, as shown or in words, after the mark's note for the
// picked sea in words.
[[nodiscard]] QString targetPosition(const MapScene &scene, const Target &target, bool inWords);
// The name drawn beside a mark: its sea's, or a group's count ("5 морета").
[[nodiscard]] QString plateText(const Target &target);

} // namespace pelagor
