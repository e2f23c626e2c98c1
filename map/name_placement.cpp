// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/name_placement.h"

#include "catalogue/lookup.h"
#include "catalogue/naming_rank.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace pelagor {

namespace {

constexpr int kPacific = 3;

struct Disc {
    QPointF at;
    double radius = 0;
};

bool finite(const QRectF &box)
{
    return std::isfinite(box.x()) && std::isfinite(box.y()) && std::isfinite(box.width()) &&
           std::isfinite(box.height());
}

bool usable(QSizeF size)
{
    return std::isfinite(size.width()) && std::isfinite(size.height()) && size.width() > 0 &&
           size.height() > 0;
}

bool discMeets(const Disc &disc, const QRectF &box)
{
    const double x = std::clamp(disc.at.x(), box.left(), box.right());
    const double y = std::clamp(disc.at.y(), box.top(), box.bottom());
    return std::hypot(disc.at.x() - x, disc.at.y() - y) < disc.radius;
}

// Whether the segment crosses or touches the box (Liang and Barsky's clip).
bool lineMeets(const QLineF &line, const QRectF &box)
{
    const double dx = line.dx();
    const double dy = line.dy();
    const std::array<double, 4> towards{-dx, dx, -dy, dy};
    const std::array<double, 4> room{line.x1() - box.left(), box.right() - line.x1(),
                                     line.y1() - box.top(), box.bottom() - line.y1()};
    double enter = 0;
    double leave = 1;
    for (std::size_t i = 0; i < towards.size(); ++i) {
        if (towards.at(i) == 0) {
            if (room.at(i) < 0) {
                return false;
            }
            continue;
        }
        const double at = room.at(i) / towards.at(i);
        if (towards.at(i) < 0) {
            enter = std::max(enter, at);
        } else {
            leave = std::min(leave, at);
        }
        if (enter > leave) {
            return false;
        }
    }
    return true;
}

// What names keep clear of, in one frame of coordinates: the marks (the
// first of them, by the layout's index) and the dots at the ends of the
// leader lines, the leader lines, and the boxes of obstacles and of names
// placed. Where the plane wraps round the earth, the copies a turn east and
// west are kept clear of too.
struct Clearing {
    std::vector<Disc> discs;
    std::vector<QLineF> lines;
    std::vector<QRectF> boxes;
    double period = 0;
    double clearance = 0;

    // A name's box clear of all, and of its own mark (`own`, or −1) at
    // least not overlapping it.
    [[nodiscard]] bool free(const QRectF &box, int own) const
    {
        if (own >= 0 && static_cast<std::size_t>(own) < discs.size() &&
            discMeets(discs[static_cast<std::size_t>(own)], box)) {
            return false;
        }
        const QRectF wide = box.adjusted(-clearance, -clearance, clearance, clearance);
        if (period > 0) {
            return freeHere(wide, own) && freeHere(wide.translated(period, 0), -1) &&
                   freeHere(wide.translated(-period, 0), -1);
        }
        return freeHere(wide, own);
    }

