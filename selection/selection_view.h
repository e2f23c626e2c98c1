// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the selection logic asks of the window it lives in. Each operation is a
// property of one of the window's controls; the logic reads the catalogue back
// from them at every click and writes only the output text and the selected
// option.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace pelagor {

// The two parallel lists: the visible sea names, List1(0), and the hidden
// ocean numbers, List1(1).
enum class SeaList : std::int16_t { Names = 0, OceanNumbers = 1 };

class SelectionView {
public:
    SelectionView() = default;
    SelectionView(const SelectionView &) = delete;
    SelectionView &operator=(const SelectionView &) = delete;
    SelectionView(SelectionView &&) = delete;
    SelectionView &operator=(SelectionView &&) = delete;
    virtual ~SelectionView() = default;

    // Number of rows of the sea-name list.
    [[nodiscard]] virtual std::int16_t ListCount() const = 0;
    // Text of a row of either list; nothing when the row does not exist.
    [[nodiscard]] virtual std::optional<QString> List(SeaList list, std::int16_t row) const = 0;
    // Selected row of the sea-name list, -1 when none is.
    [[nodiscard]] virtual std::int16_t ListIndex() const = 0;
    // Caption of option button n; nothing when there is no such button.
    [[nodiscard]] virtual std::optional<QString> Caption(std::int16_t option) const = 0;
    // Makes option n the selected one of its group. May call back into the
    // logic's ocean click before it returns. False when there is no such button.
    virtual bool SetValue(std::int16_t option) = 0;
    // The whole text of the output box, exactly as last written.
    [[nodiscard]] virtual QString Text() const = 0;
    virtual void SetText(const QString &text) = 0;
};

} // namespace pelagor
