// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Text laid out onto printed pages: blocks of wrapped text one below the
// other, and rows of a table, page after page, with the program's name and
// the page's number at the foot of each. The result of a round and the card
// on the map's sheet are printed this way.
#pragma once

#include <QFont>
#include <QStringList>

#include <span>

class QPagedPaintDevice;
class QPainter;

namespace pelagor {

// One block of text on a page: its letters, its indent and the room it keeps
// below, in the device's dots. With cells, a row of a table across most of
// the width: the first cell takes half of it, the others share the rest,
// right-aligned.
struct TextBlock {
    QString text;
    double points = 11;
    bool bold = false;
    double indent = 0;
    double after = 0;
    QStringList cells;
};

// The height of a line of the plain text, in the device's dots.
[[nodiscard]] double textLine(const QFont &font, QPagedPaintDevice &device);

// Draws the blocks on the device's pages, from the one the painter is on;
// a block is never split, and one followed by an indented block stays on its
// page. The foot counts `pagesBefore` pages before these. False where a
// page could not be added.
bool drawTextPages(QPainter &painter, QPagedPaintDevice &device, std::span<const TextBlock> blocks,
                   const QFont &font, int pagesBefore = 0);

} // namespace pelagor
