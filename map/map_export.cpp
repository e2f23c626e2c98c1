// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/map_export.h"

#include "catalogue/lookup.h"
#include "map/caption_bar.h"
#include "map/map_layers.h"
#include "map/map_words.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace pelagor {

namespace {

// The title of a numbered map round a sea.
const QString kContourTitle = QStringLiteral("Контурна карта");

// The name the title line gives the program.
const QString kProgramName = QStringLiteral("Пелагор");

// The map window's first size, about: a picture at least this large shows
// what the window shows, larger.
constexpr QSizeF kWindowSize{750, 420};

// A page is laid out at the screen's 96 dots an inch, so that the map and
// its texts keep the shapes and sizes they have on the screen; the land's
// picture on it has 300 dots an inch.
constexpr int kPageDpi = 96;
constexpr double kLandDpi = 300;
// What most printers can print to: 10 mm from each edge.
constexpr double kPageMargin = 10;
constexpr double kTitlePoints = 14;
constexpr double kKeyPoints = 12;

QPageLayout pageLayout()
{
    return {QPageSize(QPageSize::A4), QPageLayout::Landscape,
            QMarginsF(kPageMargin, kPageMargin, kPageMargin, kPageMargin), QPageLayout::Millimeter};
}

QFont titleFont(const QFont &font)
{
    QFont title = font;
    title.setPointSizeF(kTitlePoints);
    return title;
}

// The page's printable area, its title line, and the room for the map
// below it, in the page's dots.
struct PageParts {
    QRectF title;
    QRectF map;
};

PageParts pageParts(const QFont &font)
{
    const QRectF page(QPointF(0, 0), pageLayout().paintRectPixels(kPageDpi).size());
    const double line = QFontMetricsF(titleFont(font)).height();
    const double gap = line / 2;
    return {.title = QRectF(page.topLeft(), QSizeF(page.width(), line)),
            .map = page.adjusted(0, line + gap, 0, 0)};
}

// The scene as paper shows it, where a group's mark cannot be opened: every
// sea a mark of its own, drawn aside where seas crowd; on a numbered map,
// no sea named on it.
MapScene onPaper(const MapScene &scene)
{
    MapScene paper = scene;
    paper.setMarksApart(true);
    if (scene.numbered()) {
        paper.setNamesHidden(true);
    }
    return paper;
}

void drawLayers(QPainter &painter, const MapScene &paper, const QFont &font, double ratio,
                bool onPage)
{
    MapLayers layers;
    layers.draw({.painter = painter,
                 .scene = paper,
                 .origin = painter.transform().map(QPointF(0, 0)),
                 .pixelRatio = ratio,
                 .onPage = onPage,
                 .focusShown = false,
                 .font = font,
                 .paintAgain = {}});
}

// The title line: the map's caption; on a numbered map round a sea, which
// would name it, what it is.
QString titleOf(const MapScene &scene)
{
    if (scene.numbered() && scene.shown() == MapScene::Shown::Sea) {
        return kContourTitle;
    }
    return captionText(scene);
}

// A numbered map's key: each mark's number and its sea's name, in the order
// of the numbers.
QStringList keyLines(const MapScene &paper)
{
    QStringList lines;
    const std::vector<std::size_t> order = paper.tabOrder();
    for (std::size_t n = 0; n < order.size(); ++n) {
        lines << QStringLiteral("%1. %2").arg(n + 1).arg(
            catalogue::seaName(paper.targets()[order[n]].rows.front()));
    }
    return lines;
}

// The key laid out in columns, read down each, each column as wide as its
// longest line: in the map's letters, or smaller, down to the last of
// kKeyShares of them, where it would take more height than `room`; in as
// few rows as the width allows, or on a page (`tall`) in as few columns as
// its height allows.
struct KeyLayout {
    QFont font;
    qsizetype rows = 0;
    // Where each column starts, from the key's left.
    std::vector<double> columns;
    double line = 0;
    double height = 0;
};

constexpr std::array kKeyShares{1.0, 0.9, 0.8, 0.7, 0.6, 0.5};
// The least height of the map above a key in a picture, in logical pixels.
constexpr double kSmallestMap = 60;
constexpr double kKeyPadding = 4;

KeyLayout keyLayout(const QStringList &lines, const QFont &font, double width, double room,
                    bool tall = false)
{
    KeyLayout layout;
    const qsizetype count = std::max<qsizetype>(1, lines.size());
    for (const double share : kKeyShares) {
        layout.font = font;
        if (font.pointSizeF() > 0) {
            layout.font.setPointSizeF(font.pointSizeF() * share);
        } else {
            layout.font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * share)));
        }
        const QFontMetricsF metrics(layout.font);
        const double gap = 2 * metrics.averageCharWidth();
        std::vector<double> widths;
        widths.reserve(static_cast<std::size_t>(lines.size()));
        for (const QString &line : lines) {
            widths.push_back(metrics.horizontalAdvance(line));
        }
        // The fewest rows whose columns fit side by side.
        const qsizetype fewest =
            tall
                ? std::clamp<qsizetype>(
                      static_cast<qsizetype>((room - 2 * kKeyPadding) / metrics.height()), 1, count)
                : 1;
        for (qsizetype rows = fewest; rows <= count; ++rows) {
            std::vector<double> starts;
            double at = kKeyPadding;
            for (qsizetype first = 0; first < lines.size(); first += rows) {
                starts.push_back(at);
                const auto from = widths.begin() + first;
                const auto to = widths.begin() + std::min(first + rows, lines.size());
                at += *std::max_element(from, to) + gap;
            }
            if (at - gap <= width - kKeyPadding || rows == count) {
                layout.rows = rows;
                layout.columns = std::move(starts);
                break;
            }
        }
        layout.line = metrics.height();
        layout.height = static_cast<double>(layout.rows) * layout.line + 2 * kKeyPadding;
        if (layout.height <= room) {
            break;
        }
    }
    return layout;
}

