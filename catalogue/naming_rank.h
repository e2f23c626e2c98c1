// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The order in which a map names the seas where not all names fit: the
// larger and better-known seas first, as atlases name them. It only decides
// which names give way; no pupil ever sees it.
//
// The rule: three tiers, and within each the seas by the area the material
// shows (catalogue::measured, Measure::Area), the largest first; a sea whose
// area no source gives comes last in its tier, in the list's order.
//   1. The seas a school atlas names on its map of the whole world: the
//      great marginal seas, the inland seas of Europe and Asia (Black,
//      Baltic, Red, the Persian Gulf), the Arctic's shelf seas, Hudson Bay,
//      the Weddell and Ross Seas.
//   2. Those named on its maps of a continent or of an ocean: the smaller
//      seas of the Mediterranean and of north-west Europe, the seas round
//      Indonesia and New Guinea, Fiji, Scotia, Bellingshausen, Amundsen.
//   3. Those only the maps of a region name: the seas off Antarctica that
//      Soviet and Russian atlases name (Somov, Riiser-Larsen, Lazarev,
//      Cosmonauts, Mawson, Cooperation, Davis, Dumont d'Urville), the small
//      seas among the islands of Indonesia and the Philippines, Koro, the
//      Pechora, Cretan, Seto Inland and Lincoln Seas.
// By area alone the Fiji Sea would come before the Caribbean and the
// Mediterranean, and the Somov Sea before the Sea of Japan; the tiers are
// where an atlas corrects that.
//
// The table holds every sea of the list once, which is checked below.
#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/checks.h"

#include <array>

namespace pelagor::catalogue {

inline constexpr std::u16string_view kNamingRank[] = {
    // The seas a school atlas names on its map of the whole world.
    u"Филипинско море",
    u"Саргасово море",
    u"Коралово море",
    u"Арабско море ",
    u"Южнокитайско море",
    u"Море Уедъл",
    u"Карибско море",
    u"Средиземно море ",
    u"Берингово море",
    u"Тасманово море",
    u"Бенгалски залив",
    u"Охотско море",
    u"Мексикански залив",
    u"Баренцово море",
    u"Норвежко море",
    u"Гренландско море",
    u"Японско море",
    u"Море Рос",
    u"Източносибирско море",
    u"Карско море ",
    u"Море Лабрадор",
    u"Хъдсънов залив",
    u"Източнокитайско море",
    u"Море Лаптеви",
    u"Чукотско море",
    u"Северно море",
    u"Бафиново море",
    u"Море Бофорт",
    u"Червено море",
    u"Черно море",
    u"Балтийско море",
    u"Жълто море",
    u"Персийски залив",
    // Those its maps of a continent or of an ocean name.
    u"Море Фиджи",
    u"Море Скоша",
    u"Арафурско море",
    u"Соломоново море",
    u"Андаманско море",
    u"Яванско море",
    u"Море Белингсхаузен",
    u"Море Банда",
    u"Море Сулавеси",
    u"Тиморско море",
    u"Море Сулу",
    u"Новогвинейско море",
    u"Келтско море",
    u"Тиренско море",
    u"Молукско море",
    u"Егейско море",
    u"Йонийско море",
    u"Адриатическо море",
    u"Ирландско море",
    u"Море Амундсен",
    u"Бяло море",
    u"Балеарско море",
    u"Алборанско море",
    u"Азовско море",
    u"Лигурско море",
    u"Мраморно море",
    // Those only the maps of a region name.
    u"Море Сомов",
    u"Море Рисер Ларсен",
    u"Море Лазарев",
    u"Море Космонавти",
    u"Море Моусън",
    u"Море Съдружество",
    u"Море Серам",
    u"Море Флорес",
    u"Море Саву",
    u"Печорско море",
    u"Море Халмахера",
    u"Море Коро",
    u"Критско море",
    u"Море Бали",
    u"Море Линкълн",
    u"Море Дейвис",
    u"Море Минданао",
    u"Вътрешно Японско море",
    u"Море Висаян",
    u"Море Камотес",
    u"Море Самар",
    u"Море Д`Юрвил",
    u"Море Сибуян",
};

static_assert(std::size(kNamingRank) == kSeaCount, "naming rank: there must be exactly 82 rows");
static_assert(eachSeaOnce(kNamingRank, kSeas),
              "naming rank: every sea of the catalogue must be named exactly once");

// The rank of each sea row, 0 the first named.
inline constexpr std::array<int, kSeaCount> kNamingRankOfRow = [] {
    std::array<int, kSeaCount> ranks{};
    for (std::size_t rank = 0; rank < std::min(kSeaCount, std::size(kNamingRank)); ++rank) {
        for (std::size_t row = 0; row < std::size(kSeas); ++row) {
            if (kSeas[row].name == kNamingRank[rank]) {
                ranks.at(row) = static_cast<int>(rank);
            }
        }
    }
    return ranks;
}();

} // namespace pelagor::catalogue
