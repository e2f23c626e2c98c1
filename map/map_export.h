// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The map for the teacher's worksheet, drawn onto a device: a PNG picture
// with the caption line above the map, or an A4 landscape PDF page with
// the title once and the map filling the rest, its texts as text. It is an
// atlas page: every sea of the view a mark of its own (drawn aside, with a
// line to its point, where seas crowd) and named where its name fits. Where the
// bytes go is the caller's (the window writes files whole).
#pragma once

#include "map/map_scene.h"

#include <QFont>
#include <QSize>
#include <QString>

#include <functional>

class QIODevice;
class QPagedPaintDevice;
class QPainter;

namespace pelagor {

// The size, in logical pixels, of a picture `pixels` large, and its ratio
// of pixels to logical ones: as large as the map window first is or larger,
// so that a larger picture shows the same area in more detail, not more of
// the earth.
struct PictureSize {
    QSizeF logical;
    double ratio = 1;
};
[[nodiscard]] PictureSize pictureSize(QSizeF pixels);

// The map's area in a picture of that logical size, below its caption line.
[[nodiscard]] QSizeF pictureMapArea(QSizeF logical, const QFont &font);

// Writes the scene as a PNG picture of the logical size at the ratio, the
// caption line above the map. The scene is drawn as it is, at the map area's
// size: set it first (pictureMapArea).
bool writeMapPicture(const MapScene &scene, const PictureSize &size, const QFont &font,
                     QIODevice &out);

// The map's area on the A4 page, in logical pixels: the room below the title
// as large as the map window first is, drawn larger.
[[nodiscard]] QSizeF pageMapArea(const QFont &font);
// Pages to follow the map's on the sheet: drawn by the caller onto the
// device's next page (already begun), the painter untransformed. False
// where one could not be drawn.
using MorePages = std::function<bool(QPainter &painter, QPagedPaintDevice &device)>;

// Writes the scene as an A4 landscape PDF page: its caption as the page's
// title, the map below it at the size of pageMapArea(); then the pages
// `more` draws, where given.
bool writeMapPage(const MapScene &scene, const QFont &font, QIODevice &out,
                  const MorePages &more = {});

} // namespace pelagor
