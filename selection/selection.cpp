// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "selection/selection.h"

namespace pelagor {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

QString listName(SeaList list)
{
    return list == SeaList::Names ? QStringLiteral("List1(0)") : QStringLiteral("List1(1)");
}

} // namespace

void Selection::Option1_Click(std::int16_t Index)
{
    if (clickState_ == SeaClick) {
        return;
    }
    clickState_ = OceanClick;
    curOcean_ = Index;
    ShowSeasOfOcean();
}

void Selection::ShowSeasOfOcean()
{
    const std::int16_t count = view_.ListCount();
    view_.SetText(QStringLiteral("Посочен океан: ") + caption(toInt16(curOcean_)) + kLineEnd);
    view_.SetText(view_.Text() + QStringLiteral("Включени морета: ") + kLineEnd);
    for (int i = 1; i <= count; ++i) {
        const auto r = static_cast<std::int16_t>(i - 1);
        if (numericEqual(Val(row(SeaList::OceanNumbers, r)), curOcean_)) {
            view_.SetText(view_.Text() + row(SeaList::Names, r) + kLineEnd);
        }
    }
    clickState_ = Idle;
}

void Selection::List1_Click(std::int16_t /*Index*/)
{
    if (clickState_ == OceanClick) {
        return;
    }
    // A click that leaves no row selected has nothing to look up.
    const std::int16_t selected = view_.ListIndex();
    if (selected < 0) {
        return;
    }
    clickState_ = SeaClick;
    curSea_ = selected;
    const std::int16_t sea = toInt16(curSea_);
    curOcean_ = Val(row(SeaList::OceanNumbers, sea));

    // Selecting the option may run the ocean click from inside; the guard
    // makes it return at once.
    const std::int16_t option = toInt16(curOcean_);
    if (!view_.SetValue(option)) {
        throw RunTimeError(
            QStringLiteral("Няма бутон за океан с номер %1 (Option1(%1)), а морето \"%2\" "
                           "е отнесено към него.")
                .arg(option)
                .arg(row(SeaList::Names, sea)));
    }

    const QString oceanNumber = row(SeaList::OceanNumbers, sea);
    view_.SetText(QStringLiteral("Посочено е: ") + row(SeaList::Names, sea) + kLineEnd);
    view_.SetText(view_.Text() + QStringLiteral("То е в състава на: ") +
                  caption(toInt16(oceanNumber)) + QStringLiteral(" океан.") + kLineEnd);
    clickState_ = Idle;
}

QString Selection::row(SeaList list, std::int16_t row) const
{
    auto text = view_.List(list, row);
    if (!text) {
        throw RunTimeError(
            QStringLiteral("Няма ред %1 в списъка %2.").arg(row).arg(listName(list)));
    }
    return *std::move(text);
}

QString Selection::caption(std::int16_t option) const
{
    auto text = view_.Caption(option);
    if (!text) {
        throw RunTimeError(
            QStringLiteral("Няма бутон за океан с номер %1 (Option1(%1)).").arg(option));
    }
    return *std::move(text);
}

} // namespace pelagor