    [[nodiscard]] bool freeHere(const QRectF &wide, int own) const
    {
        for (std::size_t i = 0; i < discs.size(); ++i) {
            if (static_cast<int>(i) != own && discMeets(discs[i], wide)) {
                return false;
            }
        }
        return std::ranges::none_of(
                   lines, [&wide](const QLineF &line) { return lineMeets(line, wide); }) &&
               std::ranges::none_of(
                   boxes, [&wide](const QRectF &placed) { return placed.intersects(wide); });
    }
};

// The places round a mark at `at`, its edge `distance` from the name, in the
// order they are tried.
std::array<QRectF, 8> around(QPointF at, double distance, QSizeF size)
{
    const double w = size.width();
    const double h = size.height();
    const double d = distance;
    const double e = distance * std::numbers::sqrt2 / 2;
    return {
        QRectF(at.x() + d, at.y() - h / 2, w, h),     // right
        QRectF(at.x() + e, at.y() - e - h, w, h),     // above on the right
        QRectF(at.x() + e, at.y() + e, w, h),         // below on the right
        QRectF(at.x() - d - w, at.y() - h / 2, w, h), // left
        QRectF(at.x() - e - w, at.y() - e - h, w, h), // above on the left
        QRectF(at.x() - e - w, at.y() + e, w, h),     // below on the left
        QRectF(at.x() - w / 2, at.y() - d - h, w, h), // above
        QRectF(at.x() - w / 2, at.y() + d, w, h),     // below
    };
}

// The box moved the least way into the area, if it fits there.
std::optional<QRectF> slidInto(const QRectF &box, const QRectF &area)
{
    if (box.width() > area.width() || box.height() > area.height()) {
        return std::nullopt;
    }
    QRectF slid = box;
    slid.moveLeft(std::clamp(box.left(), area.left(), area.right() - box.width()));
    slid.moveTop(std::clamp(box.top(), area.top(), area.bottom() - box.height()));
    return slid;
}

int rankOf(int row)
{
    return catalogue::kNamingRankOfRow.at(static_cast<std::size_t>(row));
}

// The lists a mark's name can give: a sea's name; a group's seas, the
// best-known first, from all of them to the first alone with "…".
std::vector<std::pair<QString, std::vector<int>>> textsOf(const Target &target)
{
    if (!target.isGroup()) {
        return {{catalogue::seaName(target.rows.front()), target.rows}};
    }
    std::vector<int> rows = target.rows;
    std::ranges::sort(rows, [](int a, int b) { return rankOf(a) < rankOf(b); });
    std::vector<std::pair<QString, std::vector<int>>> texts;
    for (std::size_t count = rows.size(); count > 0; --count) {
        QStringList names;
        for (std::size_t i = 0; i < count; ++i) {
            names << catalogue::seaShortName(rows[i]);
        }
        QString text = names.join(QStringLiteral(", "));
        if (count < rows.size()) {
            text += QChar(0x2026);
        }
        texts.emplace_back(
            text,
            std::vector<int>(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(count)));
    }
    return texts;
}

bool isPicked(const Target &target, int pickedSea)
{
    return !target.isGroup() && target.rows.front() == pickedSea;
}

double radiusOf(const Target &target, int pickedSea, const NamingStyle &style)
{
    if (isPicked(target, pickedSea)) {
        return style.pickedRadius;
    }
    return target.isGroup() ? style.groupRadius : style.markRadius;
}

// The marks, the leader lines and the dots at their ends, each through `at`.
template <typename At>
Clearing clearingOf(std::span<const Target> layout, int pickedSea, const NamingStyle &style, At at)
{
    Clearing clearing;
    clearing.clearance = std::max(0.0, style.clearance);
    for (const Target &target : layout) {
        clearing.discs.push_back({at(target.plane), radiusOf(target, pickedSea, style)});
    }
    for (const Target &target : layout) {
        if (target.drawnAside()) {
            const QLineF leader(at(target.plane), at(target.lies));
            clearing.lines.push_back(leader);
            clearing.discs.push_back({leader.p2(), style.pointRadius});
        }
    }
    return clearing;
}

} // namespace

std::vector<GeoPoint> oceanNamePoints(int ocean)
{
    // In open water: the Atlantic between Brazil and West Africa, the Indian
    // Ocean south of India, the Pacific west and east of 180°, the Arctic
    // Ocean by the North Pole, the Southern Ocean in its Pacific part.
    switch (ocean) {
    case 0:
        return {{10, -35}};
    case 1:
        return {{-5, 78}};
    case 2:
        return {{88, 0}};
    case kPacific:
        return {{20, 165}, {10, -140}};
    case 4:
        return {{-60, -130}};
    default:
        return {};
    }
}

