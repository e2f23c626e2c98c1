// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/targets.h"

#include "catalogue/naming_rank.h"
#include "catalogue/sea_points.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace pelagor {

namespace {

// How much farther than the gap a mark drawn aside stands, so that rounding
// never brings it back within it.
constexpr double kAsideSlack = 1.05;
// Each step of the search for the zoom that opens a group.
constexpr double kOpeningStep = 1.15;

QPointF planeOf(const Projection &projection, int row)
{
    return projection.toPlane(catalogue::kSeaPoints.at(static_cast<std::size_t>(row)));
}

// From `from` to `to` on the plane, the short way round the earth.
QPointF between(const Projection &projection, QPointF from, QPointF to)
{
    const double period = projection.period();
    QPointF offset = to - from;
    if (period > 0) {
        offset.rx() = std::remainder(offset.x(), period);
    }
    return offset;
}

double length(QPointF offset)
{
    return std::hypot(offset.x(), offset.y());
}

// Every mark in the turn of the earth round the central meridian.
void inCentralTurn(const Projection &projection, std::vector<Target> &targets)
{
    const double period = projection.period();
    for (Target &target : targets) {
        if (period > 0) {
            const double shift = target.plane.x() - std::remainder(target.plane.x(), period);
            target.plane.rx() -= shift;
            target.lies.rx() -= shift;
        }
    }
}

} // namespace

std::vector<Target> layoutTargets(const Projection &projection, double scale,
                                  std::span<const int> rows, int picked, double gap)
{
    std::vector<Target> targets;
    targets.reserve(rows.size());
    for (const int row : rows) {
        const QPointF at = planeOf(projection, row);
        targets.push_back({{row}, at, at});
    }
    if (!(scale > 0) || !std::isfinite(scale)) {
        return targets;
    }
    // In the plane's units: the gap at this scale.
    const double apart = gap / scale;
    const auto isPicked = [picked](const Target &target) {
        return target.rows.size() == 1 && target.rows.front() == picked;
    };
    // The closest pair is taken first, till none is closer than the gap; two
    // marks merge into a group at their seas' middle, and one too close to
    // the picked sea moves aside, along the line from it. The distances are
    // worked out once and again only for a mark that moved; a mark merged
    // into another is left out of the search.
    const std::size_t count = targets.size();
    std::vector<double> distances(count * count, 0.0);
    std::vector<bool> merged(count, false);
    const auto measure = [&](std::size_t i, std::size_t from) {
        for (std::size_t j = from; j < count; ++j) {
            if (j != i && !merged[j]) {
                const double distance =
                    length(between(projection, targets[i].plane, targets[j].plane));
                distances[i * count + j] = distance;
                distances[j * count + i] = distance;
            }
        }
    };
    for (std::size_t i = 0; i < count; ++i) {
        measure(i, i + 1);
    }
    for (std::size_t round = 0; round < 4 * rows.size() * rows.size() + 1; ++round) {
        std::size_t first = 0;
        std::size_t second = 0;
        double closest = apart;
        for (std::size_t i = 0; i < count; ++i) {
            if (merged[i]) {
                continue;
            }
            for (std::size_t j = i + 1; j < count; ++j) {
                if (!merged[j] && distances[i * count + j] < closest) {
                    closest = distances[i * count + j];
                    first = i;
                    second = j;
                }
            }
        }
        if (first == second) {
            break;
        }
        Target &a = targets[first];
        Target &b = targets[second];
        if (isPicked(a) || isPicked(b)) {
            const Target &fixed = isPicked(a) ? a : b;
            Target &moved = isPicked(a) ? b : a;
            QPointF away = between(projection, fixed.plane, moved.plane);
            if (length(away) == 0) {
                away = QPointF(1, 0);
            }
            moved.plane = fixed.plane + away * (apart * kAsideSlack / length(away));
            measure(isPicked(a) ? second : first, 0);
            continue;
        }
        // The group's seas' middle, weighted by how many each mark holds.
        const auto weightA = static_cast<double>(a.rows.size());
        const auto weightB = static_cast<double>(b.rows.size());
        const QPointF lies =
            a.lies + between(projection, a.lies, b.lies) * (weightB / (weightA + weightB));
        a.rows.insert(a.rows.end(), b.rows.begin(), b.rows.end());
        std::ranges::sort(a.rows);
        a.lies = lies;
        a.plane = lies;
        merged[second] = true;
        measure(first, 0);
    }
    std::vector<Target> kept;
    kept.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (!merged[i]) {
            kept.push_back(std::move(targets[i]));
        }
    }
    targets = std::move(kept);
    inCentralTurn(projection, targets);
    return targets;
}

