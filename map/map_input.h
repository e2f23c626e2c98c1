// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The map's input, as plain calls: presses, moves and releases of a mouse
// or a finger, the wheel, a pinch and the keys, turned into pans, zooms,
// picks, focus and hover on the scene. A drag by mouse or by finger takes
// one path, and a click or a tap another; the widget only hands events on.
#pragma once

#include "map/map_scene.h"

#include <QPointF>
#include <Qt>

#include <cstdint>
#include <optional>

namespace pelagor {

// A sea picked on the map, and whether by Enter or Space.
struct SeaPicked {
    int row = -1;
    bool byKeyboard = false;
};

class MapInput {
public:
    enum class Pointer { Mouse, Finger };

    // The desktop's distance that makes a press a drag, in logical pixels,
    // and the time within which a second tap is a double one, in ms.
    struct Settings {
        double dragDistance = 10;
        std::uint64_t doubleTapInterval = 400;
    };

    explicit MapInput(MapScene &scene) : scene_(scene) {}
    void setSettings(const Settings &settings) { settings_ = settings; }

    // A button or a finger comes down, moves with it, comes up: a move
    // farther than the drag distance pans; else, at the target pressed,
    // it picks, and a double tap off the targets zooms in there.
    void press(QPointF at, Pointer pointer);
    // Ignored without a press.
    void move(QPointF at);
    std::optional<SeaPicked> release(QPointF at, std::uint64_t time);
    // A second finger: neither a drag nor a tap, but a pinch (pinch()).
    void addFinger() { manyFingers_ = true; }
    void cancel();
    [[nodiscard]] bool isPressed() const { return pressedAt_.has_value(); }
    [[nodiscard]] bool isDragging() const { return dragging_; }

    // The mouse over the map without a button: the target under it hovered.
    void hover(QPointF at);
    void leave();
    // A mouse double click: off the targets it zooms in there; false on one.
    bool doubleClick(QPointF at);
    // The wheel turned by `angleDelta` eighths of a degree; false for none.
    bool wheel(QPointF at, int angleDelta);
    // A pinch, by its step's factor, about a point.
    void pinch(QPointF at, double factor);

    // A key, as the map takes it: false where it is not the map's.
    struct KeyResult {
        bool handled = false;
        std::optional<SeaPicked> picked;
    };
    KeyResult key(int key, Qt::KeyboardModifiers modifiers);

private:
    MapScene &scene_;
    Settings settings_;
    Pointer pointer_ = Pointer::Mouse;
    // A press that has not yet moved far enough to be a drag.
    std::optional<QPointF> pressedAt_;
    int pressedTarget_ = -1;
    bool dragging_ = false;
    QPointF lastDrag_;
    // Whether more than one finger touched the map since the first came down.
    bool manyFingers_ = false;
    // The last tap on the map that picked nothing, for a double tap.
    std::optional<QPointF> lastTapAt_;
    std::uint64_t lastTapTime_ = 0;
};

} // namespace pelagor