NamePlan::NamePlan(const Projection &projection, double scale, std::span<const Target> layout,
                   int pickedSea, int pickedOcean, const NamingStyle &style)
    : projection_(projection), scale_(scale), pickedSea_(pickedSea), style_(style),
      layout_(layout.begin(), layout.end())
{
    if (!(scale > 0) || !std::isfinite(scale) || !style.seaText || !style.oceanText) {
        scale_ = 0;
        return;
    }
    const double period = projection.period();
    const auto onPlane = [scale](QPointF plane) { return QPointF(plane.x(), -plane.y()) * scale; };
    // Each leader line the short way round, as the map draws it.
    std::vector<Target> shortWay = layout_;
    for (Target &target : shortWay) {
        if (period > 0) {
            target.lies.rx() =
                target.plane.x() + std::remainder(target.lies.x() - target.plane.x(), period);
        }
    }
    Clearing clearing = clearingOf(shortWay, pickedSea, style, onPlane);
    clearing.period = period * scale;

    // The order: the picked sea, the oceans, the marks of the picked ocean,
    // the rest, each mark by the best rank among its seas.
    struct Turn {
        int kind = 0;
        int rank = 0;
        int index = 0;
    };
    constexpr int kPickedTurn = 0;
    constexpr int kOceansTurn = 1;
    constexpr int kOceanSeasTurn = 2;
    constexpr int kRestTurn = 3;
    std::vector<Turn> turns{{kOceansTurn, 0, -1}};
    for (std::size_t i = 0; i < layout_.size(); ++i) {
        const Target &target = layout_[i];
        if (target.rows.empty() || !std::ranges::all_of(target.rows, catalogue::isSea)) {
            continue;
        }
        int best = std::numeric_limits<int>::max();
        bool ofOcean = false;
        for (const int row : target.rows) {
            best = std::min(best, rankOf(row));
            ofOcean = ofOcean || catalogue::oceanOfSea(row) == pickedOcean;
        }
        int kind = ofOcean ? kOceanSeasTurn : kRestTurn;
        if (isPicked(target, pickedSea)) {
            kind = kPickedTurn;
        }
        turns.push_back({kind, best, static_cast<int>(i)});
    }
    std::ranges::sort(turns, [](const Turn &a, const Turn &b) {
        return a.kind != b.kind ? a.kind < b.kind : a.rank < b.rank;
    });

    // The oceans' names, the picked ocean's first.
    const auto placeOceans = [&] {
        std::vector<int> order{pickedOcean};
        for (int ocean = 0; catalogue::isOcean(ocean); ++ocean) {
            if (ocean != pickedOcean) {
                order.push_back(ocean);
            }
        }
        for (const int ocean : order) {
            if (!catalogue::isOcean(ocean)) {
                continue;
            }
            const QString text = catalogue::oceanName(ocean);
            const QSizeF size = style.oceanText(text);
            if (!usable(size)) {
                continue;
            }
            for (const GeoPoint point : oceanNamePoints(ocean)) {
                const QPointF plane = projection_.toPlane(point);
                if (projection_.isPolar() &&
                    std::hypot(plane.x(), plane.y()) > Projection::kPolarReach) {
                    continue;
                }
                const QPointF at = onPlane(plane);
                // At its point, else a line above or below.
                const QRectF centred(at - QPointF(size.width(), size.height()) / 2, size);
                for (const double lines : {0.0, -1.0, 1.0}) {
                    const QRectF box = centred.translated(0, lines * size.height());
                    if (finite(box) && clearing.free(box, -1)) {
                        Name name;
                        name.name = {text, box, {}, -1, ocean};
                        name.mark = at;
                        clearing.boxes.push_back(box);
                        oceans_.push_back(std::move(name));
                        break;
                    }
                }
            }
        }
    };

    // The places each mark's fullest name could take, to look ahead with.
    struct Places {
        std::array<QRectF, 8> boxes;
        QRectF reach;
        int index = -1;
    };
    std::vector<Places> ahead;
    for (const Turn &turn : turns) {
        ahead.emplace_back();
        if (turn.index < 0) {
            continue;
        }
        const auto index = static_cast<std::size_t>(turn.index);
        const QSizeF size = style.seaText(textsOf(layout_[index]).front().first);
        if (usable(size)) {
            Places places{around(clearing.discs[index].at,
                                 clearing.discs[index].radius + std::max(0.0, style.offset), size),
                          {},
                          turn.index};
            for (const QRectF &box : places.boxes) {
                places.reach = places.reach.united(box);
            }
            ahead.back() = places;
        }
    }
    // Whether taking `box` would leave a later name none of the places it
    // still has.
    const auto takesLastPlace = [&](const QRectF &box, std::size_t from) {
        const QRectF wide = box.adjusted(-clearing.clearance, -clearing.clearance,
                                         clearing.clearance, clearing.clearance);
        for (std::size_t later = from; later < ahead.size(); ++later) {
            const Places &places = ahead[later];
            if (places.index < 0 || !places.reach.intersects(wide)) {
                continue;
            }
            bool had = false;
            bool keeps = false;
            for (const QRectF &place : places.boxes) {
                if (clearing.free(place, places.index)) {
                    had = true;
                    keeps = keeps || !place.intersects(wide);
                }
            }
            if (had && !keeps) {
                return true;
            }
        }
        return false;
    };

    std::size_t placedSoFar = 0;
    for (const Turn &turn : turns) {
        ++placedSoFar;
        if (turn.kind == kOceansTurn) {
            placeOceans();
            continue;
        }
        const auto index = static_cast<std::size_t>(turn.index);
        const Target &target = layout_[index];
        Name name;
        name.mark = clearing.discs[index].at;
        name.radius = clearing.discs[index].radius;
        name.name.target = turn.index;
        name.texts = textsOf(target);
        const double distance = name.radius + std::max(0.0, style.offset);
        // The first free place that leaves every later name one of its
        // own, else the first free place.
        for (const auto &[text, rows] : name.texts) {
            const QSizeF size = style.seaText(text);
            if (!usable(size)) {
                continue;
            }
            std::optional<QRectF> chosen;
            for (const QRectF &box : around(name.mark, distance, size)) {
                if (finite(box) && clearing.free(box, turn.index)) {
                    if (!takesLastPlace(box, placedSoFar)) {
                        chosen = box;
                        break;
                    }
                    chosen = chosen.value_or(box);
                }
            }
            if (chosen) {
                name.name.text = text;
                name.name.rows = rows;
                name.name.box = *chosen;
                break;
            }
        }
        if (!name.name.text.isEmpty()) {
            clearing.boxes.push_back(name.name.box);
            seas_.push_back(std::move(name));
        }
    }
}

