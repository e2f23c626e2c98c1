// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The card of a sea or an ocean in words: what a pupil reads of it beside the
// map, on a printed page, and in part after an answer in practice. Plain
// texts and numbers; whoever shows a card lays them out.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace pelagor::catalogue {

// A figure as a card lines it up: "Площ" and "436 400 км²", and where the
// sources differ, the sentence that says so.
struct CardFigure {
    QString label;
    QString value;
    QString rangeNote;
    // Whether any source gives it; else the value is "няма данни".
    bool known = false;
};

// A neighbour a card links to: its name, and what picks it: a sea's row, or
// an ocean's number (the other one is -1).
struct CardLink {
    QString name;
    int sea = -1;
    int ocean = -1;
};

// The card of a sea.
struct SeaCard {
    int row = -1;
    QString name;  // "Черно море"
    QString ocean; // "Атлантически океан"
    // The area, the greatest depth and the mean depth, in that order.
    std::vector<CardFigure> figures;
    QStringList countries;
    std::vector<CardLink> neighbours;
    QStringList sentences;
    // "Източници: …; …"
    QString sources;
};

// The columns of an ocean's table of seas.
enum class CardColumn { Name, Area, Depth };
inline constexpr int kCardColumns = 3;

// A row of an ocean's table of seas. Each figure as a cell shows it, without
// its unit (the column's title names it), and its key to sort by: the value
// shown, -1 where there are no data. By name the row itself is the key: the
// list is in alphabetical order.
struct CardTableRow {
    int row = -1;
    QString name;
    QString area;
    QString depth;
    qint64 areaKey = -1;
    qint64 depthKey = -1;
};

// The card of an ocean.
struct OceanCard {
    int ocean = -1;
    QString name; // "Тихи океан"
    std::vector<CardFigure> figures;
    QStringList sentences;
    // "Моретата на океана – 29"
    QString seasHeading;
    // Its seas in the list's order.
    std::vector<CardTableRow> seas;
    QString sources;
};

[[nodiscard]] SeaCard seaCard(int row);
[[nodiscard]] OceanCard oceanCard(int ocean);

// The headings of a sea card's sections.
[[nodiscard]] QString coastsHeading();
[[nodiscard]] QString neighboursHeading();
// The title of a column of an ocean's table; a title too long for a narrow
// column holds a line break.
[[nodiscard]] QString cardColumnTitle(CardColumn column);
// What the table's header and rows do, for the pupil.
[[nodiscard]] QString oceanTableHint();
// The card with nothing picked: what it will show.
[[nodiscard]] QString emptyCardText();

// The countries and territories on a sea's coasts, "няма" for none; the
// same as a line, after its heading; the neighbours' line.
[[nodiscard]] QString coastsText(const SeaCard &card);
[[nodiscard]] QString coastsLine(const SeaCard &card);
[[nodiscard]] QString neighboursLine(const SeaCard &card);

// A figure in one line: "Площ: 436 400 км²".
[[nodiscard]] QString figureLine(const CardFigure &figure);
// What practice adds after an answer: the figures of the sea that some
// source gives (two or three of them) and its first sentence, as one text:
// "Площ: 436 400 км². Най-голяма дълбочина: 2210 м. …"
[[nodiscard]] QString answerAside(int row);

// The whole card as lines of plain text, in the order a reader meets them.
[[nodiscard]] QStringList cardLines(const SeaCard &card);
[[nodiscard]] QStringList cardLines(const OceanCard &card);

} // namespace pelagor::catalogue
