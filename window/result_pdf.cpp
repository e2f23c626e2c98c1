// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/result_pdf.h"

#include "window/saved_file.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <vector>

namespace pelagor {

namespace {

// The sizes of the sheet's letters, in points.
constexpr double kTitlePoints = 16;
constexpr double kScorePoints = 14;
constexpr double kTextPoints = 11;

// One block of text on the sheet: its letters, and the room it keeps below.
struct Block {
    QString text;
    double points = kTextPoints;
    bool bold = false;
    double indent = 0;
    double after = 0;
};

QFont sized(QFont font, const Block &block)
{
    font.setPointSizeF(block.points);
    font.setBold(block.bold);
    return font;
}

bool drawSheet(QPdfWriter &pdf, const practice::ResultSheet &sheet, const QFont &font)
{
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return false;
    }
    const QRectF page(QPointF(0, 0), pdf.pageLayout().paintRectPixels(pdf.resolution()).size());
    const double line = QFontMetricsF(sized(font, {}), &pdf).lineSpacing();

    std::vector<Block> blocks;
    blocks.push_back({sheet.title, kTitlePoints, true, 0, line / 2});
    for (const QString &about : sheet.about) {
        blocks.push_back({about});
    }
    blocks.back().after = line / 2;
    blocks.push_back({sheet.score, kScorePoints, true, 0, line});
    for (const practice::ResultSheet::Row &row : sheet.rows) {
        blocks.push_back({row.question});
        // A wrong answer in bold: told apart on a grey copy too, not by its mark alone.
        blocks.push_back({row.answer, kTextPoints, !row.right, line * 1.5, line / 2});
    }

    // The footer, on every page: the program and the page's number.
    const double footer = line * 2;
    const QRectF room = page.adjusted(0, 0, 0, -footer);
    // Laid out first, so that every page knows how many there are; a
    // question stays on the page of its answer.
    std::vector<std::vector<std::pair<const Block *, QRectF>>> pages(1);
    double y = room.top();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const Block &block = blocks[i];
        const QFontMetricsF metrics(sized(font, block), &pdf);
        const QRectF wide(room.left() + block.indent, 0, room.width() - block.indent,
                          room.height());
        const double height =
            metrics.boundingRect(wide, Qt::TextWordWrap | Qt::AlignLeft, block.text).height();
        double needed = height;
        if (block.indent == 0 && i + 1 < blocks.size() && blocks[i + 1].indent > 0) {
            needed += QFontMetricsF(sized(font, blocks[i + 1]), &pdf)
                          .boundingRect(wide, Qt::TextWordWrap, blocks[i + 1].text)
                          .height();
        }
        if (y + needed > room.bottom() && !pages.back().empty()) {
            pages.emplace_back();
            y = room.top();
        }
        pages.back().emplace_back(&block, QRectF(wide.left(), y, wide.width(), height));
        y += height + block.after;
    }

    painter.setPen(Qt::black);
    for (std::size_t n = 0; n < pages.size(); ++n) {
        if (n > 0 && !pdf.newPage()) {
            return false;
        }
        for (const auto &[block, place] : pages[n]) {
            painter.setFont(sized(font, *block));
            painter.drawText(place, Qt::TextWordWrap | Qt::AlignLeft, block->text);
        }
        painter.setFont(sized(font, {}));
        const QRectF foot(page.left(), page.bottom() - line, page.width(), line);
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Пелагор"));
        painter.drawText(foot, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("страница %1 от %2").arg(n + 1).arg(pages.size()));
    }
    return painter.end();
}

} // namespace

QString writeResult(const practice::ResultSheet &sheet, const QString &path, const QFont &font)
{
    return writeWhole(path, [&](QIODevice &out) {
        QPdfWriter pdf(&out);
        pdf.setTitle(sheet.title + QStringLiteral(" — ") + sheet.about.value(0));
        pdf.setCreator(QStringLiteral("Пелагор"));
        pdf.setResolution(300);
        if (!pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                           QMarginsF(20, 18, 20, 15), QPageLayout::Millimeter))) {
            return false;
        }
        return drawSheet(pdf, sheet, font);
    });
}

QString freeResultPath(const QString &folder, const QString &pupil, int variant,
                       const QDateTime &when)
{
    const QDir dir(folder);
    // A class of thirty in one minute has room to spare.
    constexpr int kMostNumbers = 1000;
    QString path;
    for (int number = 1; number <= kMostNumbers; ++number) {
        path = dir.filePath(practice::resultFileName(pupil, variant, when, number));
        if (!QFileInfo::exists(path)) {
            break;
        }
    }
    return path;
}

} // namespace pelagor
