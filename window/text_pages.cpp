// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/text_pages.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

namespace pelagor {

namespace {

QFont sized(QFont font, const TextBlock &block)
{
    font.setPointSizeF(block.points);
    font.setBold(block.bold);
    return font;
}

constexpr int kWrapped = Qt::TextWordWrap | Qt::AlignLeft;

// Where each cell of a table's row stands across the width.
std::vector<QRectF> cellPlaces(const QRectF &wide, qsizetype cells)
{
    // A table keeps to the left of a wide page, where the eye follows its rows.
    constexpr double kTableShare = 0.7;
    std::vector<QRectF> places;
    const double width = cells > 1 ? wide.width() * kTableShare : wide.width();
    const double first = cells > 1 ? width / 2 : width;
    const double other = cells > 1 ? (width - first) / static_cast<double>(cells - 1) : 0;
    double x = wide.left();
    for (qsizetype cell = 0; cell < cells; ++cell) {
        const double cellWidth = cell == 0 ? first : other;
        places.emplace_back(x, wide.top(), cellWidth, wide.height());
        x += cellWidth;
    }
    return places;
}

double blockHeight(const TextBlock &block, const QFont &font, QPaintDevice &device,
                   const QRectF &wide)
{
    const QFontMetricsF metrics(sized(font, block), &device);
    if (block.cells.isEmpty()) {
        return metrics.boundingRect(wide, kWrapped, block.text).height();
    }
    double height = 0;
    const std::vector<QRectF> places = cellPlaces(wide, block.cells.size());
    for (qsizetype cell = 0; cell < block.cells.size(); ++cell) {
        const QRectF place = places.at(static_cast<std::size_t>(cell)).adjusted(0, 0, -8, 0);
        height =
            std::max(height, metrics.boundingRect(place, kWrapped, block.cells.at(cell)).height());
    }
    return height;
}

} // namespace

double textLine(const QFont &font, QPagedPaintDevice &device)
{
    return QFontMetricsF(sized(font, {}), &device).lineSpacing();
}

bool drawTextPages(QPainter &painter, QPagedPaintDevice &device, std::span<const TextBlock> blocks,
                   const QFont &font, int pagesBefore)
{
    const QRectF page(QPointF(0, 0),
                      device.pageLayout().paintRectPixels(device.logicalDpiX()).size());
    const double line = textLine(font, device);
    // The foot, on every page: the program and the page's number.
    const double footer = line * 2;
    const QRectF room = page.adjusted(0, 0, 0, -footer);
    // Laid out first, so that every page knows how many there are.
    std::vector<std::vector<std::pair<const TextBlock *, QRectF>>> pages(1);
    double y = room.top();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const TextBlock &block = blocks[i];
        const QRectF wide(room.left() + block.indent, 0, room.width() - block.indent,
                          room.height());
        const double height = blockHeight(block, font, device, wide);
        double needed = height;
        if (block.indent == 0 && i + 1 < blocks.size() && blocks[i + 1].indent > 0) {
            needed += blockHeight(blocks[i + 1], font, device, wide);
        }
        if (y + needed > room.bottom() && !pages.back().empty()) {
            pages.emplace_back();
            y = room.top();
        }
        pages.back().emplace_back(&block, QRectF(wide.left(), y, wide.width(), height));
        y += height + block.after;
    }

    const int total = static_cast<int>(pages.size()) + pagesBefore;
    painter.setPen(Qt::black);
    for (std::size_t n = 0; n < pages.size(); ++n) {
        if (n > 0 && !device.newPage()) {
            return false;
        }
        for (const auto &[block, place] : pages[n]) {
            painter.setFont(sized(font, *block));
            if (block->cells.isEmpty()) {
                painter.drawText(place, kWrapped, block->text);
                continue;
            }
            const std::vector<QRectF> cells = cellPlaces(place, block->cells.size());
            for (qsizetype cell = 0; cell < block->cells.size(); ++cell) {
                const QRectF at = cells.at(static_cast<std::size_t>(cell)).adjusted(0, 0, -8, 0);
                painter.drawText(at,
                                 Qt::TextWordWrap | (cell == 0 ? Qt::AlignLeft : Qt::AlignRight),
                                 block->cells.at(cell));
            }
        }
        painter.setFont(sized(font, {}));
        const QRectF foot(page.left(), page.bottom() - line, page.width(), line);
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Пелагор"));
        painter.drawText(foot, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("страница %1 от %2")
                             .arg(static_cast<int>(n) + 1 + pagesBefore)
                             .arg(total));
    }
    return true;
}

} // namespace pelagor
