// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The map saved to a file for the teacher's worksheet: a PNG picture or an
// A4 PDF page, by the name's ending; written whole or not at all, and why
// not said in Bulgarian (saved_file.h).
#pragma once

#include "map/map_export.h"
#include "map/map_scene.h"

#include <QFont>
#include <QSize>
#include <QString>

#include <optional>

namespace pelagor {

enum class MapFileKind { Picture, Page };

// The kind a file name asks for, by its ending .png or .pdf in any case.
[[nodiscard]] std::optional<MapFileKind> mapFileKind(const QString &path);

// Writes the map of the scene to `path`: a picture of that size, or a page.
// The scene's view is framed anew for the picture's or the page's map where
// it is the one framed for its pick, else kept with its centre and scale.
// Returns an empty string when written, else a message saying why not.
[[nodiscard]] QString writeMapFile(const QString &path, const MapScene &scene, const QFont &font,
                                   const PictureSize &picture);

} // namespace pelagor
