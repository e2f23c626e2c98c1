// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/map_scene.h"

#include "catalogue/lookup.h"

#include <QRectF>

#include <algorithm>
#include <cmath>
#include <utility>

namespace pelagor {

namespace {

// A target's centre stays this far inside the map, clear of its edges and
// of the buttons above it.
constexpr double kTargetInset = kTargetGap / 2;
// A target the keyboard moves to is kept this far inside the map.
constexpr double kFocusInset = 2 * kTargetGap;

} // namespace

MapScene::MapScene() : view_(projectionFor({}), QSizeF(1, 1)), framed_(view_)
{
    showWorld();
}

bool MapScene::isMarked(int row) const
{
    return std::ranges::find(marked_, row) != marked_.end();
}

void MapScene::showSea(int row)
{
    if (!catalogue::isSea(row)) {
        showWorld();
        return;
    }
    shown_ = Shown::Sea;
    sea_ = row;
    ocean_ = -1;
    marked_ = catalogue::allSeas();
    markNote_ = {};
    layoutValid_ = false;
    frame();
}

bool MapScene::pickAmongMarks(int row)
{
    if (!catalogue::isSea(row)) {
        return false;
    }
    if (!isMarked(row)) {
        marked_ = catalogue::allSeas();
    }
    shown_ = Shown::Sea;
    sea_ = row;
    layoutValid_ = false;
    return true;
}

bool MapScene::markSea(int row)
{
    if (!pickAmongMarks(row)) {
        return false;
    }
    updateTargets();
    return true;
}

void MapScene::showOcean(int ocean)
{
    if (!catalogue::isOcean(ocean)) {
        showWorld();
        return;
    }
    shown_ = Shown::Ocean;
    ocean_ = ocean;
    sea_ = -1;
    marked_ = catalogue::seasOfOcean(ocean);
    layoutValid_ = false;
    frame();
}

void MapScene::showSeas(const std::vector<int> &rows)
{
    std::vector<int> known;
    std::vector<int> oceans;
    for (const int row : rows) {
        if (catalogue::isSea(row)) {
            known.push_back(row);
            if (std::ranges::find(oceans, catalogue::oceanOfSea(row)) == oceans.end()) {
                oceans.push_back(catalogue::oceanOfSea(row));
            }
        }
    }
    if (known.empty()) {
        showWorld();
        return;
    }
    shown_ = Shown::Seas;
    ocean_ = oceans.size() == 1 ? oceans.front() : -1;
    oceanCount_ = static_cast<int>(oceans.size());
    sea_ = -1;
    // Nor a mark in the keyboard's hand: the next Tab starts afresh.
    focusedRow_ = -1;
    marked_ = std::move(known);
    markNote_ = {};
    layoutValid_ = false;
    frame();
}

bool MapScene::frameSea(int row)
{
    if (!pickAmongMarks(row)) {
        return false;
    }
    ocean_ = -1;
    frame();
    return true;
}

void MapScene::showWorld()
{
    shown_ = Shown::World;
    ocean_ = -1;
    sea_ = -1;
    marked_ = catalogue::allSeas();
    markNote_ = {};
    layoutValid_ = false;
    frame();
}

void MapScene::show(const MapPick &pick)
{
    if (catalogue::isSea(pick.sea)) {
        showSea(pick.sea);
    } else if (catalogue::isOcean(pick.ocean)) {
        showOcean(pick.ocean);
    } else {
        showWorld();
    }
}

void MapScene::frame()
{
    MapPick pick;
    if (shown_ == Shown::Sea) {
        pick.sea = sea_;
    } else if (shown_ == Shown::Ocean || shown_ == Shown::Seas) {
        pick.ocean = ocean_;
    }
    framed_ = pelagor::framedView(pick, view_.size());
    setView(framed_, false);
    viewIsFramed_ = true;
}

void MapScene::setSize(QSizeF size)
{
    if (viewIsFramed_) {
        Viewport sized = view_;
        sized.setSize(size);
        view_ = sized;
        frame();
        return;
    }
    Viewport view = view_;
    view.setSize(size);
    setView(view, false);
    framed_.setSize(view_.size());
}

void MapScene::setView(const Viewport &view, bool moving)
{
    viewIsFramed_ = false;
    // While a gesture zooms in, the marks keep the layout they had: their
    // gaps only grow. It is made anew for the scale the view rests at, so
    // that at rest the grouping depends on the scale alone.
    const bool keepLayout =
        moving && view.projection() == view_.projection() && view.scale() >= laidOutAt_;
    if (view.projection() != view_.projection() || (view.scale() != laidOutAt_ && !keepLayout)) {
        layoutValid_ = false;
    }
    view_ = view;
    moving_ = moving;
    updateTargets();
}

void MapScene::zoomAbout(QPointF at, double factor, bool moving)
{
    Viewport view = view_;
    view.zoomAbout(at, factor);
    setView(view, moving);
}

void MapScene::panBy(QPointF offset, bool moving)
{
    Viewport view = view_;
    view.panBy(offset);
    setView(view, moving);
}

void MapScene::goHome()
{
    setView(framed_, false);
    viewIsFramed_ = true;
}

void MapScene::showWhole()
{
    setView(Viewport(view_.projection(), view_.size()), false);
}

void MapScene::rest()
{
    moving_ = false;
    if (laidOutAt_ != view_.scale()) {
        layoutValid_ = false;
        updateTargets();
    }
}

QRectF MapScene::targetRoom() const
{
    return QRectF(QPointF(0, 0), view_.size())
        .adjusted(kTargetInset, kTargetInset, -kTargetInset, -kTargetInset);
}

QPointF MapScene::targetCentre(const Target &target) const
{
    return view_.toView(view_.nearestCopy(target.plane));
}

std::vector<QPointF> MapScene::targetCopies(const Target &target) const
{
    const QRectF room = targetRoom();
    const QPointF nearest = targetCentre(target);
    std::vector<QPointF> copies;
    if (room.contains(nearest)) {
        copies.push_back(nearest);
    }
    // Where the view is wider than the earth, the copies east and west of
    // the nearest carry the mark as well.
    const double turn = view_.projection().period() * view_.scale();
    if (!(turn > 0)) {
        return copies;
    }
    for (const double step : {turn, -turn}) {
        for (int turns = 1;; ++turns) {
            const QPointF at = nearest + QPointF(step * turns, 0);
            if (at.x() < room.left() || at.x() > room.right()) {
                break;
            }
            if (room.contains(at)) {
                copies.push_back(at);
            }
        }
    }
    return copies;
}

QPointF MapScene::liesBeside(const Target &target, QPointF centre) const
{
    return centre +
           QPointF(target.lies.x() - target.plane.x(), target.plane.y() - target.lies.y()) *
               view_.scale();
}

std::optional<QPointF> MapScene::markCentre(int row) const
{
    for (const Target &target : shownTargets_) {
        if (std::ranges::find(target.rows, row) != target.rows.end()) {
            return targetCentre(target);
        }
    }
    return std::nullopt;
}

int MapScene::targetAt(QPointF at, double reach) const
{
    int nearest = -1;
    double nearestDistance = reach;
    for (std::size_t i = 0; i < shownTargets_.size(); ++i) {
        for (const QPointF copy : targetCopies(shownTargets_[i])) {
            const QPointF offset = copy - at;
            const double distance = std::hypot(offset.x(), offset.y());
            if (distance <= nearestDistance) {
                nearest = static_cast<int>(i);
                nearestDistance = distance;
            }
        }
    }
    return nearest;
}

void MapScene::updateTargets()
{
    if (targetRoom().isEmpty()) {
        // No room for a target (a map of no size, not yet shown): none is
        // laid out until there is.
        layoutValid_ = false;
        if (!shownTargets_.empty()) {
            shownTargets_.clear();
            shownOfLayout_.clear();
            hovered_ = -1;
            focusedRow_ = -1;
            ++targetsVersion_;
        }
        return;
    }
    const bool laidOut = !layoutValid_;
    if (!layoutValid_) {
        if (marksApart_) {
            // On paper the view stays: the marks are kept inside it.
            const QRectF room = targetRoom();
            layout_ = spreadTargets(
                view_.projection(), view_.scale(), marked_, pickedMark(), kTargetGap,
                QRectF(view_.toPlane(room.topLeft()), view_.toPlane(room.bottomRight()))
                    .normalized(),
                kTargetInset / view_.scale());
        } else {
            layout_ =
                layoutTargets(view_.projection(), view_.scale(), marked_, pickedMark(), kTargetGap);
        }
        laidOutAt_ = view_.scale();
        layoutValid_ = true;
    }
    std::vector<std::size_t> inView;
    for (std::size_t i = 0; i < layout_.size(); ++i) {
        if (!targetCopies(layout_[i]).empty()) {
            inView.push_back(i);
        }
    }
    // Moved, but the same targets in view: nothing else changes.
    if (!laidOut && inView == shownOfLayout_) {
        return;
    }
    shownOfLayout_ = std::move(inView);
    const int hoveredRow = hovered_ >= 0 && std::cmp_less(hovered_, shownTargets_.size())
                               ? shownTargets_[static_cast<std::size_t>(hovered_)].rows.front()
                               : -1;
    std::vector<Target> shown;
    shown.reserve(shownOfLayout_.size());
    for (const std::size_t index : shownOfLayout_) {
        shown.push_back(layout_[index]);
    }
    const bool changed = !std::ranges::equal(
        shown, shownTargets_, [](const Target &a, const Target &b) { return a.rows == b.rows; });
    shownTargets_ = std::move(shown);
    hovered_ = -1;
    for (std::size_t i = 0; i < shownTargets_.size(); ++i) {
        if (shownTargets_[i].rows.front() == hoveredRow) {
            hovered_ = static_cast<int>(i);
        }
    }
    if (focusedTarget() < 0) {
        focusedRow_ = -1;
    }
    if (changed) {
        ++targetsVersion_;
    }
}

int MapScene::focusedTarget() const
{
    for (std::size_t i = 0; i < shownTargets_.size(); ++i) {
        if (shownTargets_[i].rows.front() == focusedRow_) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

MapScene::Activation MapScene::activate(std::size_t index, bool byKeyboard)
{
    if (index >= shownTargets_.size()) {
        return {};
    }
    const Target target = shownTargets_[index];
    if (!target.isGroup()) {
        const int row = target.rows.front();
        // A pick on the map marks the sea and keeps the pupil's view.
        markSea(row);
        return {.picked = row, .opened = false};
    }
    const int picked = isMarked(sea_) ? sea_ : -1;
    setView(openingView(view_, target, marked_, picked, kTargetGap), false);
    if (byKeyboard) {
        // The keyboard goes on from the first of the group's seas.
        focusedRow_ = target.rows.front();
        if (focusedTarget() < 0 && !shownTargets_.empty()) {
            focusedRow_ = shownTargets_.front().rows.front();
        }
    }
    return {.picked = std::nullopt, .opened = true};
}

void MapScene::focusTarget(std::size_t index)
{
    if (index >= shownTargets_.size()) {
        return;
    }
    focusedRow_ = shownTargets_[index].rows.front();
    keepInView(shownTargets_[index]);
}

void MapScene::keepInView(const Target &target)
{
    const QRectF inside = QRectF(QPointF(0, 0), view_.size())
                              .adjusted(kFocusInset, kFocusInset, -kFocusInset, -kFocusInset);
    const QPointF at = targetCentre(target);
    if (inside.isEmpty() || inside.contains(at)) {
        return;
    }
    const QPointF kept(std::clamp(at.x(), inside.left(), inside.right()),
                       std::clamp(at.y(), inside.top(), inside.bottom()));
    panBy(kept - at, false);
}

std::vector<std::size_t> MapScene::tabOrder() const
{
    return readingOrder(view_, shownTargets_, 2 * kTargetGap);
}

void MapScene::moveFocus(bool forward)
{
    if (shownTargets_.empty()) {
        return;
    }
    const std::vector<std::size_t> order = tabOrder();
    const int current = focusedTarget();
    const auto at = std::ranges::find(order, static_cast<std::size_t>(current));
    std::size_t next = 0;
    if (at == order.end()) {
        next = forward ? order.front() : order.back();
    } else {
        auto step = static_cast<std::size_t>(at - order.begin());
        step = forward ? (step + 1) % order.size() : (step + order.size() - 1) % order.size();
        next = order[step];
    }
    focusTarget(next);
}

bool MapScene::setHovered(int index)
{
    if (index == hovered_) {
        return false;
    }
    hovered_ = index;
    return true;
}

void MapScene::setMarksApart(bool apart)
{
    if (apart != marksApart_) {
        marksApart_ = apart;
        layoutValid_ = false;
        updateTargets();
    }
}

std::span<const Target> MapScene::layout() const
{
    if (!layoutValid_) {
        return {};
    }
    return layout_;
}

int MapScene::pickedMark() const
{
    return shown_ == Shown::Sea || isMarked(sea_) ? sea_ : -1;
}

std::vector<std::size_t> MapScene::labelledTargets() const
{
    std::vector<std::size_t> labelled;
    if (namesHidden_) {
        return labelled;
    }
    for (std::size_t i = 0; i < shownTargets_.size(); ++i) {
        const Target &target = shownTargets_[i];
        if (!target.isGroup() && target.rows.front() == sea_ && isMarked(sea_)) {
            labelled.push_back(i);
        }
    }
    for (const int index : {focusedTarget(), hovered_}) {
        if (index >= 0 &&
            std::ranges::find(labelled, static_cast<std::size_t>(index)) == labelled.end()) {
            labelled.push_back(static_cast<std::size_t>(index));
        }
    }
    return labelled;
}

} // namespace pelagor
