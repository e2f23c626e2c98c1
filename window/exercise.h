// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The statement of the school exercise this program solves: the text the
// output box holds when the window opens. The blanks at the ends of lines and
// the two double blanks after dashes are part of the text.
#pragma once

#include <QString>

#include <array>

namespace pelagor {

inline constexpr std::array<const char16_t *, 25> kExerciseLines{
    u"Реално на планетата ни има един световен океан. През 2000 ",
    u"г. Международната хидрографическа организация приема ",
    u"условно разделение на световния океан на пет океана. Те са:",
    u"Тихи океан - разделя Азия и Австралия от Америка;",
    u"Атлантически океан - разделя Америка от Европа и Африка;",
    u"Индийски океан -  разделя Африка от Австралия и граничи ",
    u"на север с Азия;",
    u"Северен ледовит океан -  разположен на север от Америка, ",
    u"Европа и Азия;",
    u"Южен океан - заобикалящ Антарктида като обхваща южните ",
    u"части на Тихия, Атлантическия и Индийския океан.",
    u"Да се реализира проект, представящ междупредметни връзки ",
    u"География и Информатика.",
    u"Тема на проекта: География - океани и морета",
    u"Чрез две отделни група радиобутони да се представят ",
    u"имената на океаните, както и имената на съответните ",
    u"морета, включени в състава на конкретен океан.",
    u"Двете групи имат различен брой елементи. При събитие ",
    u"On-Click върху име на океан да се извеждат имената на ",
    u"всички, включени в него морета.",
    u"В другия случай да се извежда само името на океана, към ",
    u"който принадлежи посоченото море.",
    u"Имената във всяка група да са подредени по азбучен ред.",
    u"Съберете допълнително материал за отделните морета във ",
    u"всеки от изброените океани.",
};

// The exercise as one text, every line ended by CR LF.
inline QString exerciseText()
{
    QString text;
    for (const char16_t *line : kExerciseLines) {
        text += QString::fromUtf16(line) + QStringLiteral("\r\n");
    }
    return text;
}

} // namespace pelagor
