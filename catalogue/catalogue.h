// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The subject matter of the lesson: the five oceans and the 82 seas, gulfs
// and bays that belong to them, in Bulgarian.
//
// The sea rows are kept in ascending code-point order of their names, which is
// also the order the sea list shows; the list never sorts itself. Each row
// carries the number of its ocean as a one-digit text, which is also the index
// of the ocean's option button. Three names end in a blank and one holds a
// grave accent: both belong to the name.
//
// The facts the rest of the program relies on are checked at compile time at
// the end of this file; an edit that breaks one of them does not build.
#pragma once

#include "catalogue/checks.h"

#include <array>
#include <string_view>

namespace pelagor::catalogue {

inline constexpr std::array<std::u16string_view, kOceanCount> kOceanCaptions{
    u"Атлантически",    // 0
    u"Индийски",        // 1
    u"Северен ледовит", // 2
    u"Тихи",            // 3
    u"Южен",            // 4
};

inline constexpr SeaRow kSeas[] = {
    {u"Адриатическо море", u"0"},
    {u"Азовско море", u"0"},
    {u"Алборанско море", u"0"},
    {u"Андаманско море", u"1"},
    {u"Арабско море ", u"1"},
    {u"Арафурско море", u"1"},
    {u"Балеарско море", u"0"},
    {u"Балтийско море", u"0"},
    {u"Баренцово море", u"2"},
    {u"Бафиново море", u"2"},
    {u"Бенгалски залив", u"1"},
    {u"Берингово море", u"3"},
    {u"Бяло море", u"0"},
    {u"Вътрешно Японско море", u"3"},
    {u"Гренландско море", u"2"},
    {u"Егейско море", u"0"},
    {u"Жълто море", u"3"},
    {u"Източнокитайско море", u"3"},
    {u"Източносибирско море", u"2"},
    {u"Ирландско море", u"0"},
    {u"Йонийско море", u"0"},
    {u"Карибско море", u"0"},
    {u"Карско море ", u"2"},
    {u"Келтско море", u"0"},
    {u"Коралово море", u"3"},
    {u"Критско море", u"0"},
    {u"Лигурско море", u"0"},
    {u"Мексикански залив", u"0"},
    {u"Молукско море", u"3"},
    {u"Море Амундсен", u"4"},
    {u"Море Бали", u"3"},
    {u"Море Банда", u"3"},
    {u"Море Белингсхаузен", u"4"},
    {u"Море Бофорт", u"2"},
    {u"Море Висаян", u"3"},
    {u"Море Д`Юрвил", u"4"},
    {u"Море Дейвис", u"4"},
    {u"Море Камотес", u"3"},
    {u"Море Коро", u"3"},
    {u"Море Космонавти", u"4"},
    {u"Море Лабрадор", u"0"},
    {u"Море Лазарев", u"4"},
    {u"Море Лаптеви", u"2"},
    {u"Море Линкълн", u"2"},
    {u"Море Минданао", u"3"},
    {u"Море Моусън", u"4"},
    {u"Море Рисер Ларсен", u"4"},
    {u"Море Рос", u"4"},
    {u"Море Саву", u"3"},
    {u"Море Самар", u"3"},
    {u"Море Серам", u"3"},
    {u"Море Сибуян", u"3"},
    {u"Море Скоша", u"0"},
    {u"Море Сомов", u"4"},
    {u"Море Сулавеси", u"3"},
    {u"Море Сулу", u"3"},
    {u"Море Съдружество", u"4"},
    {u"Море Уедъл", u"4"},
    {u"Море Фиджи", u"3"},
    {u"Море Флорес", u"3"},
    {u"Море Халмахера", u"3"},
    {u"Мраморно море", u"0"},
    {u"Новогвинейско море", u"3"},
    {u"Норвежко море", u"2"},
    {u"Охотско море", u"3"},
    {u"Персийски залив", u"1"},
    {u"Печорско море", u"2"},
    {u"Саргасово море", u"0"},
    {u"Северно море", u"0"},
    {u"Соломоново море", u"3"},
    {u"Средиземно море ", u"0"},
    {u"Тасманово море", u"3"},
    {u"Тиморско море", u"1"},
    {u"Тиренско море", u"0"},
    {u"Филипинско море", u"3"},
    {u"Хъдсънов залив", u"2"},
    {u"Червено море", u"1"},
    {u"Черно море", u"0"},
    {u"Чукотско море", u"2"},
    {u"Южнокитайско море", u"3"},
    {u"Яванско море", u"3"},
    {u"Японско море", u"3"},
};

static_assert(std::size(kSeas) == kSeaCount, "catalogue: there must be exactly 82 sea rows");
static_assert(allNamesFit(kSeas), "catalogue: a sea name is empty or longer than 21 characters");
static_assert(allOceanNumbersValid(kSeas),
              "catalogue: every ocean number must be one digit from 0 to 4");
static_assert(countOf(kSeas, u'0') == 22, "catalogue: ocean 0 must have 22 seas");
static_assert(countOf(kSeas, u'1') == 7, "catalogue: ocean 1 must have 7 seas");
static_assert(countOf(kSeas, u'2') == 12, "catalogue: ocean 2 must have 12 seas");
static_assert(countOf(kSeas, u'3') == 29, "catalogue: ocean 3 must have 29 seas");
static_assert(countOf(kSeas, u'4') == 12, "catalogue: ocean 4 must have 12 seas");
static_assert(inAscendingOrder(kSeas),
              "catalogue: the sea rows must be in strictly ascending code-point order");

} // namespace pelagor::catalogue