void drawKey(QPainter &painter, const QRectF &area, const QStringList &lines,
             const KeyLayout &layout)
{
    painter.save();
    painter.setClipRect(area);
    painter.setFont(layout.font);
    painter.setPen(Qt::black);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype rows = std::max<qsizetype>(1, layout.rows);
        const auto column = static_cast<std::size_t>(i / rows);
        const qsizetype row = i % rows;
        const double left = column < layout.columns.size() ? layout.columns[column] : 0;
        const double right =
            column + 1 < layout.columns.size() ? layout.columns[column + 1] : area.width();
        const QRectF place(area.left() + left,
                           area.top() + kKeyPadding + static_cast<double>(row) * layout.line,
                           right - left, layout.line);
        painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, lines[i]);
    }
    painter.restore();
}

// The second page of a numbered map: its key under a title of its own.
void writeKeyPage(QPainter &painter, const PageParts &parts, const QString &title,
                  const QStringList &lines, const QFont &font)
{
    painter.setFont(titleFont(font));
    painter.setPen(Qt::black);
    painter.drawText(parts.title, Qt::AlignLeft | Qt::AlignVCenter,
                     title == kContourTitle ? QStringLiteral("Ключ към контурната карта")
                                            : QStringLiteral("Ключ към картата: %1").arg(title));
    painter.drawText(parts.title, Qt::AlignRight | Qt::AlignVCenter, kProgramName);
    QFont keyFont = font;
    keyFont.setPointSizeF(kKeyPoints);
    const KeyLayout layout = keyLayout(lines, keyFont, parts.map.width(), parts.map.height(), true);
    drawKey(painter, parts.map, lines, layout);
}

} // namespace

PictureSize pictureSize(QSizeF pixels)
{
    const QSizeF size(std::max(1.0, pixels.width()), std::max(1.0, pixels.height()));
    const double ratio = std::max(
        1.0, std::min(size.width() / kWindowSize.width(), size.height() / kWindowSize.height()));
    return {.logical = size / ratio, .ratio = ratio};
}

QSizeF pictureMapArea(QSizeF logical, const QFont &font)
{
    return {logical.width(), std::max(1.0, logical.height() - captionBarHeight(font))};
}

