// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where each sea of the catalogue lies: one point in its water, row for row
// with the sea list (catalogue.h), in degrees to one decimal place: latitude
// north positive, longitude east positive. The map marks the seas here. The
// catalogue itself stays as the lesson gives it; this table only stands
// beside it, and the checks at its end keep the two aligned.
//
// The points are geographic facts: near the centre coordinates that
// encyclopaedias and atlases publish for the seas, and inside the limits the
// International Hydrographic Organization gives them ("Limits of Oceans and
// Seas", S-23) where it gives any. The Sargasso Sea has no coast; the Pechora
// Sea is bounded as Russian atlases bound it (Kolguev to Vaygach, south of
// Novaya Zemlya); the Antarctic seas that Soviet and Russian atlases name
// (Lazarev, Riiser-Larsen, Cosmonauts, Cooperation, Davis, Mawson, Dumont
// d'Urville, Somov) lie off the coasts and between the meridians given there.
// Each point keeps away from the limits a sea shares with its neighbours and
// as far from land as the sea allows: 60 km or more for 72 of them on the
// 1:50m land; the Seto Inland Sea, Marmara, the Aegean, Crete, Irish and
// Philippine inner seas are too narrow or full of islands for that, and their
// points lie near their middles, 19 to 54 km from the nearest coast. All 82
// were checked on both of the map's own land outlines (map/land, 1:50m and
// 1:10m): each lies in water at both scales (a test holds that), at the
// distance from land measured there. The 1:10m land adds islets the 1:50m
// one leaves out, so some coasts come nearer there: the Samar Sea's point is
// 10 km from the nearest, the Seto Inland Sea's 16 km, the Bali Sea's 45 km,
// the Banda Sea's 56 km and the White Sea's 60 km; none of the points had to
// move for it. No two seas share a point to the tenth of a degree (checked
// below).
//
// The Koro Sea, inside the ring of Fiji's islands, is on the 180th meridian,
// as published; Koro Island itself lies at about 17.3° S, 179.4° E.
#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/checks.h"

#include <algorithm>
#include <array>

