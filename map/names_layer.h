// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The layer of names, as an atlas gives them: each sea whose mark shows
// named beside it where its name fits, a group's seas listed beside its mark,
// the oceans named in their open water in larger, spaced, lighter letters
// (name_placement.h decides where). The names are placed for the view at
// rest and drawn into the land's picture, so that during a gesture they move
// with it at no cost; the plan of which seas are named is kept for the
// scale and the pick. Over it, the names of the picked, the focused and the
// hovered mark stand out on white plates, where the atlas names them; where
// it does not (a crowded mark, a mark in practice), the plate stands
// beside the mark, kept on the map and off the plates before it. On a page
// every name is text.
#pragma once

#include "map/land_picture.h"
#include "map/map_layers.h"
#include "map/name_placement.h"

#include <cstdint>
#include <optional>
#include <vector>

#include <memory>

namespace pelagor {

class NameLetters;

class NamesLayer : public MapLayer {
public:
    // The names for the scene's view at rest, to be drawn into the land's
    // picture (none on a page, where draw() writes them as text).
    [[nodiscard]] PictureOverlay overlay(const LayerPainting &painting);
    void draw(const LayerPainting &painting) override;

    // The names placed for the last view at rest.
    [[nodiscard]] const std::vector<PlacedName> &placed() const { return placed_; }

private:
    // What the plan depends on, and what the names placed depend on besides.
    struct PlanKey {
        Projection projection;
        double scale = 0;
        int sea = -1;
        int ocean = -1;
        std::vector<int> marked;
        QFont font;
        bool numbered = false;
        bool operator==(const PlanKey &) const = default;
    };
    struct PlaceKey {
        Viewport view;
        bool seas = true;
        bool oceans = true;
        bool operator==(const PlaceKey &) const = default;
    };

    // Places the names anew where the scene at rest asks for others.
    void place(const LayerPainting &painting);
    // Onto a page, as text, but for the names of the marks of these rows.
    void drawText(QPainter &painter, const QFont &font, const std::vector<int> &platedRows) const;
    // Into the screen's picture, from the letters shaped for the plan.
    void drawShaped(QPainter &painter) const;
    void drawPlates(const LayerPainting &painting) const;

    std::shared_ptr<NameLetters> seaLetters_;
    std::shared_ptr<NameLetters> oceanLetters_;
    std::optional<PlanKey> planKey_;
    NamePlan plan_;
    std::optional<PlaceKey> placeKey_;
    std::vector<PlacedName> placed_;
    // The first sea row of each placed sea name's mark, and −1 for an ocean.
    std::vector<int> markRows_;
    std::uint64_t stamp_ = 0;
    bool firstDeferred_ = false;
};

} // namespace pelagor
