// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/map_input.h"

#include <QLineF>

#include <cmath>
#include <utility>

namespace pelagor {

namespace {

// The keys' zoom, and their pan: a fifth of the view.
constexpr double kKeyZoom = 1.5;
constexpr double kKeyPan = 0.2;
constexpr double kDoubleClickZoom = 2;

} // namespace

void MapInput::press(QPointF at, Pointer pointer)
{
    pointer_ = pointer;
    pressedAt_ = at;
    lastDrag_ = at;
    dragging_ = false;
    manyFingers_ = false;
    pressedTarget_ = scene_.targetAt(at, pointer == Pointer::Finger ? kFingerReach : kMouseReach);
}

void MapInput::move(QPointF at)
{
    if (!pressedAt_ || manyFingers_) {
        return;
    }
    if (!dragging_ && (at - *pressedAt_).manhattanLength() >= settings_.dragDistance) {
        dragging_ = true;
    }
    if (dragging_) {
        scene_.panBy(at - lastDrag_, true);
        lastDrag_ = at;
    }
}

std::optional<SeaPicked> MapInput::release(QPointF at, std::uint64_t time)
{
    if (!pressedAt_) {
        return std::nullopt;
    }
    move(at);
    const bool tapped = !dragging_ && !manyFingers_;
    pressedAt_.reset();
    dragging_ = false;
    if (!tapped) {
        return std::nullopt;
    }
    const bool finger = pointer_ == Pointer::Finger;
    const int index = scene_.targetAt(at, finger ? kFingerReach : kMouseReach);
    if (index >= 0 && index == pressedTarget_) {
        lastTapAt_.reset();
        const MapScene::Activation done = scene_.activate(static_cast<std::size_t>(index), false);
        if (done.picked) {
            return SeaPicked{*done.picked, false};
        }
    } else if (index < 0 && finger) {
        // A second tap beside the first, soon after it, zooms in there; a
        // mouse has its own double click.
        if (lastTapAt_ && time - lastTapTime_ <= settings_.doubleTapInterval &&
            QLineF(*lastTapAt_, at).length() <= kTargetGap) {
            lastTapAt_.reset();
            scene_.zoomAbout(at, kDoubleClickZoom, false);
        } else {
            lastTapAt_ = at;
            lastTapTime_ = time;
        }
    }
    return std::nullopt;
}

void MapInput::cancel()
{
    pressedAt_.reset();
    dragging_ = false;
}

void MapInput::hover(QPointF at)
{
    scene_.setHovered(scene_.targetAt(at, kMouseReach));
}

void MapInput::leave()
{
    scene_.setHovered(-1);
}

bool MapInput::doubleClick(QPointF at)
{
    if (scene_.targetAt(at, kMouseReach) >= 0) {
        return false;
    }
    scene_.zoomAbout(at, kDoubleClickZoom, false);
    return true;
}

bool MapInput::wheel(QPointF at, int angleDelta)
{
    if (angleDelta == 0) {
        return false;
    }
    scene_.zoomAbout(at, wheelZoomFactor(angleDelta), true);
    return true;
}

void MapInput::pinch(QPointF at, double factor)
{
    if (std::isfinite(factor) && factor > 0) {
        scene_.zoomAbout(at, factor, true);
    }
}

MapInput::KeyResult MapInput::key(int key, Qt::KeyboardModifiers modifiers)
{
    const KeyResult kHandled{.handled = true, .picked = std::nullopt};
    modifiers &= ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier) {
        return {};
    }
    const QSizeF seen = scene_.size();
    const QPointF middle(seen.width() / 2, seen.height() / 2);
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        scene_.moveFocus(key == Qt::Key_Tab && modifiers != Qt::ShiftModifier);
        return kHandled;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        scene_.zoomAbout(middle, kKeyZoom, true);
        return kHandled;
    case Qt::Key_Minus:
        scene_.zoomAbout(middle, 1 / kKeyZoom, true);
        return kHandled;
    case Qt::Key_Left:
        scene_.panBy(QPointF(seen.width() * kKeyPan, 0), true);
        return kHandled;
    case Qt::Key_Right:
        scene_.panBy(QPointF(-seen.width() * kKeyPan, 0), true);
        return kHandled;
    case Qt::Key_Up:
        scene_.panBy(QPointF(0, seen.height() * kKeyPan), true);
        return kHandled;
    case Qt::Key_Down:
        scene_.panBy(QPointF(0, -seen.height() * kKeyPan), true);
        return kHandled;
    case Qt::Key_Home:
    case Qt::Key_0:
        scene_.goHome();
        return kHandled;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (scene_.focusedTarget() >= 0) {
            const MapScene::Activation done =
                scene_.activate(static_cast<std::size_t>(scene_.focusedTarget()), true);
            KeyResult result = kHandled;
            if (done.picked) {
                result.picked = SeaPicked{*done.picked, true};
            }
            return result;
        }
        return {};
    default:
        return {};
    }
}

} // namespace pelagor