namespace pelagor::catalogue {

inline constexpr SeaPlace kSeaPlaces[] = {
    {u"Адриатическо море", {43.0, 15.0}},
    {u"Азовско море", {46.0, 36.5}},
    {u"Алборанско море", {36.0, -4.0}},
    {u"Андаманско море", {10.0, 96.0}},
    {u"Арабско море ", {14.0, 65.0}},
    {u"Арафурско море", {-9.5, 135.0}},
    {u"Балеарско море", {40.5, 2.0}},
    {u"Балтийско море", {56.0, 19.0}},
    {u"Баренцово море", {75.0, 40.0}},
    {u"Бафиново море", {73.0, -66.0}},
    {u"Бенгалски залив", {15.0, 88.0}},
    {u"Берингово море", {58.0, -178.0}},
    {u"Бяло море", {65.7, 36.4}},
    {u"Вътрешно Японско море", {34.2, 133.4}},
    {u"Гренландско море", {75.0, -5.0}},
    {u"Егейско море", {39.0, 25.0}},
    {u"Жълто море", {35.0, 123.0}},
    {u"Източнокитайско море", {30.0, 125.0}},
    {u"Източносибирско море", {73.0, 163.0}},
    {u"Ирландско море", {53.6, -5.3}},
    {u"Йонийско море", {38.0, 19.0}},
    {u"Карибско море", {15.0, -75.0}},
    {u"Карско море ", {75.0, 70.0}},
    {u"Келтско море", {51.0, -7.0}},
    {u"Коралово море", {-17.0, 154.0}},
    {u"Критско море", {35.9, 24.8}},
    {u"Лигурско море", {43.6, 8.8}},
    {u"Мексикански залив", {25.0, -90.0}},
    {u"Молукско море", {0.0, 126.0}},
    {u"Море Амундсен", {-72.5, -112.0}},
    {u"Море Бали", {-7.6, 115.8}},
    {u"Море Банда", {-6.0, 127.5}},
    {u"Море Белингсхаузен", {-71.0, -85.0}},
    {u"Море Бофорт", {72.0, -140.0}},
    {u"Море Висаян", {11.6, 123.6}},
    {u"Море Д`Юрвил", {-65.5, 140.0}},
    {u"Море Дейвис", {-65.0, 92.0}},
    {u"Море Камотес", {10.4, 124.4}},
    {u"Море Коро", {-18.0, 180.0}},
    {u"Море Космонавти", {-66.0, 45.0}},
    {u"Море Лабрадор", {58.0, -55.0}},
    {u"Море Лазарев", {-68.0, 5.0}},
    {u"Море Лаптеви", {76.0, 126.0}},
    {u"Море Линкълн", {83.0, -57.0}},
    {u"Море Минданао", {9.0, 124.2}},
    {u"Море Моусън", {-64.5, 105.0}},
    {u"Море Рисер Ларсен", {-68.0, 22.0}},
    {u"Море Рос", {-75.0, -175.0}},
    {u"Море Саву", {-9.6, 122.5}},
    {u"Море Самар", {12.0, 124.3}},
    {u"Море Серам", {-2.2, 128.8}},
    {u"Море Сибуян", {12.8, 122.6}},
    {u"Море Скоша", {-57.0, -40.0}},
    {u"Море Сомов", {-66.0, 155.0}},
    {u"Море Сулавеси", {3.0, 122.0}},
    {u"Море Сулу", {8.0, 120.0}},
    {u"Море Съдружество", {-66.0, 70.0}},
    {u"Море Уедъл", {-73.0, -45.0}},
    {u"Море Фиджи", {-22.0, 178.0}},
    {u"Море Флорес", {-7.3, 119.5}},
    {u"Море Халмахера", {-0.8, 129.2}},
    {u"Мраморно море", {40.7, 28.3}},
    {u"Новогвинейско море", {-4.0, 148.0}},
    {u"Норвежко море", {68.0, 0.0}},
    {u"Охотско море", {55.0, 150.0}},
    {u"Персийски залив", {27.0, 51.5}},
    {u"Печорско море", {69.8, 55.0}},
    {u"Саргасово море", {28.0, -60.0}},
    {u"Северно море", {56.0, 3.0}},
    {u"Соломоново море", {-7.5, 153.0}},
    {u"Средиземно море ", {34.0, 18.0}},
    {u"Тасманово море", {-40.0, 160.0}},
    {u"Тиморско море", {-11.0, 127.0}},
    {u"Тиренско море", {40.0, 12.0}},
    {u"Филипинско море", {20.0, 130.0}},
    {u"Хъдсънов залив", {60.0, -86.0}},
    {u"Червено море", {22.0, 38.0}},
    {u"Черно море", {43.0, 34.0}},
    {u"Чукотско море", {69.0, -171.0}},
    {u"Южнокитайско море", {12.0, 113.0}},
    {u"Яванско море", {-5.0, 111.0}},
    {u"Японско море", {40.0, 135.0}},
};

static_assert(std::size(kSeaPlaces) == kSeaCount, "sea points: there must be exactly 82 rows");
static_assert(sameSeasInOrder(kSeaPlaces, kSeas),
              "sea points: the rows must name the seas of the catalogue, in its order");
static_assert(allLatitudesValid(kSeaPlaces), "sea points: a latitude lies outside -90 to 90");
static_assert(allLongitudesValid(kSeaPlaces),
              "sea points: a longitude lies outside -180 (excluded) to 180");
static_assert(allInTenths(kSeaPlaces), "sea points: a coordinate has more than one decimal place");
static_assert(allPointsDistinct(kSeaPlaces),
              "sea points: two seas share a point to the tenth of a degree");

// The points alone, indexed by sea row.
inline constexpr std::array<GeoPoint, kSeaCount> kSeaPoints = [] {
    std::array<GeoPoint, kSeaCount> points{};
    for (std::size_t row = 0; row < std::min(kSeaCount, std::size(kSeaPlaces)); ++row) {
        points[row] = kSeaPlaces[row].point;
    }
    return points;
}();

} // namespace pelagor::catalogue
