// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/facts.h"

#include "catalogue/sea_facts.h"

#include <algorithm>
#include <span>

namespace pelagor::catalogue {

namespace {

QString text(std::u16string_view view)
{
    return QStringView(view).toString();
}

Rows rowsOf(const Material &material, Measure measure)
{
    switch (measure) {
    case Measure::Area:
        return material.area;
    case Measure::GreatestDepth:
        return material.maxDepth;
    case Measure::MeanDepth:
        return material.meanDepth;
    }
    return {};
}

QString unitOf(Measure measure)
{
    return measure == Measure::Area ? QStringLiteral(" км²") : QStringLiteral(" м");
}

template <typename Row, std::size_t N> std::span<const Row> rowsIn(const Row (&table)[N], Rows rows)
{
    const std::size_t first = std::min<std::size_t>(rows.first, N);
    return std::span<const Row>(table).subspan(first, std::min<std::size_t>(rows.count, N - first));
}

} // namespace

const Material &seaMaterial(int row)
{
    return kSeaMaterial[static_cast<std::size_t>(
        std::clamp(row, 0, static_cast<int>(kSeaCount) - 1))];
}

const Material &oceanMaterial(int ocean)
{
    return kOceanMaterial[static_cast<std::size_t>(
        std::clamp(ocean, 0, static_cast<int>(kOceanCount) - 1))];
}

bool Measured::differs() const
{
    // In whole numbers: most > least × 1.15.
    return static_cast<qint64>(most) * 100 > static_cast<qint64>(least) * 115;
}

std::optional<Measured> measured(const Material &material, Measure measure)
{
    const Rows rows = rowsOf(material, measure);
    const std::size_t shownAt = shownFigure(rows, kFigures, kFactSources);
    if (shownAt == kNoFigure) {
        return std::nullopt;
    }
    const Figure *shown = &std::span<const Figure>(kFigures)[shownAt];
    Measured result{shown->value, shown->value, shown->value, shown->atLeast};
    for (const Figure &figure : rowsIn(kFigures, rows)) {
        result.least = std::min(result.least, static_cast<int>(figure.value));
        result.most = std::max(result.most, static_cast<int>(figure.value));
    }
    return result;
}

QString bulgarianNumber(qint64 value)
{
    QString digits = QString::number(value < 0 ? -value : value);
    if (digits.size() >= 5) {
        for (qsizetype at = digits.size() - 3; at > 0; at -= 3) {
            digits.insert(at, QChar(0x00A0));
        }
    }
    return value < 0 ? QStringLiteral("−") + digits : digits;
}

QString measureValue(const Material &material, Measure measure)
{
    const std::optional<Measured> value = measured(material, measure);
    if (!value) {
        return QStringLiteral("няма данни");
    }
    if (value->differs()) {
        return QStringLiteral("от %1 до %2")
            .arg(bulgarianNumber(value->least), bulgarianNumber(value->most));
    }
    return (value->atLeast ? QStringLiteral("над ") : QString()) + bulgarianNumber(value->shown);
}

QString measureText(const Material &material, Measure measure)
{
    return measured(material, measure) ? measureValue(material, measure) + unitOf(measure)
                                       : measureValue(material, measure);
}

QString rangeSentence(const Material &material, Measure measure)
{
    const std::optional<Measured> value = measured(material, measure);
    if (!value || !value->differs()) {
        return {};
    }
    const QString range = measureText(material, measure);
    return measure == Measure::Area
               ? QStringLiteral("Източниците дават %1, според това докъде теглят границите му.")
                     .arg(range)
               : QStringLiteral("Източниците дават %1: измерванията и границите им се различават.")
                     .arg(range);
}

QStringList countryNames(const Material &material)
{
    QStringList names;
    for (const std::uint16_t country : rowsIn(kCoasts, material.coasts)) {
        names << text(kCountries[country].name);
    }
    return names;
}

std::vector<int> neighbourNumbers(const Material &material)
{
    std::vector<int> numbers;
    for (const std::uint16_t neighbour : rowsIn(kNeighbours, material.neighbours)) {
        numbers.push_back(neighbour);
    }
    return numbers;
}

QStringList neighbourNames(const Material &material)
{
    QStringList names;
    for (const int neighbour : neighbourNumbers(material)) {
        names << (neighbour >= kOceanNeighbour
                      ? text(oceanMaterial(neighbour - kOceanNeighbour).name)
                      : text(seaMaterial(neighbour).name));
    }
    return names;
}

QStringList sentences(const Material &material)
{
    QStringList lines;
    for (const Sentence &sentence : rowsIn(kSentences, material.sentences)) {
        lines << text(sentence.text);
    }
    return lines;
}

QStringList sourceNames(const Material &material)
{
    QStringList names;
    const auto add = [&names](std::uint16_t source) {
        const QString name = text(kFactSources[source].name);
        if (!names.contains(name)) {
            names << name;
        }
    };
    for (const Rows rows : {material.area, material.maxDepth, material.meanDepth}) {
        for (const Figure &figure : rowsIn(kFigures, rows)) {
            add(figure.source);
        }
    }
    for (const Sentence &sentence : rowsIn(kSentences, material.sentences)) {
        add(sentence.source);
    }
    return names;
}

} // namespace pelagor::catalogue
