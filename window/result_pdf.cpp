// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/result_pdf.h"

#include "window/saved_file.h"
#include "window/text_pages.h"

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

bool drawSheet(QPdfWriter &pdf, const practice::ResultSheet &sheet, const QFont &font)
{
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return false;
    }
    const double line = textLine(font, pdf);
    std::vector<TextBlock> blocks;
    blocks.push_back({sheet.title, kTitlePoints, true, 0, line / 2, {}});
    for (const QString &about : sheet.about) {
        blocks.push_back({about, kTextPoints, false, 0, 0, {}});
    }
    blocks.back().after = line / 2;
    blocks.push_back({sheet.score, kScorePoints, true, 0, line, {}});
    for (const practice::ResultSheet::Row &row : sheet.rows) {
        blocks.push_back({row.question, kTextPoints, false, 0, 0, {}});
        // A wrong answer in bold: told apart on a grey copy too, not by its mark alone.
        blocks.push_back({row.answer, kTextPoints, !row.right, line * 1.5, line / 2, {}});
    }
    return drawTextPages(painter, pdf, blocks, font) && painter.end();
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