bool writeMapPicture(const MapScene &scene, const PictureSize &size, const QFont &font,
                     QIODevice &out)
{
    const QSize pixels(static_cast<int>(std::lround(size.logical.width() * size.ratio)),
                       static_cast<int>(std::lround(size.logical.height() * size.ratio)));
    QImage image(pixels, QImage::Format_RGB32);
    if (image.isNull()) {
        return false;
    }
    image.setDevicePixelRatio(size.ratio);
    image.fill(Qt::white);
    MapScene paper = onPaper(scene);
    const double bar = captionBarHeight(font);
    // A numbered map's key in a strip below it, inside the picture: in
    // smaller letters where it would take more than half the room, then the
    // map smaller, down to kSmallestMap; in a picture too small even for
    // that, the whole key all the same, the map taking what it leaves.
    QStringList key;
    KeyLayout layout;
    if (scene.numbered()) {
        const double room = std::max(1.0, size.logical.height() - bar);
        const double width = size.logical.width();
        const auto laidOut = [&](const QStringList &lines) {
            KeyLayout made = keyLayout(lines, font, width, room / 2);
            if (made.height > room / 2) {
                made = keyLayout(lines, font, width, room - kSmallestMap);
            }
            made.height = std::min(made.height, room - 1);
            return made;
        };
        layout = laidOut(keyLines(paper));
        paper.setSize(QSizeF(width, std::max(1.0, room - layout.height)));
        // Numbered as the map is drawn at its own size.
        key = keyLines(paper);
        layout = laidOut(key);
    }
    {
        QPainter painter(&image);
        drawCaptionBar(painter, QRectF(0, 0, size.logical.width(), bar), titleOf(scene), font, 0);
        if (scene.numbered()) {
            // Below the map as it was sized, whatever the key's final lines take.
            const double top = bar + paper.size().height();
            const QRectF strip(0, top, size.logical.width(), size.logical.height() - top);
            painter.setPen(QPen(Qt::gray, 1));
            painter.drawLine(strip.topLeft(), strip.topRight());
            drawKey(painter, strip, key, layout);
        }
        painter.translate(0, bar);
        drawLayers(painter, paper, font, size.ratio, false);
    }
    return image.save(&out, "PNG");
}

QSizeF pageMapArea(const QFont &font)
{
    return pictureSize(pageParts(font).map.size()).logical;
}

bool writeMapPage(const MapScene &scene, const QFont &font, QIODevice &out, const MorePages &more)
{
    QPdfWriter pdf(&out);
    const MapScene paper = onPaper(scene);
    const QString title = titleOf(scene);
    pdf.setTitle(title);
    pdf.setCreator(kProgramName);
    pdf.setResolution(kPageDpi);
    if (!pdf.setPageLayout(pageLayout())) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return false;
    }
    const PageParts parts = pageParts(font);
    painter.setFont(titleFont(font));
    painter.drawText(parts.title, Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.drawText(parts.title, Qt::AlignRight | Qt::AlignVCenter, kProgramName);
    const double gap = (parts.map.top() - parts.title.bottom()) / 2;
    painter.setPen(QPen(Qt::gray, 1));
    painter.drawLine(QPointF(parts.title.left(), parts.title.bottom() + gap),
                     QPointF(parts.title.right(), parts.title.bottom() + gap));

    // The map at its own size, in the room below the title.
    const QSizeF area = scene.size();
    const double scale =
        std::min(parts.map.width() / area.width(), parts.map.height() / area.height());
    painter.save();
    painter.translate(parts.map.topLeft());
    painter.scale(scale, scale);
    drawLayers(painter, paper, font, scale * kLandDpi / kPageDpi, true);
    painter.restore();
    // A numbered map's key follows it; never the caller's pages, which
    // would give the names away.
    if (scene.numbered()) {
        if (!pdf.newPage()) {
            painter.end();
            return false;
        }
        writeKeyPage(painter, parts, title, keyLines(paper), font);
    } else if (more) {
        painter.resetTransform();
        painter.setPen(Qt::black);
        if (!pdf.newPage() || !more(painter, pdf)) {
            painter.end();
            return false;
        }
    }
    return painter.end();
}

} // namespace pelagor
