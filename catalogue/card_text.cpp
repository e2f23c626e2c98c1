// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/card_text.h"

#include "catalogue/facts.h"
#include "catalogue/facts_checks.h"
#include "catalogue/lookup.h"

namespace pelagor::catalogue {

namespace {

CardFigure figureOf(const Material &material, Measure measure, const QString &label)
{
    return {.label = label,
            .value = measureText(material, measure),
            .rangeNote = rangeSentence(material, measure),
            .known = measured(material, measure).has_value()};
}

std::vector<CardFigure> figuresOf(const Material &material)
{
    return {figureOf(material, Measure::Area, QStringLiteral("Площ")),
            figureOf(material, Measure::GreatestDepth, QStringLiteral("Най-голяма дълбочина")),
            figureOf(material, Measure::MeanDepth, QStringLiteral("Средна дълбочина"))};
}

QString sourcesLine(const Material &material)
{
    return QStringLiteral("Източници: ") + sourceNames(material).join(QStringLiteral("; "));
}

// A figure as a cell of the table shows it: a range breaks only between its
// two ends ("от 752 000" / "до 1 243 200").
QString cellText(const Material &material, Measure measure)
{
    return measureValue(material, measure)
        .replace(QStringLiteral("от "), QStringLiteral("от\u00A0"))
        .replace(QStringLiteral(" до "), QStringLiteral(" до\u00A0"));
}

qint64 keyOf(const Material &material, Measure measure)
{
    const std::optional<Measured> value = measured(material, measure);
    return value ? value->shown : -1;
}

// A cell of the table in words: "площ: 436 400 км²".
QString cellLine(const QString &label, const QString &value, qint64 key, const QString &unit)
{
    return label + QStringLiteral(": ") + value + (key < 0 ? QString() : unit);
}

void addFigureLines(QStringList &lines, const std::vector<CardFigure> &figures)
{
    for (const CardFigure &figure : figures) {
        lines << figureLine(figure);
        if (!figure.rangeNote.isEmpty()) {
            lines << figure.rangeNote;
        }
    }
}

} // namespace

SeaCard seaCard(int row)
{
    const Material &material = seaMaterial(row);
    SeaCard card{.row = row,
                 .name = seaName(row),
                 .ocean = oceanName(oceanOfSea(row)),
                 .figures = figuresOf(material),
                 .countries = countryNames(material),
                 .neighbours = {},
                 .sentences = sentences(material),
                 .sources = sourcesLine(material)};
    const QStringList names = neighbourNames(material);
    const std::vector<int> numbers = neighbourNumbers(material);
    for (std::size_t at = 0; at < numbers.size(); ++at) {
        const int number = numbers[at];
        const bool ocean = number >= kOceanNeighbour;
        card.neighbours.push_back({.name = names.value(static_cast<qsizetype>(at)),
                                   .sea = ocean ? -1 : number,
                                   .ocean = ocean ? number - kOceanNeighbour : -1});
    }
    return card;
}

OceanCard oceanCard(int ocean)
{
    const Material &material = oceanMaterial(ocean);
    const std::vector<int> rows = seasOfOcean(ocean);
    OceanCard card{.ocean = ocean,
                   .name = oceanName(ocean),
                   .figures = figuresOf(material),
                   .sentences = sentences(material),
                   .seasHeading = QStringLiteral("Моретата на океана – %1").arg(rows.size()),
                   .seas = {},
                   .sources = sourcesLine(material)};
    for (const int row : rows) {
        const Material &sea = seaMaterial(row);
        card.seas.push_back({.row = row,
                             .name = seaName(row),
                             .area = cellText(sea, Measure::Area),
                             .depth = cellText(sea, Measure::GreatestDepth),
                             .areaKey = keyOf(sea, Measure::Area),
                             .depthKey = keyOf(sea, Measure::GreatestDepth)});
    }
    return card;
}

QString coastsHeading()
{
    return QStringLiteral("Страни и територии по бреговете");
}

QString neighboursHeading()
{
    return QStringLiteral("Съседни морета и океани");
}

QString cardColumnTitle(CardColumn column)
{
    switch (column) {
    case CardColumn::Name:
        return QStringLiteral("Море");
    case CardColumn::Area:
        return QStringLiteral("Площ, км²");
    case CardColumn::Depth:
        return QStringLiteral("Най-голяма\nдълбочина, м");
    }
    return {};
}

QString oceanTableHint()
{
    return QStringLiteral("Щракни заглавие на колона, за да подредиш моретата, и море, "
                          "за да го покажеш.");
}

QString emptyCardText()
{
    return QStringLiteral("Избери океан или море – тук ще видиш площта и дълбочината му, "
                          "страните по бреговете, съседите му и няколко изречения за него.");
}

QString figureLine(const CardFigure &figure)
{
    return figure.label + QStringLiteral(": ") + figure.value;
}

QString answerAside(int row)
{
    const SeaCard card = seaCard(row);
    QStringList parts;
    for (const CardFigure &figure : card.figures) {
        if (figure.known && parts.size() < 3) {
            parts << figureLine(figure) + u'.';
        }
    }
    if (!card.sentences.isEmpty()) {
        parts << card.sentences.constFirst();
    }
    return parts.join(u' ');
}

QString coastsText(const SeaCard &card)
{
    return card.countries.isEmpty() ? QStringLiteral("няма")
                                    : card.countries.join(QStringLiteral(", "));
}

QString coastsLine(const SeaCard &card)
{
    return coastsHeading() + QStringLiteral(": ") + coastsText(card);
}

QString neighboursLine(const SeaCard &card)
{
    QStringList neighbours;
    for (const CardLink &link : card.neighbours) {
        neighbours << link.name;
    }
    return neighboursHeading() + QStringLiteral(": ") + neighbours.join(QStringLiteral(", "));
}

QStringList cardLines(const SeaCard &card)
{
    QStringList lines{card.name, card.ocean};
    addFigureLines(lines, card.figures);
    lines << coastsLine(card) << neighboursLine(card);
    lines << card.sentences << card.sources;
    return lines;
}

QStringList cardLines(const OceanCard &card)
{
    QStringList lines{card.name};
    addFigureLines(lines, card.figures);
    lines << card.sentences << card.seasHeading;
    for (const CardTableRow &sea : card.seas) {
        lines << sea.name + QStringLiteral(" – ") +
                     cellLine(QStringLiteral("площ"), sea.area, sea.areaKey,
                              QStringLiteral(" км²")) +
                     QStringLiteral(", ") +
                     cellLine(QStringLiteral("най-голяма дълбочина"), sea.depth, sea.depthKey,
                              QStringLiteral(" м"));
    }
    lines << card.sources;
    return lines;
}

} // namespace pelagor::catalogue
