// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A SelectionView without widgets: the two lists, the captions, the selected
// option and the output text, held in plain containers.
#pragma once

#include "catalogue/catalogue.h"
#include "selection/selection.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace pelagor::test {

class FakeView : public SelectionView {
public:
    // Whether selecting an option from code runs the ocean click, as some
    // toolkits do.
    enum class Raising { No, Yes };

    explicit FakeView(Raising raising = Raising::No) : raising_(raising)
    {
        for (const auto &caption : catalogue::kOceanCaptions) {
            captions.append(QStringView(caption).toString());
        }
        for (const auto &sea : catalogue::kSeas) {
            names.append(QStringView(sea.name).toString());
            numbers.append(QStringView(sea.oceanNumber).toString());
        }
    }

    void attach(Selection &logic) { logic_ = &logic; }

    [[nodiscard]] std::int16_t ListCount() const override
    {
        return static_cast<std::int16_t>(names.size());
    }
    [[nodiscard]] std::optional<QString> List(SeaList list, std::int16_t row) const override
    {
        const QStringList &rows = list == SeaList::Names ? names : numbers;
        if (row < 0 || row >= rows.size()) {
            return std::nullopt;
        }
        return rows[row];
    }
    [[nodiscard]] std::int16_t ListIndex() const override { return listIndex; }
    [[nodiscard]] std::optional<QString> Caption(std::int16_t option) const override
    {
        if (option < 0 || option >= captions.size()) {
            return std::nullopt;
        }
        return captions[option];
    }
    bool SetValue(std::int16_t option) override
    {
        if (option < 0 || option >= captions.size()) {
            return false;
        }
        const bool changed = selectedOption != option;
        selectedOption = option;
        if (raising_ == Raising::Yes && changed && logic_ != nullptr) {
            logic_->Option1_Click(option);
        }
        return true;
    }
    [[nodiscard]] QString Text() const override { return text; }
    void SetText(const QString &newText) override { text = newText; }

    QStringList captions;
    QStringList names;
    QStringList numbers;
    std::int16_t listIndex = -1;
    int selectedOption = -1;
    QString text = QStringLiteral("начален текст\r\n");

private:
    Raising raising_;
    Selection *logic_ = nullptr;
};

} // namespace pelagor::test
