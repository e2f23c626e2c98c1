// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The output texts a pupil must see, written out by hand from the lesson's
// tables so that the tests do not read them back from the catalogue.
#pragma once

#include <QString>
#include <QStringList>

namespace pelagor::test {

inline QString lines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line + QStringLiteral("\r\n");
    }
    return text;
}

inline const QStringList &oceanCaptions()
{
    static const QStringList captions{QStringLiteral("Атлантически"), QStringLiteral("Индийски"),
                                      QStringLiteral("Северен ледовит"), QStringLiteral("Тихи"),
                                      QStringLiteral("Южен")};
    return captions;
}

inline QStringList seasOfOcean(int ocean)
{
    switch (ocean) {
    case 0:
        return {"Адриатическо море", "Азовско море",      "Алборанско море", "Балеарско море",
                "Балтийско море",    "Бяло море",         "Егейско море",    "Ирландско море",
                "Йонийско море",     "Карибско море",     "Келтско море",    "Критско море",
                "Лигурско море",     "Мексикански залив", "Море Лабрадор",   "Море Скоша",
                "Мраморно море",     "Саргасово море",    "Северно море",    "Средиземно море ",
                "Тиренско море",     "Черно море"};
    case 1:
        return {"Андаманско море", "Арабско море ", "Арафурско море", "Бенгалски залив",
                "Персийски залив", "Тиморско море", "Червено море"};
    case 2:
        return {"Баренцово море", "Бафиново море", "Гренландско море", "Източносибирско море",
                "Карско море ",   "Море Бофорт",   "Море Лаптеви",     "Море Линкълн",
                "Норвежко море",  "Печорско море", "Хъдсънов залив",   "Чукотско море"};
    case 3:
        return {"Берингово море",    "Вътрешно Японско море",
                "Жълто море",        "Източнокитайско море",
                "Коралово море",     "Молукско море",
                "Море Бали",         "Море Банда",
                "Море Висаян",       "Море Камотес",
                "Море Коро",         "Море Минданао",
                "Море Саву",         "Море Самар",
                "Море Серам",        "Море Сибуян",
                "Море Сулавеси",     "Море Сулу",
                "Море Фиджи",        "Море Флорес",
                "Море Халмахера",    "Новогвинейско море",
                "Охотско море",      "Соломоново море",
                "Тасманово море",    "Филипинско море",
                "Южнокитайско море", "Яванско море",
                "Японско море"};
    case 4:
        return {"Море Амундсен",   "Море Белингсхаузен", "Море Д`Юрвил",     "Море Дейвис",
                "Море Космонавти", "Море Лазарев",       "Море Моусън",      "Море Рисер Ларсен",
                "Море Рос",        "Море Сомов",         "Море Съдружество", "Море Уедъл"};
    default:
        return {};
    }
}

// The ocean a sea belongs to, by its name; -1 for no sea.
inline int oceanOf(const QString &sea)
{
    for (int ocean = 0; ocean < 5; ++ocean) {
        if (seasOfOcean(ocean).contains(sea)) {
            return ocean;
        }
    }
    return -1;
}

// What the output box holds after a click on ocean n.
inline QString oceanListing(int ocean)
{
    return lines(QStringList{QStringLiteral("Посочен океан: ") + oceanCaptions().at(ocean),
                             QStringLiteral("Включени морета: ")} +
                 seasOfOcean(ocean));
}

// What the output box holds after a click on a sea of the given ocean.
inline QString seaLookup(const QString &sea, int ocean)
{
    return lines({QStringLiteral("Посочено е: ") + sea, QStringLiteral("То е в състава на: ") +
                                                            oceanCaptions().at(ocean) +
                                                            QStringLiteral(" океан.")});
}

struct SeaCase {
    const char *name;
    int row;
    int ocean;
};

// Rows worth a lookup: the first and last, a trailing blank, the grave accent,
// the first row of ocean 4, and the Black Sea.
inline constexpr SeaCase kSeaCases[] = {
    {"Адриатическо море", 0, 0}, {"Арабско море ", 4, 1}, {"Море Амундсен", 29, 4},
    {"Море Д`Юрвил", 35, 4},     {"Черно море", 77, 0},   {"Японско море", 81, 3},
};

} // namespace pelagor::test
