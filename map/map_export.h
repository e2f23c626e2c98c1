// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The map for the teacher's worksheet: saved as a PNG picture, or as an A4
// landscape PDF with a title line, through Qt GUI alone (no Print Support).
#pragma once

#include <QString>

namespace pelagor {

class SeaMap;

// The line that names what the map shows: "Тихи океан — 29 морета",
// "Черно море — Атлантически океан", or the whole world.
[[nodiscard]] QString mapCaption(const SeaMap &map);

// Writes the map as it is shown now, at its size, to a file whose name ends
// in .png or .pdf (in any case). The file is written whole or not at all: on
// failure nothing is left behind and *error (if given) says why, in Bulgarian.
bool saveMap(SeaMap &map, const QString &file, QString *error);

} // namespace pelagor
