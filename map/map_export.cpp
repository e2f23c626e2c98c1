// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/map_export.h"

#include "map/sea_map.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace pelagor {

namespace {

// The name the title line gives the program.
const QString kProgramName = QStringLiteral("Пелагор");

// The map drawn as it is shown, at the given number of pixels to a logical one.
QImage mapImage(SeaMap &map, double ratio)
{
    QImage image(map.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    map.paintMap(painter);
    return image;
}

bool writePdf(SeaMap &map, QSaveFile &file)
{
    QPdfWriter pdf(&file);
    pdf.setTitle(mapCaption(map));
    pdf.setCreator(kProgramName);
    pdf.setResolution(300);
    if (!pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                       QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter))) {
        return false;
    }
    // At least twice the screen's pixels: sharp on paper at the width of a page.
    const QImage image = mapImage(map, std::max(map.devicePixelRatioF(), 2.0));

    QPainter painter;
    if (!painter.begin(&pdf)) {
        return false;
    }
    const QRectF page(QPointF(0, 0), pdf.pageLayout().paintRectPixels(pdf.resolution()).size());
    QFont font = map.font();
    font.setPointSizeF(14);
    painter.setFont(font);
    const double line = painter.fontMetrics().height();
    const QRectF title(page.left(), page.top(), page.width(), line);
    painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter, mapCaption(map));
    painter.drawText(title, Qt::AlignRight | Qt::AlignVCenter, kProgramName);
    const double gap = line / 2;
    painter.setPen(QPen(Qt::gray, pdf.resolution() / 150.0));
    painter.drawLine(QPointF(page.left(), title.bottom() + gap / 2),
                     QPointF(page.right(), title.bottom() + gap / 2));

    const QRectF room = page.adjusted(0, line + gap, 0, 0);
    const QSizeF drawn =
        QSizeF(image.deviceIndependentSize()).scaled(room.size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(room.center().x() - drawn.width() / 2, room.top()), drawn),
                      image);
    return painter.end();
}

} // namespace

QString mapCaption(const SeaMap &map)
{
    return map.showsPick() ? map.caption() : QStringLiteral("Океаните на света");
}

bool saveMap(SeaMap &map, const QString &file, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error != nullptr) {
            *error = why;
        }
        return false;
    };
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix != QStringLiteral("png") && suffix != QStringLiteral("pdf")) {
        return fail(QStringLiteral("Картата се записва като PNG или PDF: името на файла „%1“ "
                                   "трябва да завършва на .png или .pdf.")
                        .arg(file));
    }
    // Written beside the target under another name and renamed at the end,
    // so that a failure leaves nothing behind.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        return fail(QStringLiteral("Файлът „%1“ не може да бъде създаден (%2).")
                        .arg(file, out.errorString()));
    }
    const bool written = suffix == QStringLiteral("pdf")
                             ? writePdf(map, out)
                             : mapImage(map, map.devicePixelRatioF()).save(&out, "PNG");
    if (!written || !out.commit()) {
        out.cancelWriting();
        return fail(QStringLiteral("Картата не може да бъде записана във файла „%1“.").arg(file));
    }
    return true;
}

} // namespace pelagor
