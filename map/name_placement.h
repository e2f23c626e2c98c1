// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the map writes the names of the seas and of the oceans, as an atlas
// does: each sea's name beside its mark, the oceans' names in their open
// water, none over another name, a mark, a leader line or anything else
// the caller keeps clear (the buttons, the caption), none off the map.
//
// A sea's name is tried at eight places round its mark, in the order
// cartographers prefer them: to the right, above and below on the right,
// to the left, above and below on the left, then straight above and below.
// A group's mark lists its seas' names where there is room ("Бали, Флорес,
// Саву…", the best-known first), fewer of them with "…" where there is
// less; where none fits, its mark's number says how many it holds. The
// oceans' names stand at fixed points of the earth: the Pacific's at two,
// one each side of the 180th meridian, the polar oceans' near their pole.
//
// Where not all fit, names are placed in this order: the picked sea's, then
// the oceans', then the marks that hold a sea of the picked ocean, then the
// rest, each mark by the best rank among its seas (catalogue/naming_rank.h).
//
// What is guaranteed:
// - Every name placed lies wholly inside the view and keeps `clearance`
//   away from every other name placed, every mark of the layout, every
//   leader line with the dot at its end, and every obstacle. This is checked
//   for each name as it is placed, so it holds for any input.
// - Which seas are named is decided by a NamePlan at the scale, on the plane,
//   with no view's edges, so alike wherever the view is; a name takes the
//   first free place that leaves every later name a place of its own, else
//   the first free place. placeNames() then puts into the view, first the
//   picked sea's name, then every planned name whose mark shows and whose
//   planned place lies inside the view and off the obstacles, there (the
//   plan keeps these clear of each other, so none of them is ever lost);
//   then the others at the first free place round their marks, slid along
//   the view's edge where they run over it. So panning never names a sea
//   the plan left unnamed, and takes a name away only from a mark near the
//   view's edge or an obstacle, where no place round it is free (a group's
//   list may shorten there first).
// - The picked sea's name is placed first, so it shows whenever it fits
//   beside its mark in the view at all.
// - Zooming in moves marks apart and so mostly leaves names more room, but
//   the plan is greedy and decided afresh at each scale: a better-ranked
//   sea that gains room a step in can take the room of a name near it. Not
//   guaranteed; the tests hold it, outside splitting groups, over the framed
//   views a wheel notch and a key step in, with one known exception.
// - The same input gives the same names at the same places.
#pragma once

#include "map/projection.h"
#include "map/targets.h"
#include "map/viewport.h"

#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <span>
#include <vector>

namespace pelagor {

// The size a text takes when drawn, in logical pixels.
using TextMeasure = std::function<QSizeF(const QString &text)>;

// How the map draws what the names keep clear of, and the names themselves.
struct NamingStyle {
    // A sea's name, or a group's list.
    TextMeasure seaText;
    // An ocean's name, in its larger, spaced letters.
    TextMeasure oceanText;
    // The radii the marks are drawn within, in logical pixels: a sea's, a
    // group's, the picked sea's, and the dot at the end of a leader line.
    double markRadius = 6;
    double groupRadius = 11;
    double pickedRadius = 13;
    double pointRadius = 3.5;
    // A mark shows where its centre lies at least this far inside the view.
    double markInset = 12;
    // How near anything comes to a name, and how far a name stands from the
    // edge of its own mark (more than the clearance).
    double clearance = 2;
    double offset = 3;
};

// One name as placed in the view.
struct PlacedName {
    QString text;
    // Where its text stands, in the view's logical pixels.
    QRectF box;
    // The sea rows its text names: one, or the first few of a group's.
    std::vector<int> rows;
    // The index of its mark in the layout, or −1 for an ocean's name.
    int target = -1;
    // The ocean it names, or −1 for a sea's.
    int ocean = -1;
};

// The names decided at one scale of one projection, for any view of it.
class NamePlan {
public:
    NamePlan() = default;
    // `layout` is every mark at the scale (layoutTargets), not only those a
    // view shows; `pickedSea` and `pickedOcean` are −1 where nothing is picked.
    NamePlan(const Projection &projection, double scale, std::span<const Target> layout,
             int pickedSea, int pickedOcean, const NamingStyle &style);

    [[nodiscard]] double scale() const { return scale_; }
    // The sea rows the plan names, in the order it placed them.
    [[nodiscard]] std::vector<int> namedRows() const;

private:
    // One name with its place on the plane at the scale, in logical pixels
    // with y down.
    struct Name {
        PlacedName name;
        // Its mark (an ocean's point) there, and the mark's radius.
        QPointF mark;
        double radius = 0;
        // For a group: its lists from the longest to the shortest.
        std::vector<std::pair<QString, std::vector<int>>> texts;
    };

    friend std::vector<PlacedName> placeNames(const NamePlan &plan, const Viewport &view,
                                              std::span<const QRectF> obstacles);

    Projection projection_;
    double scale_ = 0;
    int pickedSea_ = -1;
    NamingStyle style_;
    std::vector<Target> layout_;
    std::vector<Name> seas_;
    std::vector<Name> oceans_;
};

// The plan's names in the view (whose scale is the plan's), clear of the
// obstacles (in the view's logical pixels): seas first, then oceans.
[[nodiscard]] std::vector<PlacedName> placeNames(const NamePlan &plan, const Viewport &view,
                                                 std::span<const QRectF> obstacles);

// The geographic points at which an ocean's name stands: two for the
// Pacific, one for each other ocean.
[[nodiscard]] std::vector<GeoPoint> oceanNamePoints(int ocean);

} // namespace pelagor
