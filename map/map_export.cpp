// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/map_export.h"

#include "map/caption_bar.h"
#include "map/map_layers.h"
#include "map/map_words.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace pelagor {

namespace {

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
// sea a mark of its own, drawn aside where seas crowd.
MapScene onPaper(const MapScene &scene)
{
    MapScene paper = scene;
    paper.setMarksApart(true);
    return paper;
}

void drawLayers(QPainter &painter, const MapScene &scene, const QFont &font, double ratio,
                bool onPage)
{
    MapLayers layers;
    const MapScene paper = onPaper(scene);
    layers.draw({.painter = painter,
                 .scene = paper,
                 .origin = painter.transform().map(QPointF(0, 0)),
                 .pixelRatio = ratio,
                 .onPage = onPage,
                 .focusShown = false,
                 .font = font,
                 .paintAgain = {}});
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
    {
        QPainter painter(&image);
        const double bar = captionBarHeight(font);
        drawCaptionBar(painter, QRectF(0, 0, size.logical.width(), bar), captionText(scene), font,
                       0);
        painter.translate(0, bar);
        drawLayers(painter, scene, font, size.ratio, false);
    }
    return image.save(&out, "PNG");
}

QSizeF pageMapArea(const QFont &font)
{
    return pictureSize(pageParts(font).map.size()).logical;
}

bool writeMapPage(const MapScene &scene, const QFont &font, QIODevice &out)
{
    QPdfWriter pdf(&out);
    const QString title = captionText(scene);
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
    painter.translate(parts.map.topLeft());
    painter.scale(scale, scale);
    drawLayers(painter, scene, font, scale * kLandDpi / kPageDpi, true);
    return painter.end();
}

} // namespace pelagor
