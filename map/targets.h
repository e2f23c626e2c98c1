// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Which marks a map shows at a scale, so that a pupil can click or tap each:
// no two stand closer than a target's size. Seas that crowd are gathered into
// a group mark, which zooms in to them; a sea too near the picked one, which
// always keeps its own mark, is drawn aside with a line to where it lies.
// The layout depends on the projection and the scale alone, never on where
// the view is, so that panning never regroups the marks.
#pragma once

#include "map/projection.h"
#include "map/viewport.h"

#include <QPointF>
#include <QRectF>

#include <span>
#include <vector>

namespace pelagor {

struct Target {
    // The sea rows of the mark: one, or those of a group in catalogue order.
    std::vector<int> rows;
    // Where the mark stands and where its seas lie (their middle, for a
    // group), on the plane: apart where the mark was drawn aside.
    QPointF plane;
    QPointF lies;

    [[nodiscard]] bool isGroup() const { return rows.size() > 1; }
    [[nodiscard]] bool drawnAside() const { return plane != lies; }
};

// The targets for the marked rows at the scale (logical pixels a degree),
// at least `gap` logical pixels apart; `picked` (a row among them, or −1)
// keeps a mark of its own.
[[nodiscard]] std::vector<Target> layoutTargets(const Projection &projection, double scale,
                                                std::span<const int> rows, int picked, double gap);

// The targets for a page, where a group cannot be opened: every marked row a
// mark of its own, where it lies; a mark that would stand closer than `gap`
// to one placed before it (the picked row's first, then the better-known
// seas') is drawn aside, as near its point as it can be, with a line to it;
// inside `within` (on the plane) where its point lies there, or no farther
// than `reach` outside it (by the view's edge: drawn in from there).
[[nodiscard]] std::vector<Target> spreadTargets(const Projection &projection, double scale,
                                                std::span<const int> rows, int picked, double gap,
                                                const QRectF &within, double reach = 0);

// The view that opens a group: round its seas, at the least zoom at which
// each of them has a mark of its own among `rows`.
[[nodiscard]] Viewport openingView(const Viewport &from, const Target &group,
                                   std::span<const int> rows, int picked, double gap);

// The order in which the keyboard walks the targets shown in a view: in rows
// from north to south, west to east in each; round the pole on a polar map.
// Returns indices into `targets`.
[[nodiscard]] std::vector<std::size_t>
readingOrder(const Viewport &view, std::span<const Target> targets, double rowHeight);

} // namespace pelagor
