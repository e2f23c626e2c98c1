// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/map_file.h"

#include "map/map_export.h"
#include "window/saved_file.h"

#include <QDir>
#include <QFileInfo>

namespace pelagor {

std::optional<MapFileKind> mapFileKind(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("png")) {
        return MapFileKind::Picture;
    }
    if (suffix == QStringLiteral("pdf")) {
        return MapFileKind::Page;
    }
    return std::nullopt;
}

QString writeMapFile(const QString &path, const MapScene &scene, const QFont &font,
                     const PictureSize &picture)
{
    const std::optional<MapFileKind> kind = mapFileKind(path);
    if (!kind) {
        return QStringLiteral("Картата се записва като PNG или PDF: името на файла „%1“ трябва да "
                              "завършва на .png или .pdf.")
            .arg(QDir::toNativeSeparators(path));
    }
    // The map as a picture shows it: no pointer over it, no keyboard in it.
    MapScene drawn = scene;
    drawn.setHovered(-1);
    drawn.clearFocus();
    drawn.rest();
    if (*kind == MapFileKind::Page) {
        drawn.setSize(pageMapArea(font));
        return writeWhole(path, [&](QIODevice &out) { return writeMapPage(drawn, font, out); });
    }
    drawn.setSize(pictureMapArea(picture.logical, font));
    return writeWhole(path,
                      [&](QIODevice &out) { return writeMapPicture(drawn, picture, font, out); });
}

} // namespace pelagor