std::vector<int> NamePlan::namedRows() const
{
    std::vector<int> rows;
    for (const Name &name : seas_) {
        rows.insert(rows.end(), name.name.rows.begin(), name.name.rows.end());
    }
    return rows;
}

std::vector<PlacedName> placeNames(const NamePlan &plan, const Viewport &view,
                                   std::span<const QRectF> obstacles)
{
    std::vector<PlacedName> placed;
    if (plan.scale_ <= 0) {
        return placed;
    }
    const NamingStyle &style = plan.style_;
    const QRectF area(QPointF(0, 0), view.size());
    const auto inView = [&view](QPointF plane) { return view.toView(view.nearestCopy(plane)); };
    Clearing clearing = clearingOf(plan.layout_, plan.pickedSea_, style, inView);
    for (const QRectF &obstacle : obstacles) {
        if (finite(obstacle)) {
            clearing.boxes.push_back(obstacle);
        }
    }
    const QRectF shows =
        area.adjusted(style.markInset, style.markInset, -style.markInset, -style.markInset);
    const auto put = [&placed, &clearing](PlacedName name, const QRectF &box) {
        name.box = box;
        clearing.boxes.push_back(box);
        placed.push_back(std::move(name));
    };

    // A name at the first free place round its mark, slid inside the view
    // where it runs over its edge; a group's list shortened only where
    // nothing else will do.
    const auto putAnywhere = [&](const NamePlan::Name &name, QPointF at) {
        const double distance = name.radius + std::max(0.0, style.offset);
        auto text = std::ranges::find_if(
            name.texts, [&name](const auto &option) { return option.first == name.name.text; });
        for (; text != name.texts.end(); ++text) {
            const QSizeF size = style.seaText(text->first);
            if (!usable(size)) {
                continue;
            }
            for (const QRectF &box : around(at, distance, size)) {
                const std::optional<QRectF> slid = slidInto(box, area);
                if (slid && clearing.free(*slid, name.name.target)) {
                    put({text->first, {}, text->second, name.name.target, -1}, *slid);
                    return;
                }
            }
        }
    };
    // The picked sea's name first; then every other name whose planned place
    // lies inside the view and off the obstacles, there (the plan keeps those
    // clear of each other, so none of them is ever lost); then the others,
    // in the plan's order, wherever there is room.
    std::vector<std::pair<const NamePlan::Name *, QPointF>> moved;
    for (const NamePlan::Name &name : plan.seas_) {
        const QPointF at = clearing.discs[static_cast<std::size_t>(name.name.target)].at;
        if (!shows.contains(at)) {
            continue;
        }
        const bool picked = name.name.rows == std::vector<int>{plan.pickedSea_};
        const QRectF planned = name.name.box.translated(at - name.mark);
        if (area.contains(planned) && clearing.free(planned, name.name.target)) {
            put(name.name, planned);
        } else if (picked) {
            putAnywhere(name, at);
        } else {
            moved.emplace_back(&name, at);
        }
    }
    for (const auto &[name, at] : moved) {
        putAnywhere(*name, at);
    }
    // The oceans' names where their points show, slid inside the view.
    for (const NamePlan::Name &name : plan.oceans_) {
        const QPointF at = inView(QPointF(name.mark.x(), -name.mark.y()) / plan.scale_);
        if (!area.contains(at)) {
            continue;
        }
        const std::optional<QRectF> slid = slidInto(name.name.box.translated(at - name.mark), area);
        if (slid && clearing.free(*slid, -1)) {
            put(name.name, *slid);
        }
    }
    return placed;
}

} // namespace pelagor
