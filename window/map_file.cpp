// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/map_file.h"

#include "catalogue/card_text.h"
#include "map/map_export.h"
#include "window/saved_file.h"
#include "window/text_pages.h"

#include <QDir>
#include <QFileInfo>

namespace pelagor {

namespace {

namespace catalogue = pelagor::catalogue;

constexpr double kHeadingPoints = 16;
constexpr double kTextPoints = 11;
constexpr double kSourcesPoints = 9;

TextBlock block(const QString &text, double after, double points = kTextPoints, bool bold = false)
{
    return {text, points, bold, 0, after, {}};
}

void addFigures(std::vector<TextBlock> &blocks, const std::vector<catalogue::CardFigure> &figures,
                double line)
{
    for (const catalogue::CardFigure &figure : figures) {
        blocks.push_back(block(catalogue::figureLine(figure), line / 4));
        if (!figure.rangeNote.isEmpty()) {
            blocks.push_back({figure.rangeNote, kTextPoints, false, line * 1.5, line / 4, {}});
        }
    }
    blocks.back().after = line / 2;
}

// The card of what the sheet's map shows, as blocks of the second page: a
// sea's whole card, or an ocean's figures and the table of its seas.
std::vector<TextBlock> cardBlocks(const MapScene &scene, double line)
{
    std::vector<TextBlock> blocks;
    if (scene.shown() == MapScene::Shown::Sea && scene.sea() >= 0) {
        const catalogue::SeaCard card = catalogue::seaCard(scene.sea());
        blocks.push_back(block(card.name, line / 4, kHeadingPoints, true));
        blocks.push_back(block(card.ocean, line / 2));
        addFigures(blocks, card.figures, line);
        blocks.push_back(block(catalogue::coastsLine(card), line / 4));
        blocks.push_back(block(catalogue::neighboursLine(card), line / 2));
        blocks.push_back(block(card.sentences.join(u' '), line));
        blocks.push_back(block(card.sources, 0, kSourcesPoints));
    } else if (scene.shown() == MapScene::Shown::Ocean && scene.ocean() >= 0) {
        const catalogue::OceanCard card = catalogue::oceanCard(scene.ocean());
        blocks.push_back(block(card.name, line / 2, kHeadingPoints, true));
        addFigures(blocks, card.figures, line);
        blocks.push_back(block(card.sentences.join(u' '), line));
        blocks.push_back(block(card.seasHeading, line / 4, kTextPoints, true));
        TextBlock titles = block({}, line / 4, kTextPoints, true);
        for (const auto column : {catalogue::CardColumn::Name, catalogue::CardColumn::Area,
                                  catalogue::CardColumn::Depth}) {
            titles.cells << catalogue::cardColumnTitle(column).replace(u'\n', u' ');
        }
        blocks.push_back(titles);
        for (const catalogue::CardTableRow &sea : card.seas) {
            TextBlock row = block({}, 0);
            row.cells << sea.name << sea.area << sea.depth;
            blocks.push_back(row);
        }
        blocks.back().after = line;
        blocks.push_back(block(card.sources, 0, kSourcesPoints));
    }
    return blocks;
}

} // namespace

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
        // The card of the pick on a page of its own; none where the map
        // keeps the names to itself.
        MorePages card;
        if (!drawn.namesHidden() &&
            (drawn.shown() == MapScene::Shown::Sea || drawn.shown() == MapScene::Shown::Ocean)) {
            card = [&drawn, &font](QPainter &painter, QPagedPaintDevice &device) {
                return drawTextPages(painter, device, cardBlocks(drawn, textLine(font, device)),
                                     font, 1);
            };
        }
        return writeWhole(path,
                          [&](QIODevice &out) { return writeMapPage(drawn, font, out, card); });
    }
    drawn.setSize(pictureMapArea(picture.logical, font));
    return writeWhole(path,
                      [&](QIODevice &out) { return writeMapPicture(drawn, picture, font, out); });
}

} // namespace pelagor
