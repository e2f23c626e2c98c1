// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/caption_bar.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace pelagor {

namespace {

const QColor kText{0, 0, 0};
const QColor kCaption{250, 250, 246};
const QColor kCaptionEdge{160, 160, 160};
// Sizes in logical pixels.
constexpr double kMargin = 6;
constexpr double kPadding = 4;

} // namespace

double captionBarHeight(const QFont &font)
{
    return std::ceil(QFontMetricsF(font).height() + 2 * kPadding);
}

void drawCaptionBar(QPainter &painter, const QRectF &bar, const QString &text, const QFont &font,
                    double endRoom)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCaption);
    painter.drawRect(bar);
    painter.setPen(QPen(kCaptionEdge, 1));
    painter.drawLine(bar.bottomLeft() - QPointF(0, 0.5), bar.bottomRight() - QPointF(0, 0.5));
    const QRectF room = bar.adjusted(kMargin, 0, -endRoom, 0);
    painter.setPen(kText);
    painter.setFont(font);
    painter.drawText(
        room, Qt::AlignVCenter | Qt::AlignLeft,
        QFontMetricsF(font, painter.device()).elidedText(text, Qt::ElideRight, room.width()));
}

} // namespace pelagor
