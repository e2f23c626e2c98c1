// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/map_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <utility>

namespace pelagor {

namespace {

std::int64_t area(const QRect &rect)
{
    return rect.isEmpty() ? 0 : std::int64_t{rect.width()} * rect.height();
}

// The value within [low, high]; low where the range is empty.
int clamped(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

// The wanted size, made no smaller than the least one, in its own shape.
QSize wantedSize(const MapRoom &room)
{
    if (room.wanted.isEmpty()) {
        return room.minimum;
    }
    if (room.wanted.width() < room.minimum.width() ||
        room.wanted.height() < room.minimum.height()) {
        return room.wanted.scaled(room.minimum, Qt::KeepAspectRatioByExpanding);
    }
    return room.wanted;
}

// The largest size of the wanted shape whose frame fits in `space`; empty
// where that is under the least size.
QSize fitted(QSize space, QSize wanted, const MapRoom &room)
{
    const QSize inside = space.shrunkBy(room.frame).expandedTo(QSize(0, 0));
    if (inside.width() >= wanted.width() && inside.height() >= wanted.height()) {
        return wanted;
    }
    const QSize size = wanted.scaled(inside, Qt::KeepAspectRatio);
    if (size.width() < room.minimum.width() || size.height() < room.minimum.height()) {
        return {};
    }
    return size;
}

// The map at its largest on the side of the form with the most room: beside
// it as tall as it wants and as wide as the side allows, below or above it
// in its own shape; right, left, below and above in that order where they
// allow the same.
QRect besideForm(const MapRoom &room, QSize wanted)
{
    const QRect &screen = room.screen;
    const QRect &form = room.form;
    // The frame of a map of that size along the form's top or left edge,
    // within the screen.
    const auto across = [&](QSize size, int left) {
        const QSize outer = size.grownBy(room.frame);
        return QRect(
            QPoint(left, clamped(form.top(), screen.top(), screen.bottom() + 1 - outer.height())),
            outer);
    };
    const auto along = [&](QSize size, int top) {
        const QSize outer = size.grownBy(room.frame);
        return QRect(
            QPoint(clamped(form.left(), screen.left(), screen.right() + 1 - outer.width()), top),
            outer);
    };
    // Beside the form the map is as tall as it wants and as wide as the
    // side allows: it fills the room the form leaves there.
    const auto sideways = [&](int free) {
        const QSize inside = QSize(free, screen.height()).shrunkBy(room.frame);
        const QSize size(std::min(inside.width(), wanted.width()),
                         std::min(inside.height(), wanted.height()));
        return size.width() < room.minimum.width() || size.height() < room.minimum.height()
                   ? QSize()
                   : size;
    };
    const QSize right = sideways(screen.right() - form.right());
    const QSize left = sideways(form.left() - screen.left());
    const QSize below = fitted({screen.width(), screen.bottom() - form.bottom()}, wanted, room);
    const QSize above = fitted({screen.width(), form.top() - screen.top()}, wanted, room);
    const std::array sides{
        std::pair{right, across(right, form.right() + 1)},
        std::pair{left, across(left, form.left() - left.grownBy(room.frame).width())},
        std::pair{below, along(below, form.bottom() + 1)},
        std::pair{above, along(above, form.top() - above.grownBy(room.frame).height())},
    };
    const auto *best = std::ranges::max_element(sides, [](const auto &a, const auto &b) {
        return area(QRect(QPoint(), a.first)) < area(QRect(QPoint(), b.first));
    });
    return best->first.isEmpty() ? QRect() : best->second;
}

// The map at its least, within the screen, where it covers the least of the
// list and then the least of the form. The best place has its edges on the
// edges of the screen, the form or the list.
QRect overForm(const MapRoom &room, QSize wanted)
{
    const QRect &screen = room.screen;
    QSize size = wanted.scaled(room.minimum, Qt::KeepAspectRatioByExpanding);
    const QSize inside = screen.size().shrunkBy(room.frame);
    if (size.width() > inside.width() || size.height() > inside.height()) {
        size = size.scaled(inside.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
    }
    const QSize outer = size.grownBy(room.frame);
    // Along one side of the screen, the places of the map's near edge: on the
    // screen's edges, and with either edge on each line of the form and the list.
    const auto edges = [](int low, int high, int length, std::array<int, 4> lines) {
        const int last = high + 1 - length;
        std::array<int, 10> places{low, last};
        for (std::size_t n = 0; n < lines.size(); ++n) {
            places.at(2 + 2 * n) = lines.at(n) - length;
            places.at(3 + 2 * n) = lines.at(n);
        }
        for (int &place : places) {
            place = clamped(place, low, last);
        }
        return places;
    };
    const QRect &form = room.form;
    const QRect &list = room.list;
    const auto lefts = edges(screen.left(), screen.right(), outer.width(),
                             {form.left(), form.right() + 1, list.left(), list.right() + 1});
    const auto tops = edges(screen.top(), screen.bottom(), outer.height(),
                            {form.top(), form.bottom() + 1, list.top(), list.bottom() + 1});
    QRect best;
    std::tuple<std::int64_t, std::int64_t> least;
    for (const int top : tops) {
        for (const int left : lefts) {
            const QRect place(QPoint(left, top), outer);
            const std::tuple covered{area(place & list), area(place & form)};
            if (best.isNull() || covered < least) {
                best = place;
                least = covered;
            }
        }
    }
    return best;
}

} // namespace

QRect placeMap(const MapRoom &room)
{
    const QSize wanted = wantedSize(room);
    if (room.screen.isEmpty()) {
        return {room.form.topRight() + QPoint(1, 0), wanted.grownBy(room.frame)};
    }
    const QRect beside = besideForm(room, wanted);
    return beside.isNull() ? overForm(room, wanted) : beside;
}

bool placeBesideForm(QWidget &window, const QWidget &form, QSize wanted, QSize minimum, QRect keep)
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        window.resize(wanted);
        return false;
    }
    const bool guessed = window.frameGeometry() == window.geometry();
    const QWidget &framed = guessed ? form : window;
    const QRect outer = framed.frameGeometry();
    const QRect inner = framed.geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QRect place = placeMap({.screen = form.screen()->availableGeometry(),
                                  .form = form.frameGeometry(),
                                  .list = keep.isEmpty() ? form.frameGeometry() : keep,
                                  .frame = frame,
                                  .wanted = wanted,
                                  .minimum = minimum});
    window.resize(place.size().shrunkBy(frame));
    window.move(place.topLeft());
    return guessed;
}

} // namespace pelagor