std::vector<Target> spreadTargets(const Projection &projection, double scale,
                                  std::span<const int> rows, int picked, double gap,
                                  const QRectF &within, double reach)
{
    const double period = projection.period();
    const auto inside = [&within, period](QPointF place) {
        return within.contains(place) ||
               (period > 0 && (within.contains(place + QPointF(period, 0)) ||
                               within.contains(place - QPointF(period, 0))));
    };
    // A point no farther than `reach` outside `within` (a point on the view's
    // very edge, as 180° is, included whatever the rounding): the nearest
    // place inside, else the point itself.
    constexpr double kRounding = 1e-6;
    const auto drawnIn = [&within, period, reach](QPointF point) {
        for (const double shift : {0.0, period, -period}) {
            const QPointF copy = point + QPointF(shift, 0);
            const QPointF in(std::clamp(copy.x(), within.left(), within.right()),
                             std::clamp(copy.y(), within.top(), within.bottom()));
            if (length(in - copy) <= reach + kRounding && (shift == 0 || period > 0)) {
                return in;
            }
        }
        return point;
    };
    std::vector<int> order(rows.begin(), rows.end());
    const auto rank = [picked](int row) {
        return row == picked ? -1 : catalogue::kNamingRankOfRow.at(static_cast<std::size_t>(row));
    };
    std::ranges::stable_sort(order, [&rank](int a, int b) { return rank(a) < rank(b); });
    std::vector<Target> targets;
    targets.reserve(order.size());
    if (!(scale > 0) || !std::isfinite(scale)) {
        for (const int row : order) {
            const QPointF at = planeOf(projection, row);
            targets.push_back({{row}, at, at});
        }
        return targets;
    }
    const double apart = gap / scale;
    std::vector<QPointF> points;
    points.reserve(order.size());
    for (const int row : order) {
        points.push_back(planeOf(projection, row));
    }
    // How near a place comes to the marks placed and to the other seas'
    // points (whose dots a mark must not hide), as a share of the gap.
    const auto room = [&](QPointF place, std::size_t own) {
        double nearest = std::numeric_limits<double>::max();
        for (const Target &placed : targets) {
            nearest = std::min(nearest, length(between(projection, placed.plane, place)) / apart);
        }
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (i != own) {
                nearest =
                    std::min(nearest, 2 * length(between(projection, points[i], place)) / apart);
            }
        }
        return nearest;
    };
    // Round the point, ring by ring, twelve places to the first ring and
    // more to each farther one; the first place with room, else the roomiest.
    constexpr int kRings = 12;
    constexpr int kFirstRing = 12;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const QPointF at = drawnIn(points[i]);
        const bool kept = inside(at);
        QPointF chosen = at;
        if (room(at, i) < 1) {
            double best = -1;
            for (int ring = 1; ring <= kRings && best < 1; ++ring) {
                const int places = kFirstRing * ring;
                const double radius = apart * kAsideSlack * ring;
                for (int k = 0; k < places; ++k) {
                    const double angle = 2 * std::numbers::pi * k / places;
                    const QPointF place = at + QPointF(std::cos(angle), std::sin(angle)) * radius;
                    if ((projection.isPolar() && length(place) > Projection::kPolarReach) ||
                        (kept && !inside(place))) {
                        continue;
                    }
                    const double free = room(place, i);
                    if (free > best) {
                        best = free;
                        chosen = place;
                        if (free >= 1) {
                            break;
                        }
                    }
                }
            }
        }
        targets.push_back({{order[i]}, chosen, points[i]});
    }
    inCentralTurn(projection, targets);
    return targets;
}

Viewport openingView(const Viewport &from, const Target &group, std::span<const int> rows,
                     int picked, double gap)
{
    Viewport view = from;
    double scale = from.scale() * kOpeningStep;
    for (;;) {
        const std::vector<Target> targets =
            layoutTargets(from.projection(), scale, rows, picked, gap);
        const bool open = std::ranges::all_of(group.rows, [&targets](int row) {
            return std::ranges::any_of(targets, [row](const Target &target) {
                return target.rows.size() == 1 && target.rows.front() == row;
            });
        });
        if (open || scale >= Viewport::kDeepestScale) {
            break;
        }
        scale = std::min(scale * kOpeningStep, Viewport::kDeepestScale);
    }
    view.centreOn(group.lies, scale);
    return view;
}

std::vector<std::size_t> readingOrder(const Viewport &view, std::span<const Target> targets,
                                      double rowHeight)
{
    struct Place {
        double first;
        double second;
        std::size_t index;
    };
    std::vector<Place> places;
    places.reserve(targets.size());
    const bool polar = view.projection().isPolar();
    const QPointF pole = view.toView(QPointF(0, 0));
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const QPointF at = view.toView(view.nearestCopy(targets[i].plane));
        if (polar) {
            // Clockwise round the pole from the top, nearer ones first.
            const QPointF offset = at - pole;
            double angle = std::atan2(offset.x(), -offset.y());
            if (angle < 0) {
                angle += 2 * std::numbers::pi;
            }
            places.push_back({angle, length(offset), i});
        } else {
            places.push_back({std::floor(at.y() / std::max(1.0, rowHeight)), at.x(), i});
        }
    }
    std::ranges::sort(places, [](const Place &a, const Place &b) {
        return a.first != b.first ? a.first < b.first : a.second < b.second;
    });
    std::vector<std::size_t> order;
    order.reserve(places.size());
    for (const Place &place : places) {
        order.push_back(place.index);
    }
    return order;
}

} // namespace pelagor
