// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/map_words.h"

#include "catalogue/lookup.h"
#include "catalogue/sea_points.h"

#include <QStringList>

#include <cmath>

namespace pelagor {

namespace {

using catalogue::oceanName;
using catalogue::oceanOfSea;
using catalogue::seaName;

// A number of degrees to a tenth, with a decimal comma.
QString tenths(double value)
{
    return QString::number(std::abs(std::round(value * 10) / 10), 'f', 1)
        .replace(QLatin1Char('.'), QLatin1Char(','));
}

GeoPoint pointOf(int row)
{
    return catalogue::kSeaPoints.at(static_cast<std::size_t>(row));
}

} // namespace

QString positionText(GeoPoint point, bool inWords)
{
    const bool south = std::round(point.latitude * 10) < 0;
    const bool west = std::round(point.longitude * 10) < 0;
    if (inWords) {
        return QStringLiteral("%1 градуса %2 ширина, %3 градуса %4 дължина")
            .arg(tenths(point.latitude), south ? QStringLiteral("южна") : QStringLiteral("северна"),
                 tenths(point.longitude),
                 west ? QStringLiteral("западна") : QStringLiteral("източна"));
    }
    return QStringLiteral("%1° %2, %3° %4")
        .arg(tenths(point.latitude), south ? QStringLiteral("ю. ш.") : QStringLiteral("с. ш."),
             tenths(point.longitude), west ? QStringLiteral("з. д.") : QStringLiteral("и. д."));
}

QString captionText(const MapScene &scene)
{
    const auto count = scene.marked().size();
    switch (scene.shown()) {
    case MapScene::Shown::World:
        break;
    case MapScene::Shown::Sea:
        if (!scene.namesHidden()) {
            return seaName(scene.sea()) + QStringLiteral(" — ") +
                   oceanName(oceanOfSea(scene.sea()));
        }
        break;
    case MapScene::Shown::Ocean:
        return QStringLiteral("%1 — %2 морета").arg(oceanName(scene.ocean())).arg(count);
    case MapScene::Shown::Seas:
        if (scene.ocean() >= 0) {
            return QStringLiteral("%1 — %2 морета").arg(oceanName(scene.ocean())).arg(count);
        }
        return QStringLiteral("%1 морета от %2 океана").arg(count).arg(scene.oceanCount());
    }
    return QStringLiteral("Океаните на света — %1 морета").arg(count);
}

QString descriptionText(const MapScene &scene)
{
    const auto count = scene.marked().size();
    switch (scene.shown()) {
    case MapScene::Shown::World:
        break;
    case MapScene::Shown::Sea:
        if (scene.namesHidden()) {
            return QStringLiteral("На картата е отбелязано едно море.");
        }
        return QStringLiteral("На картата: %1, в състава на %2, при %3.")
            .arg(seaName(scene.sea()), oceanName(oceanOfSea(scene.sea())),
                 positionText(pointOf(scene.sea()), true));
    case MapScene::Shown::Ocean:
        return QStringLiteral("На картата: %1 морета в състава на %2.")
            .arg(count)
            .arg(oceanName(scene.ocean()));
    case MapScene::Shown::Seas:
        return scene.ocean() >= 0 ? QStringLiteral("На картата: %1 морета в състава на %2.")
                                        .arg(count)
                                        .arg(oceanName(scene.ocean()))
                                  : QStringLiteral("На картата: %1 морета от %2 океана.")
                                        .arg(count)
                                        .arg(scene.oceanCount());
    }
    return QStringLiteral("Карта на света с всичките %1 морета. Още не е избран океан или море; "
                          "избраното в главния прозорец се отбелязва на картата.")
        .arg(count);
}

QString targetName(const MapScene &scene, const Target &target)
{
    if (!target.isGroup()) {
        return scene.namesHidden() ? QStringLiteral("Море") : seaName(target.rows.front());
    }
    if (scene.namesHidden()) {
        return QStringLiteral("%1 морета").arg(target.rows.size());
    }
    QStringList names;
    for (const int row : target.rows) {
        names << seaName(row);
    }
    return QStringLiteral("%1 морета: %2")
        .arg(target.rows.size())
        .arg(names.join(QStringLiteral(", ")));
}

QString targetPosition(const MapScene &scene, const Target &target, bool inWords)
{
    GeoPoint where = pointOf(target.rows.front());
    if (target.isGroup()) {
        where = scene.view().projection().toEarth(target.lies).value_or(where);
        return QStringLiteral("около ") + positionText(where, inWords);
    }
    if (inWords && !scene.markNote().isEmpty() && target.rows.front() == scene.sea()) {
        const QString &after = scene.markAfter();
        return scene.markNote() + QLatin1Char(' ') + positionText(where, inWords) +
               (after.isEmpty() ? QString() : QStringLiteral(". ") + after);
    }
    return positionText(where, inWords);
}

QString plateText(const Target &target)
{
    return target.isGroup() ? QStringLiteral("%1 морета").arg(target.rows.size())
                            : seaName(target.rows.front());
}

} // namespace pelagor
