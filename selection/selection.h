// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The whole behaviour of the program: a click on an ocean lists its seas, a
// click on a sea names its ocean and selects that ocean's option.
#pragma once

#include "selection/selection_view.h"
#include "selection/value.h"

#include <cstdint>

namespace pelagor {

class Selection {
public:
    // What the guard says is being handled.
    enum : std::int16_t { Idle = 0, SeaClick = 1, OceanClick = 2 };

    explicit Selection(SelectionView &view) : view_(view) {}

    // Option button Index was clicked: the output lists every sea of that ocean.
    // Does nothing while a sea click is being handled.
    void Option1_Click(std::int16_t Index);
    // The selected row of the sea list changed or was clicked again: the output
    // names the sea and its ocean, and the ocean's option becomes selected.
    // Index names the list and is not used. Does nothing while an ocean click
    // is being handled, or when no row is selected.
    // Both throw RunTimeError when the catalogue names an ocean that has no
    // option or holds an ocean number that is no number; the guard is then
    // left as it was when the error arose.
    void List1_Click(std::int16_t Index);

    [[nodiscard]] const Value &CurOcean() const { return curOcean_; }
    [[nodiscard]] const Value &CurSea() const { return curSea_; }
    [[nodiscard]] std::int16_t ClickState() const { return clickState_; }

private:
    void ShowSeasOfOcean();
    [[nodiscard]] QString row(SeaList list, std::int16_t row) const;
    [[nodiscard]] QString caption(std::int16_t option) const;

    SelectionView &view_;
    Value curOcean_;
    Value curSea_;
    std::int16_t clickState_ = Idle;
};

} // namespace pelagor
