// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The line above the map that names what it shows, on the screen and in a
// picture of it.
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

namespace pelagor {

// The least height of the line for its text in that font, in logical pixels.
[[nodiscard]] double captionBarHeight(const QFont &font);
// Draws the line over `bar`, its text elided before `endRoom` logical pixels
// kept free at its end (for buttons).
void drawCaptionBar(QPainter &painter, const QRectF &bar, const QString &text, const QFont &font,
                    double endRoom);

} // namespace pelagor
