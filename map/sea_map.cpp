// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/sea_map.h"

#include "catalogue/catalogue.h"
#include "map/land.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointingDevice>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <utility>

namespace pelagor {

namespace {

using catalogue::GeoPoint;

// The map's own colours, the same under every desktop scheme. The marks'
// dark red stands at least 4.5:1 against the water and the land; names stand
// in black on white plates of their own.
const QColor kWater{170, 211, 236};
const QColor kLand{238, 230, 200};
const QColor kCoast{128, 112, 76};
const QColor kGraticule{147, 190, 218};
const QColor kOutline{74, 122, 160};
const QColor kMark{170, 0, 20};
const QColor kMarkEdge{255, 255, 255};
const QColor kPlate{255, 255, 255};
const QColor kPlateEdge{64, 64, 64};
const QColor kText{0, 0, 0};
const QColor kCaption{250, 250, 246};
const QColor kCaptionEdge{160, 160, 160};

// Sizes in logical pixels.
constexpr double kMargin = 6;
constexpr double kCaptionPadding = 4;
constexpr double kMarkRadius = 5;
constexpr double kPickedRadius = 3.5;
constexpr double kRingRadius = 11;
// How far from a mark's centre the mouse and a finger still hit it.
constexpr double kMouseReach = kMarkRadius + 3;
constexpr double kFingerReach = 16;
constexpr double kPlatePadding = 4;
constexpr QSize kMinimumSize{300, 180};

// Natural Earth I, with the longitude and latitude in degrees; x grows east,
// y north, both in the projection's units (the earth's radius).
constexpr QPointF naturalEarth(GeoPoint point)
{
    const double lambda = point.longitude * std::numbers::pi / 180.0;
    const double phi = point.latitude * std::numbers::pi / 180.0;
    const double phi2 = phi * phi;
    const double phi4 = phi2 * phi2;
    const double phi6 = phi4 * phi2;
    const double phi8 = phi4 * phi4;
    const double phi10 = phi8 * phi2;
    const double phi12 = phi6 * phi6;
    return {
        lambda * (0.8707 - 0.131979 * phi2 - 0.013791 * phi4 + 0.003971 * phi10 - 0.001529 * phi12),
        phi * (1.007226 + 0.015085 * phi2 - 0.044475 * phi6 + 0.028874 * phi8 - 0.005916 * phi10)};
}

// Half the map's width and height in the projection's units.
constexpr double kHalfWidth = naturalEarth({0, 180}).x();
constexpr double kHalfHeight = naturalEarth({90, 0}).y();

QString seaName(int row)
{
    return QStringView(catalogue::kSeas[static_cast<std::size_t>(row)].name).toString().trimmed();
}

int oceanOf(int row)
{
    return catalogue::kSeas[static_cast<std::size_t>(row)].oceanNumber.front() - u'0';
}

QString oceanName(int ocean)
{
    return QStringView(catalogue::kOceanCaptions.at(static_cast<std::size_t>(ocean))).toString() +
           QStringLiteral(" океан");
}

// "43° с. ш., 15° и. д.": whole degrees, north or south, east or west.
QString position(GeoPoint point)
{
    const auto degrees = [](double value) { return std::abs(std::lround(value)); };
    return QStringLiteral("%1° %2, %3° %4")
        .arg(degrees(point.latitude))
        .arg(point.latitude < 0 ? QStringLiteral("ю. ш.") : QStringLiteral("с. ш."))
        .arg(degrees(point.longitude))
        .arg(point.longitude < 0 ? QStringLiteral("з. д.") : QStringLiteral("и. д."));
}

// A line of points of the earth, projected.
QPolygonF projectedLine(GeoPoint from, GeoPoint to, int steps)
{
    QPolygonF line;
    for (int step = 0; step <= steps; ++step) {
        const double t = static_cast<double>(step) / steps;
        line << naturalEarth({from.latitude + (to.latitude - from.latitude) * t,
                              from.longitude + (to.longitude - from.longitude) * t});
    }
    return line;
}

bool byFinger(const QMouseEvent *event)
{
    return event->pointingDevice() != nullptr &&
           event->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
}

// The rectangle of the given size put inside the bounds, moved as little as can be.
QRectF keptInside(QRectF place, const QRectF &bounds)
{
    place.moveLeft(std::max(bounds.left(), std::min(place.left(), bounds.right() - place.width())));
    place.moveTop(std::max(bounds.top(), std::min(place.top(), bounds.bottom() - place.height())));
    return place;
}

} // namespace

SeaMap::SeaMap(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SeaMap"));
    setAccessibleName(QStringLiteral("Карта на моретата"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setMinimumSize(kMinimumSize);
    describe();
}

int SeaMap::widthForHeight(int height) const
{
    const double mapHeight = height - captionHeight() - 2 * kMargin;
    return static_cast<int>(std::lround(mapHeight * kHalfWidth / kHalfHeight + 2 * kMargin));
}

QColor SeaMap::markColour()
{
    return kMark;
}

void SeaMap::showSea(int row)
{
    const bool known = row >= 0 && static_cast<std::size_t>(row) < catalogue::kSeaCount;
    shown_ = known ? Shown::Sea : Shown::Nothing;
    sea_ = known ? row : -1;
    marked_.clear();
    if (known) {
        marked_.push_back(row);
    }
    hovered_ = -1;
    describe();
    update();
}

void SeaMap::showOcean(int ocean)
{
    const bool known = ocean >= 0 && static_cast<std::size_t>(ocean) < catalogue::kOceanCount;
    shown_ = known ? Shown::Ocean : Shown::Nothing;
    ocean_ = known ? ocean : -1;
    marked_.clear();
    for (int row = 0; known && static_cast<std::size_t>(row) < catalogue::kSeaCount; ++row) {
        if (oceanOf(row) == ocean) {
            marked_.push_back(row);
        }
    }
    hovered_ = -1;
    describe();
    update();
}

void SeaMap::describe()
{
    switch (shown_) {
    case Shown::Nothing:
        setAccessibleDescription(
            QStringLiteral("Карта на света със сушата и океаните. Още не е избран океан или море; "
                           "избраното в главния прозорец се отбелязва на картата."));
        break;
    case Shown::Sea:
        setAccessibleDescription(
            QStringLiteral("На картата: %1, в състава на %2, при %3.")
                .arg(seaName(sea_), oceanName(oceanOf(sea_)),
                     position(catalogue::kSeaPoints.at(static_cast<std::size_t>(sea_)))));
        break;
    case Shown::Ocean:
        setAccessibleDescription(QStringLiteral("На картата: %1 морета в състава на %2.")
                                     .arg(marked_.size())
                                     .arg(oceanName(ocean_)));
        break;
    }
}

double SeaMap::captionHeight() const
{
    return std::ceil(QFontMetricsF(font()).height() + 2 * kCaptionPadding);
}

SeaMap::Layout SeaMap::layout() const
{
    Layout where;
    where.caption = QRectF(0, 0, width(), captionHeight());
    const QRectF room =
        QRectF(rect()).adjusted(kMargin, where.caption.bottom() + kMargin, -kMargin, -kMargin);
    const double aspect = kHalfWidth / kHalfHeight;
    const double mapWidth = std::max(1.0, std::min(room.width(), room.height() * aspect));
    const double mapHeight = mapWidth / aspect;
    where.map = QRectF(room.center().x() - mapWidth / 2, room.center().y() - mapHeight / 2,
                       mapWidth, mapHeight);
    where.scale = mapWidth / (2 * kHalfWidth);
    return where;
}

QPointF SeaMap::toWindow(const Layout &where, QPointF projected) const
{
    return where.map.center() + QPointF(projected.x(), -projected.y()) * where.scale;
}

QPointF SeaMap::project(GeoPoint point) const
{
    return toWindow(layout(), naturalEarth(point));
}

QPointF SeaMap::markCentre(const Layout &where, int row) const
{
    const GeoPoint point = catalogue::kSeaPoints.at(static_cast<std::size_t>(row));
    QPointF centre = toWindow(where, naturalEarth(point));
    // The whole mark, ring included, stays within the world's outline: near
    // the 180th meridian it moves inward, never across to the other side.
    const double reach = kRingRadius + 1.5;
    const double middle = where.map.center().x();
    const double edge = naturalEarth({point.latitude, 180}).x() * where.scale - reach;
    centre.setX(std::max(middle - edge, std::min(centre.x(), middle + edge)));
    centre.setY(
        std::max(where.map.top() + reach, std::min(centre.y(), where.map.bottom() - reach)));
    return centre;
}

std::optional<QPointF> SeaMap::markCentre(int row) const
{
    if (std::ranges::find(marked_, row) == marked_.end()) {
        return std::nullopt;
    }
    return markCentre(layout(), row);
}

int SeaMap::markAt(QPointF at, bool finger) const
{
    const Layout where = layout();
    // A finger reaches further than the mouse; the ring of a picked sea is
    // wider than an ocean's marks.
    double reach = shown_ == Shown::Sea ? kRingRadius : kMouseReach;
    if (finger) {
        reach = kFingerReach;
    }
    int nearest = -1;
    double nearestDistance = 0;
    for (const int row : marked_) {
        const QPointF offset = markCentre(where, row) - at;
        const double distance = std::hypot(offset.x(), offset.y());
        if (distance <= reach && (nearest < 0 || distance < nearestDistance)) {
            nearest = row;
            nearestDistance = distance;
        }
    }
    return nearest;
}

std::vector<int> SeaMap::labelledRows() const
{
    std::vector<int> rows;
    if (sea_ >= 0 && std::ranges::find(marked_, sea_) != marked_.end()) {
        rows.push_back(sea_);
    }
    if (hovered_ >= 0 && hovered_ != sea_) {
        rows.push_back(hovered_);
    }
    return rows;
}

const QPixmap &SeaMap::backdrop(const Layout &where)
{
    const qreal ratio = devicePixelRatioF();
    if (!backdrop_.isNull() && backdrop_.devicePixelRatio() == ratio &&
        backdrop_.deviceIndependentSize() == QSizeF(size())) {
        return backdrop_;
    }
    if (outline_.isEmpty()) {
        // The land in the projection's units, once.
        land_.reserve(landRings().size());
        for (const QPolygonF &ring : landRings()) {
            QPolygonF projected;
            projected.reserve(ring.size());
            for (const QPointF &vertex : ring) {
                projected << naturalEarth({vertex.y(), vertex.x()});
            }
            land_.push_back(std::move(projected));
        }
        QPolygonF edge = projectedLine({-90, 180}, {90, 180}, 90);
        edge << projectedLine({90, -180}, {-90, -180}, 90);
        outline_.addPolygon(edge);
        outline_.closeSubpath();
    }

    backdrop_ = QPixmap(QSize(static_cast<int>(std::ceil(width() * ratio)),
                              static_cast<int>(std::ceil(height() * ratio))));
    backdrop_.setDevicePixelRatio(ratio);
    backdrop_.fill(kWater);
    QPainter painter(&backdrop_);
    painter.setRenderHint(QPainter::Antialiasing);
    QTransform toMap;
    toMap.translate(where.map.center().x(), where.map.center().y());
    toMap.scale(where.scale, -where.scale);

    QPainterPath graticule;
    for (int longitude = -150; longitude <= 150; longitude += 30) {
        graticule.addPolygon(projectedLine({-90, static_cast<double>(longitude)},
                                           {90, static_cast<double>(longitude)}, 36));
    }
    for (int latitude = -60; latitude <= 60; latitude += 30) {
        graticule.addPolygon(projectedLine({static_cast<double>(latitude), -180},
                                           {static_cast<double>(latitude), 180}, 72));
    }
    painter.setPen(QPen(kGraticule, 1));
    painter.drawPath(toMap.map(graticule));

    // The land at this size: of the points closer than half a pixel to the
    // last one kept only the last is drawn; lakes and inland seas are rings
    // inside the land, left as water by the odd-even rule. The fill's edge
    // is left to the coast, drawn one smooth pixel wide over it (a wider
    // smooth line, or a smooth fill, would cost ten times as long).
    QPainterPath land;
    land.setFillRule(Qt::OddEvenFill);
    const double closest = 0.5 / ratio;
    for (const QPolygonF &ring : land_) {
        QPolygonF drawn;
        drawn.reserve(ring.size());
        for (const QPointF &vertex : ring) {
            const QPointF at = toMap.map(vertex);
            if (drawn.isEmpty() || (at - drawn.constLast()).manhattanLength() >= closest) {
                drawn << at;
            }
        }
        if (drawn.size() >= 3) {
            land.addPolygon(drawn);
            land.closeSubpath();
        }
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLand);
    painter.drawPath(land);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen coast(kCoast, 1);
    coast.setCosmetic(true);
    painter.setPen(coast);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(land);

    painter.setPen(QPen(kOutline, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(toMap.map(outline_));

    painter.setPen(Qt::NoPen);
    painter.setBrush(kCaption);
    painter.drawRect(where.caption);
    painter.setPen(QPen(kCaptionEdge, 1));
    painter.drawLine(where.caption.bottomLeft() - QPointF(0, 0.5),
                     where.caption.bottomRight() - QPointF(0, 0.5));
    return backdrop_;
}

void SeaMap::paintEvent(QPaintEvent * /*event*/)
{
    const Layout where = layout();
    QPainter painter(this);
    painter.drawPixmap(0, 0, backdrop(where));
    painter.setRenderHint(QPainter::Antialiasing);

    // What is shown, in the caption.
    QString caption;
    switch (shown_) {
    case Shown::Nothing:
        caption = QStringLiteral("Изберете океан или море.");
        break;
    case Shown::Sea:
        caption = seaName(sea_) + QStringLiteral(" — ") + oceanName(oceanOf(sea_));
        break;
    case Shown::Ocean:
        caption = QStringLiteral("%1 — %2 морета").arg(oceanName(ocean_)).arg(marked_.size());
        break;
    }
    const QRectF captionText = where.caption.adjusted(kMargin, 0, -kMargin, 0);
    painter.setPen(kText);
    painter.drawText(captionText, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(caption, Qt::ElideRight,
                                                      static_cast<int>(captionText.width())));

    const std::vector<int> labelled = labelledRows();
    const auto isLabelled = [&labelled](int row) {
        return std::ranges::find(labelled, row) != labelled.end();
    };
    painter.setPen(QPen(kMarkEdge, 1.5));
    painter.setBrush(kMark);
    for (const int row : marked_) {
        if (!isLabelled(row)) {
            painter.drawEllipse(markCentre(where, row), kMarkRadius, kMarkRadius);
        }
    }
    for (const int row : labelled) {
        const QPointF centre = markCentre(where, row);
        painter.setPen(QPen(kMarkEdge, 3.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, kRingRadius, kRingRadius);
        painter.setPen(QPen(kMark, 2));
        painter.drawEllipse(centre, kRingRadius, kRingRadius);
        painter.setPen(QPen(kMarkEdge, 1.5));
        painter.setBrush(kMark);
        painter.drawEllipse(centre, kPickedRadius, kPickedRadius);
    }

    // The names beside their marks, on plates that stay on the map: to the
    // right, else to the left, else above or below; a second name never
    // covers the first, nor the first one's mark.
    const QFontMetricsF metrics(font());
    std::vector<std::pair<QRectF, QString>> plates;
    for (const int row : labelled) {
        const QPointF centre = markCentre(where, row);
        const QString name = seaName(row);
        const QSizeF size(metrics.horizontalAdvance(name) + 2 * kPlatePadding,
                          metrics.height() + 2);
        const double gap = kRingRadius + 3;
        const QRectF sides[] = {
            {QPointF(centre.x() + gap, centre.y() - size.height() / 2), size},
            {QPointF(centre.x() - gap - size.width(), centre.y() - size.height() / 2), size},
            {QPointF(centre.x() - size.width() / 2, centre.y() - gap - size.height()), size},
            {QPointF(centre.x() - size.width() / 2, centre.y() + gap), size},
        };
        const auto clear = [&](const QRectF &place) {
            return std::ranges::none_of(
                plates, [&](const auto &plate) { return plate.first.intersects(place); });
        };
        std::optional<QRectF> chosen;
        for (const QRectF &side : sides) {
            const QRectF kept = keptInside(side, where.map);
            if (kept == side && clear(kept)) {
                chosen = kept;
                break;
            }
        }
        if (!chosen) {
            chosen = keptInside(sides[0], where.map);
            if (!clear(*chosen)) {
                // The one under the mouse wins over the one picked before.
                plates.clear();
            }
        }
        plates.emplace_back(*chosen, name);
    }
    for (const auto &[plate, name] : plates) {
        painter.setPen(QPen(kPlateEdge, 1));
        painter.setBrush(kPlate);
        painter.drawRect(plate.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setPen(kText);
        painter.drawText(plate, Qt::AlignCenter, name);
    }
}

bool SeaMap::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip: {
        const auto *help = dynamic_cast<QHelpEvent *>(event);
        const int row = help != nullptr ? markAt(help->pos(), false) : -1;
        if (row < 0) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        const QPoint centre = markCentre(layout(), row).toPoint();
        const int reach = static_cast<int>(kMouseReach);
        QToolTip::showText(help->globalPos(), seaName(row), this,
                           QRect(centre - QPoint(reach, reach), QSize(2 * reach, 2 * reach)));
        return true;
    }
    default:
        break;
    }
    return QWidget::event(event);
}

void SeaMap::setHovered(int row)
{
    if (row == hovered_) {
        return;
    }
    hovered_ = row;
    if (row >= 0) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
    update();
}

void SeaMap::mouseMoveEvent(QMouseEvent *event)
{
    if (!byFinger(event)) {
        setHovered(markAt(event->position(), false));
    }
    QWidget::mouseMoveEvent(event);
}

void SeaMap::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton ? markAt(event->position(), byFinger(event)) : -1;
    QWidget::mousePressEvent(event);
}

void SeaMap::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const int row = markAt(event->position(), byFinger(event));
        if (row >= 0 && std::exchange(pressed_, -1) == row && onSeaClicked) {
            onSeaClicked(row);
        }
    }
    QWidget::mouseReleaseEvent(event);
}

void SeaMap::leaveEvent(QEvent *event)
{
    setHovered(-1);
    QWidget::leaveEvent(event);
}

} // namespace pelagor
