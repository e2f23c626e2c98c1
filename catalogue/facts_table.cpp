// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/facts_table.h"

#include "catalogue/catalogue.h"
#include "catalogue/facts.h"
#include "catalogue/lookup.h"
#include "catalogue/sea_points.h"

#include <cmath>

namespace pelagor::catalogue {

namespace {

// Degrees to a tenth, with the decimal comma.
QString degrees(double value)
{
    return QString::number(std::round(value * 10) / 10, 'f', 1).replace(u'.', u',');
}

QString plain(const std::optional<Measured> &value, int Measured::*which)
{
    return value ? QString::number((*value).*which) : QString();
}

} // namespace

QStringList seaTableHeader()
{
    return {QStringLiteral("Море"),
            QStringLiteral("Океан"),
            QStringLiteral("Географска ширина (°)"),
            QStringLiteral("Географска дължина (°)"),
            QStringLiteral("Площ от (км²)"),
            QStringLiteral("Площ до (км²)"),
            QStringLiteral("Най-голяма дълбочина от (м)"),
            QStringLiteral("Най-голяма дълбочина до (м)"),
            QStringLiteral("Средна дълбочина (м)"),
            QStringLiteral("Страни и територии"),
            QStringLiteral("Източници")};
}

QStringList seaTableRow(int row)
{
    const Material &material = seaMaterial(row);
    const GeoPoint point = kSeaPoints.at(static_cast<std::size_t>(row));
    const std::optional<Measured> area = measured(material, Measure::Area);
    const std::optional<Measured> deepest = measured(material, Measure::GreatestDepth);
    const std::optional<Measured> mean = measured(material, Measure::MeanDepth);
    return {seaName(row),
            oceanName(oceanOfSea(row)),
            degrees(point.latitude),
            degrees(point.longitude),
            plain(area, &Measured::least),
            plain(area, &Measured::most),
            plain(deepest, &Measured::least),
            plain(deepest, &Measured::most),
            plain(mean, &Measured::shown),
            countryNames(material).join(QStringLiteral(", ")),
            sourceNames(material).join(QStringLiteral("; "))};
}

QString csvCell(const QString &cell)
{
    if (!cell.contains(u';') && !cell.contains(u'"') && !cell.contains(u'\n') &&
        !cell.contains(u'\r')) {
        return cell;
    }
    return u'"' + QString(cell).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QByteArray seaTable()
{
    const auto line = [](const QStringList &cells) {
        QStringList quoted;
        for (const QString &cell : cells) {
            quoted << csvCell(cell);
        }
        return quoted.join(u';') + QStringLiteral("\r\n");
    };
    QString table = line(seaTableHeader());
    for (int row = 0; row < static_cast<int>(kSeaCount); ++row) {
        table += line(seaTableRow(row));
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + table.toUtf8();
}

} // namespace pelagor::catalogue
