// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/sea_map.h"

#include "catalogue/lookup.h"
#include "catalogue/sea_points.h"
#include "map/map_accessible.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QGestureEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineF>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QPinchGesture>
#include <QPointingDevice>
#include <QStyleHints>
#include <QToolButton>
#include <QToolTip>
#include <QTouchEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <utility>

namespace pelagor {

namespace {

// The marks' dark red stands at least 4.5:1 against the water and the land;
// names stand in black on white plates of their own.
const QColor kMark{170, 0, 20};
const QColor kMarkEdge{255, 255, 255};
const QColor kPlate{255, 255, 255};
const QColor kPlateEdge{64, 64, 64};
const QColor kText{0, 0, 0};
const QColor kCaption{250, 250, 246};
const QColor kCaptionEdge{160, 160, 160};
const QColor kFocus{0, 0, 0};

// Sizes in logical pixels.
constexpr double kMargin = 6;
constexpr double kCaptionPadding = 4;
constexpr int kButtonSide = 28;
constexpr int kButtonSpacing = 4;
constexpr double kMarkRadius = 5;
constexpr double kGroupRadius = 10;
constexpr double kPickedRadius = 3.5;
constexpr double kRingRadius = 11;
constexpr double kFocusRadius = 15;
// A target's centre stays this far inside the map, clear of its edges and
// of the buttons above it.
constexpr double kTargetInset = kTargetGap / 2;
// How far from a target's centre the mouse and a finger still hit it: half
// the gap, so that the nearest is always the one meant.
constexpr double kReach = kTargetGap / 2;
constexpr double kPlatePadding = 4;
// The keys' zoom, and their pan: a fifth of the view.
constexpr double kKeyZoom = 1.5;
constexpr double kKeyPan = 0.2;
constexpr double kDoubleClickZoom = 2;
// The view is drawn sharp again once it has rested this long.
constexpr int kRestMilliseconds = 150;

using catalogue::allSeas;
using catalogue::oceanName;
using catalogue::seaName;
using catalogue::seasOfOcean;

// A number of degrees to a tenth, with a decimal comma.
QString tenths(double value)
{
    return QString::number(std::abs(std::round(value * 10) / 10), 'f', 1)
        .replace(QLatin1Char('.'), QLatin1Char(','));
}

QString position(GeoPoint point, bool inWords)
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

bool fromFinger(const QPointerEvent *event)
{
    return event->pointingDevice() != nullptr &&
           event->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
}

// The rectangle put inside the bounds, moved as little as can be.
QRectF keptInside(QRectF place, const QRectF &bounds)
{
    place.moveLeft(std::max(bounds.left(), std::min(place.left(), bounds.right() - place.width())));
    place.moveTop(std::max(bounds.top(), std::min(place.top(), bounds.bottom() - place.height())));
    return place;
}

// The "whole view" button's picture: a globe.
QIcon globeIcon()
{
    QPixmap picture(QSize(40, 40));
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(32, 32, 32), 3));
    painter.drawEllipse(QRectF(5, 5, 30, 30));
    painter.drawEllipse(QRectF(13, 5, 14, 30));
    painter.drawLine(QPointF(5, 20), QPointF(35, 20));
    return {picture};
}

} // namespace

SeaMap::SeaMap(QWidget *parent)
    : QWidget(parent), view_(projectionFor({}), QSizeF(1, 1)), framed_(view_)
{
    setObjectName(QStringLiteral("SeaMap"));
    installMapAccessibility();
    setAccessibleName(QStringLiteral("Карта на моретата"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_AcceptTouchEvents);
    grabGesture(Qt::PinchGesture);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(1, 1);
    rest_.setSingleShot(true);
    rest_.setInterval(kRestMilliseconds);
    connect(&rest_, &QTimer::timeout, this, [this] {
        moving_ = false;
        if (laidOutAt_ != view_.scale()) {
            layoutValid_ = false;
            updateTargets();
        }
        update(mapArea().toAlignedRect());
    });

    const auto button = [this](const QString &text, const QString &name, const QString &tip) {
        auto *made = new QToolButton(this);
        made->setText(text);
        made->setAccessibleName(name);
        made->setToolTip(tip);
        made->setFocusPolicy(Qt::NoFocus);
        made->setFixedSize(kButtonSide, kButtonSide);
        made->setAutoRaise(false);
        return made;
    };
    zoomIn_ = button(QStringLiteral("+"), QStringLiteral("Приближи"),
                     QStringLiteral("Приближава картата (+)"));
    zoomOut_ = button(QStringLiteral("−"), QStringLiteral("Отдалечи"),
                      QStringLiteral("Отдалечава картата (−)"));
    whole_ = button(QString(), QStringLiteral("Цялата карта"),
                    QStringLiteral("Показва целия свят или цялото полукълбо"));
    whole_->setIcon(globeIcon());
    const auto middle = [this] { return mapArea().center(); };
    connect(zoomIn_, &QToolButton::clicked, this,
            [this, middle] { zoomAbout(middle(), kKeyZoom, false); });
    connect(zoomOut_, &QToolButton::clicked, this,
            [this, middle] { zoomAbout(middle(), 1 / kKeyZoom, false); });
    connect(whole_, &QToolButton::clicked, this, [this] {
        Viewport whole(view_.projection(), mapArea().size());
        setView(whole, false);
    });

    describe();
}

QColor SeaMap::markColour()
{
    return kMark;
}

double SeaMap::captionHeight() const
{
    // Asked for at every step of a gesture; it changes with the font alone.
    if (captionHeight_ > 0 && captionFont_ == font()) {
        return captionHeight_;
    }
    captionFont_ = font();
    return captionHeight_ =
               std::max(std::ceil(QFontMetricsF(font()).height() + 2 * kCaptionPadding),
                        static_cast<double>(kButtonSide + 2 * kButtonSpacing));
}

int SeaMap::widthForHeight(int height) const
{
    const double mapHeight = height - captionHeight();
    return static_cast<int>(std::lround(std::max(0.0, mapHeight) * 2));
}

QRectF SeaMap::mapArea() const
{
    const double top = captionHeight();
    return {0, top, static_cast<double>(width()), std::max(1.0, height() - top)};
}

QPointF SeaMap::toWidget(QPointF inView) const
{
    return inView + mapArea().topLeft();
}

QPointF SeaMap::toViewCoordinates(QPointF inWidget) const
{
    return inWidget - mapArea().topLeft();
}

QPointF SeaMap::project(GeoPoint point) const
{
    return toWidget(view_.toView(point));
}

void SeaMap::showSea(int row)
{
    const bool known = row >= 0 && static_cast<std::size_t>(row) < catalogue::kSeaCount;
    shown_ = known ? Shown::Sea : Shown::Nothing;
    sea_ = known ? row : -1;
    ocean_ = -1;
    marked_ = known ? allSeas() : std::vector<int>();
    markNote_.clear();
    layoutValid_ = false;
    frame();
    describe();
}

bool SeaMap::pickAmongMarks(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= catalogue::kSeaCount) {
        return false;
    }
    if (std::ranges::find(marked_, row) == marked_.end()) {
        marked_ = allSeas();
    }
    shown_ = Shown::Sea;
    sea_ = row;
    layoutValid_ = false;
    return true;
}

void SeaMap::markSea(int row)
{
    if (pickAmongMarks(row)) {
        updateTargets();
        describe();
        update();
    }
}

void SeaMap::showOcean(int ocean)
{
    const bool known = ocean >= 0 && static_cast<std::size_t>(ocean) < catalogue::kOceanCount;
    shown_ = known ? Shown::Ocean : Shown::Nothing;
    ocean_ = known ? ocean : -1;
    marked_ = known ? seasOfOcean(ocean) : std::vector<int>();
    layoutValid_ = false;
    frame();
    describe();
}

void SeaMap::showSeas(const std::vector<int> &rows)
{
    std::vector<int> known;
    std::vector<int> oceans;
    for (const int row : rows) {
        if (row >= 0 && static_cast<std::size_t>(row) < catalogue::kSeaCount) {
            known.push_back(row);
            if (std::ranges::find(oceans, oceanOfSea(row)) == oceans.end()) {
                oceans.push_back(oceanOfSea(row));
            }
        }
    }
    shown_ = known.empty() ? Shown::Nothing : Shown::Seas;
    ocean_ = oceans.size() == 1 ? oceans.front() : -1;
    oceanCount_ = static_cast<int>(oceans.size());
    sea_ = -1;
    // Nor a mark in the keyboard's hand: the next Tab starts afresh.
    focusedRow_ = -1;
    marked_ = std::move(known);
    markNote_.clear();
    layoutValid_ = false;
    frame();
    describe();
}

void SeaMap::frameSea(int row)
{
    if (pickAmongMarks(row)) {
        ocean_ = -1;
        frame();
        describe();
    }
}

void SeaMap::setMarkNote(const QString &note)
{
    markNote_ = note;
}

void SeaMap::setNamesHidden(bool hidden)
{
    namesHidden_ = hidden;
    describe();
    update();
}

void SeaMap::frame()
{
    MapPick pick;
    if (shown_ == Shown::Sea) {
        pick.sea = sea_;
    } else if (shown_ == Shown::Ocean || shown_ == Shown::Seas) {
        pick.ocean = ocean_;
    }
    framed_ = framedView(pick, mapArea().size());
    setView(framed_, false);
    viewIsFramed_ = true;
    update();
}

void SeaMap::setView(const Viewport &view, bool moving)
{
    viewIsFramed_ = false;
    // While a gesture zooms in, the marks keep the layout they had: their
    // gaps only grow. It is made anew for the scale the view rests at, so
    // that at rest the grouping depends on the scale alone.
    const bool keepLayout =
        moving && view.projection() == view_.projection() && view.scale() >= laidOutAt_;
    if (view.projection() != view_.projection() || (view.scale() != laidOutAt_ && !keepLayout)) {
        layoutValid_ = false;
    }
    view_ = view;
    moving_ = moving;
    if (moving) {
        rest_.start();
    } else {
        rest_.stop();
    }
    updateTargets();
    // The caption line and its buttons stay as they are.
    update(mapArea().toAlignedRect());
}

void SeaMap::zoomAbout(QPointF inWidget, double factor, bool moving)
{
    Viewport view = view_;
    view.zoomAbout(toViewCoordinates(inWidget), factor);
    setView(view, moving);
}

const std::vector<Target> &SeaMap::targets() const
{
    return shownTargets_;
}

QPointF SeaMap::targetCentre(const Target &target) const
{
    return toWidget(view_.toView(view_.nearestCopy(target.plane)));
}

void SeaMap::updateTargets()
{
    const bool laidOut = !layoutValid_;
    if (!layoutValid_) {
        const int picked =
            shown_ == Shown::Sea || std::ranges::find(marked_, sea_) != marked_.end() ? sea_ : -1;
        layout_ = layoutTargets(view_.projection(), view_.scale(), marked_, picked, kTargetGap);
        laidOutAt_ = view_.scale();
        layoutValid_ = true;
    }
    const QRectF inside =
        mapArea().adjusted(kTargetInset, kTargetInset, -kTargetInset, -kTargetInset);
    std::vector<std::size_t> inView;
    for (std::size_t i = 0; i < layout_.size(); ++i) {
        if (inside.contains(targetCentre(layout_[i]))) {
            inView.push_back(i);
        }
    }
    // Moved, but the same targets in view: nothing else changes.
    if (!laidOut && inView == shownOfLayout_) {
        return;
    }
    shownOfLayout_ = std::move(inView);
    const int hoveredRow =
        hovered_ >= 0 && static_cast<std::size_t>(hovered_) < shownTargets_.size()
            ? shownTargets_[static_cast<std::size_t>(hovered_)].rows.front()
            : -1;
    std::vector<Target> shown;
    shown.reserve(shownOfLayout_.size());
    for (const std::size_t index : shownOfLayout_) {
        shown.push_back(layout_[index]);
    }
    const bool changed =
        shown.size() != shownTargets_.size() ||
        !std::ranges::equal(shown, shownTargets_,
                            [](const Target &a, const Target &b) { return a.rows == b.rows; });
    shownTargets_ = std::move(shown);
    hovered_ = -1;
    for (std::size_t i = 0; i < shownTargets_.size(); ++i) {
        if (shownTargets_[i].rows.front() == hoveredRow) {
            hovered_ = static_cast<int>(i);
        }
    }
    if (focusedTarget() < 0) {
        focusedRow_ = -1;
    }
    if (changed) {
        mapAccessibleTargetsChanged(this);
    }
}

int SeaMap::focusedTarget() const
{
    for (std::size_t i = 0; i < shownTargets_.size(); ++i) {
        if (shownTargets_[i].rows.front() == focusedRow_) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::optional<QPointF> SeaMap::markCentre(int row) const
{
    for (const Target &target : shownTargets_) {
        if (std::ranges::find(target.rows, row) != target.rows.end()) {
            return targetCentre(target);
        }
    }
    return std::nullopt;
}

QString SeaMap::targetName(const Target &target) const
{
    if (!target.isGroup()) {
        return namesHidden_ ? QStringLiteral("Море") : seaName(target.rows.front());
    }
    if (namesHidden_) {
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

QString SeaMap::targetPosition(const Target &target, bool inWords) const
{
    GeoPoint where = catalogue::kSeaPoints.at(static_cast<std::size_t>(target.rows.front()));
    if (target.isGroup()) {
        where = view_.projection().toEarth(target.lies).value_or(where);
        return QStringLiteral("около ") + position(where, inWords);
    }
    if (inWords && !markNote_.isEmpty() && target.rows.front() == sea_) {
        return markNote_ + QLatin1Char(' ') + position(where, inWords);
    }
    return position(where, inWords);
}

QString SeaMap::caption() const
{
    switch (shown_) {
    case Shown::Nothing:
        break;
    case Shown::Sea:
        if (!namesHidden_) {
            return seaName(sea_) + QStringLiteral(" — ") + oceanName(oceanOfSea(sea_));
        }
        break;
    case Shown::Ocean:
        return QStringLiteral("%1 — %2 морета").arg(oceanName(ocean_)).arg(marked_.size());
    case Shown::Seas:
        if (ocean_ >= 0) {
            return QStringLiteral("%1 — %2 морета").arg(oceanName(ocean_)).arg(marked_.size());
        }
        return QStringLiteral("%1 морета от %2 океана").arg(marked_.size()).arg(oceanCount_);
    }
    return QStringLiteral("Изберете океан или море.");
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
        if (!namesHidden_) {
            setAccessibleDescription(
                QStringLiteral("На картата: %1, в състава на %2, при %3.")
                    .arg(seaName(sea_), oceanName(oceanOfSea(sea_)),
                         position(catalogue::kSeaPoints.at(static_cast<std::size_t>(sea_)), true)));
        } else {
            setAccessibleDescription(QStringLiteral("На картата е отбелязано едно море."));
        }
        break;
    case Shown::Ocean:
        setAccessibleDescription(QStringLiteral("На картата: %1 морета в състава на %2.")
                                     .arg(marked_.size())
                                     .arg(oceanName(ocean_)));
        break;
    case Shown::Seas:
        setAccessibleDescription(ocean_ >= 0
                                     ? QStringLiteral("На картата: %1 морета в състава на %2.")
                                           .arg(marked_.size())
                                           .arg(oceanName(ocean_))
                                     : QStringLiteral("На картата: %1 морета от %2 океана.")
                                           .arg(marked_.size())
                                           .arg(oceanCount_));
        break;
    }
}

std::vector<std::size_t> SeaMap::labelledTargets() const
{
    std::vector<std::size_t> labelled;
    if (namesHidden_) {
        return labelled;
    }
    for (std::size_t i = 0; i < shownTargets_.size(); ++i) {
        const Target &target = shownTargets_[i];
        if (!target.isGroup() && target.rows.front() == sea_ &&
            std::ranges::find(marked_, sea_) != marked_.end()) {
            labelled.push_back(i);
        }
    }
    for (const int index : {focusedTarget(), hovered_}) {
        if (index >= 0 &&
            std::ranges::find(labelled, static_cast<std::size_t>(index)) == labelled.end()) {
            labelled.push_back(static_cast<std::size_t>(index));
        }
    }
    return labelled;
}

void SeaMap::resizeEvent(QResizeEvent *event)
{
    const double top = captionHeight();
    const int y = static_cast<int>((top - kButtonSide) / 2);
    int x = width() - kButtonSpacing - kButtonSide;
    for (QToolButton *button : {whole_, zoomOut_, zoomIn_}) {
        button->move(x, y);
        x -= kButtonSide + kButtonSpacing;
    }
    if (viewIsFramed_) {
        frame();
    } else {
        Viewport view = view_;
        view.setSize(mapArea().size());
        setView(view, false);
        framed_.setSize(mapArea().size());
    }
    QWidget::resizeEvent(event);
}

void SeaMap::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    paintMap(painter, event->rect());
}

void SeaMap::paintMap(QPainter &painter)
{
    paintMap(painter, rect());
}

void SeaMap::paintMap(QPainter &painter, const QRect &exposed)
{
    const QRectF area = mapArea();
    painter.save();
    painter.translate(area.topLeft());
    painter.setClipRect(QRectF(QPointF(0, 0), area.size()));
    land_.draw(painter, view_, painter.device()->devicePixelRatioF(), !moving_);
    painter.restore();
    painter.setRenderHint(QPainter::Antialiasing);

    // The caption line over the map, with the buttons at its end.
    const QRectF bar(0, 0, width(), area.top());
    if (exposed.intersects(bar.toAlignedRect())) {
        paintCaption(painter, bar);
    }
    painter.setClipRect(area);
    const std::vector<std::size_t> labelled = labelledTargets();
    const double ratio = painter.device()->devicePixelRatioF();
    // Marks drawn aside: a line from each to its true point, all in one go,
    // then a dot at each point.
    std::vector<QLineF> leaders;
    for (const Target &target : shownTargets_) {
        if (target.drawnAside()) {
            leaders.emplace_back(targetCentre(target),
                                 toWidget(view_.toView(view_.nearestCopy(target.lies))));
        }
    }
    if (!leaders.empty()) {
        painter.setPen(QPen(kMark, 1.5));
        painter.drawLines(leaders.data(), static_cast<int>(leaders.size()));
        for (const QLineF &leader : leaders) {
            drawSprite(painter, Sprite::Point, leader.p2(), ratio);
        }
    }
    for (const Target &target : shownTargets_) {
        const QPointF centre = targetCentre(target);
        if (!target.isGroup() && target.rows.front() == sea_) {
            drawSprite(painter, Sprite::Picked, centre, ratio);
        } else if (target.isGroup()) {
            drawSprite(painter, static_cast<int>(target.rows.size()), centre, ratio);
        } else {
            drawSprite(painter, Sprite::Mark, centre, ratio);
        }
    }
    const int focused = focusedTarget();
    if (focused >= 0 && hasFocus()) {
        const QPointF centre = targetCentre(shownTargets_[static_cast<std::size_t>(focused)]);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kMarkEdge, 4));
        painter.drawEllipse(centre, kFocusRadius, kFocusRadius);
        painter.setPen(QPen(kFocus, 2, Qt::DashLine));
        painter.drawEllipse(centre, kFocusRadius, kFocusRadius);
    }

    // The names beside their marks, on plates that stay on the map: to the
    // right, else to the left, else above or below; a later name never
    // covers an earlier one.
    const QFontMetricsF metrics(font());
    std::vector<QRectF> plates;
    for (const std::size_t index : labelled) {
        const Target &target = shownTargets_[index];
        const QPointF centre = targetCentre(target);
        const QString name = target.isGroup() ? QStringLiteral("%1 морета").arg(target.rows.size())
                                              : seaName(target.rows.front());
        const QSizeF size(metrics.horizontalAdvance(name) + 2 * kPlatePadding,
                          metrics.height() + 2);
        const double gap = kFocusRadius + 2;
        const QRectF sides[] = {
            {QPointF(centre.x() + gap, centre.y() - size.height() / 2), size},
            {QPointF(centre.x() - gap - size.width(), centre.y() - size.height() / 2), size},
            {QPointF(centre.x() - size.width() / 2, centre.y() - gap - size.height()), size},
            {QPointF(centre.x() - size.width() / 2, centre.y() + gap), size},
        };
        const auto clear = [&plates](const QRectF &place) {
            return std::ranges::none_of(
                plates, [&place](const QRectF &plate) { return plate.intersects(place); });
        };
        QRectF chosen = keptInside(sides[0], area);
        for (const QRectF &side : sides) {
            if (keptInside(side, area) == side && clear(side)) {
                chosen = side;
                break;
            }
        }
        plates.push_back(chosen);
        painter.setPen(QPen(kPlateEdge, 1));
        painter.setBrush(kPlate);
        painter.drawRect(chosen.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.setPen(kText);
        painter.drawText(chosen, Qt::AlignCenter, name);
    }
}

void SeaMap::drawSprite(QPainter &painter, int kind, QPointF centre, double ratio)
{
    if (ratio != spritesRatio_) {
        sprites_.clear();
        spritesRatio_ = ratio;
    }
    auto found = sprites_.find(kind);
    if (found == sprites_.end()) {
        found = sprites_.insert(kind, markPicture(kind, ratio));
    }
    const QPixmap &picture = *found;
    const QSizeF size = picture.deviceIndependentSize();
    // On whole device pixels, so that a mark looks the same wherever it stands.
    const QPointF corner = centre - QPointF(size.width(), size.height()) / 2;
    painter.drawPixmap(
        QPointF(std::round(corner.x() * ratio) / ratio, std::round(corner.y() * ratio) / ratio),
        picture);
}

QPixmap SeaMap::markPicture(int kind, double ratio) const
{
    double radius = kGroupRadius + 1;
    if (kind == Sprite::Point) {
        radius = 3.5;
    } else if (kind == Sprite::Mark) {
        radius = kMarkRadius + 1;
    } else if (kind == Sprite::Picked) {
        radius = kRingRadius + 2;
    }
    const int side = static_cast<int>(std::ceil(2 * radius * ratio)) + 2;
    QPixmap picture(side, side);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(side / ratio / 2, side / ratio / 2);
    if (kind == Sprite::Point) {
        painter.setBrush(kMark);
        painter.setPen(QPen(kMarkEdge, 1));
        painter.drawEllipse(centre, 2.5, 2.5);
    } else if (kind == Sprite::Picked) {
        painter.setPen(QPen(kMarkEdge, 3.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, kRingRadius, kRingRadius);
        painter.setPen(QPen(kMark, 2));
        painter.drawEllipse(centre, kRingRadius, kRingRadius);
        painter.setPen(QPen(kMarkEdge, 1.5));
        painter.setBrush(kMark);
        painter.drawEllipse(centre, kPickedRadius, kPickedRadius);
    } else if (kind == Sprite::Mark) {
        painter.setPen(QPen(kMarkEdge, 1.5));
        painter.setBrush(kMark);
        painter.drawEllipse(centre, kMarkRadius, kMarkRadius);
    } else {
        // A group: how many seas it holds.
        painter.setPen(QPen(kMarkEdge, 1.5));
        painter.setBrush(kMark);
        painter.drawEllipse(centre, kGroupRadius, kGroupRadius);
        QFont small = font();
        small.setPointSizeF(small.pointSizeF() * 0.8);
        small.setBold(true);
        painter.setFont(small);
        painter.setPen(kMarkEdge);
        painter.drawText(QRectF(centre - QPointF(kGroupRadius, kGroupRadius),
                                QSizeF(2 * kGroupRadius, 2 * kGroupRadius)),
                         Qt::AlignCenter, QString::number(kind));
    }
    return picture;
}

void SeaMap::paintCaption(QPainter &painter, const QRectF &bar) const
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCaption);
    painter.drawRect(bar);
    painter.setPen(QPen(kCaptionEdge, 1));
    painter.drawLine(bar.bottomLeft() - QPointF(0, 0.5), bar.bottomRight() - QPointF(0, 0.5));
    const double buttonsWidth = 3 * (kButtonSide + kButtonSpacing) + kButtonSpacing;
    const QRectF captionText = bar.adjusted(kMargin, 0, -buttonsWidth, 0);
    painter.setPen(kText);
    painter.drawText(captionText, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(caption(), Qt::ElideRight,
                                                      static_cast<int>(captionText.width())));
}

int SeaMap::targetAt(QPointF inWidget, bool byFinger) const
{
    const double reach = byFinger ? kReach * 1.3 : kReach;
    int nearest = -1;
    double nearestDistance = reach;
    for (std::size_t i = 0; i < shownTargets_.size(); ++i) {
        const QPointF offset = targetCentre(shownTargets_[i]) - inWidget;
        const double distance = std::hypot(offset.x(), offset.y());
        if (distance <= nearestDistance) {
            nearest = static_cast<int>(i);
            nearestDistance = distance;
        }
    }
    return nearest;
}

void SeaMap::activateTarget(std::size_t index, bool byKeyboard)
{
    if (index >= shownTargets_.size()) {
        return;
    }
    const Target target = shownTargets_[index];
    if (target.isGroup()) {
        const int picked = std::ranges::find(marked_, sea_) != marked_.end() ? sea_ : -1;
        setView(openingView(view_, target, marked_, picked, kTargetGap), false);
        if (byKeyboard) {
            // The keyboard goes on from the first of the group's seas.
            focusedRow_ = target.rows.front();
            if (focusedTarget() < 0 && !shownTargets_.empty()) {
                focusedRow_ = shownTargets_.front().rows.front();
            }
            announceFocus();
        }
        return;
    }
    const int row = target.rows.front();
    // A pick on the map marks the sea and keeps the pupil's view.
    markSea(row);
    if (onSeaPicked) {
        onSeaPicked(row, byKeyboard);
    }
}

void SeaMap::focusTarget(std::size_t index)
{
    if (index >= shownTargets_.size()) {
        return;
    }
    focusedRow_ = shownTargets_[index].rows.front();
    keepInView(shownTargets_[index]);
    announceFocus();
    update();
}

void SeaMap::announceFocus()
{
    const int index = focusedTarget();
    if (index >= 0 && hasFocus()) {
        mapAccessibleFocusMoved(this, static_cast<std::size_t>(index));
    }
}

void SeaMap::keepInView(const Target &target)
{
    const QRectF inside =
        mapArea().adjusted(2 * kTargetGap, 2 * kTargetGap, -2 * kTargetGap, -2 * kTargetGap);
    const QPointF at = targetCentre(target);
    if (inside.isEmpty() || inside.contains(at)) {
        return;
    }
    const QPointF kept(std::clamp(at.x(), inside.left(), inside.right()),
                       std::clamp(at.y(), inside.top(), inside.bottom()));
    Viewport view = view_;
    view.panBy(kept - at);
    setView(view, false);
}

void SeaMap::moveFocus(bool forward)
{
    if (shownTargets_.empty()) {
        return;
    }
    const std::vector<std::size_t> order = readingOrder(view_, shownTargets_, 2 * kTargetGap);
    const int current = focusedTarget();
    auto at = std::ranges::find(order, static_cast<std::size_t>(current));
    std::size_t next = 0;
    if (at == order.end()) {
        next = forward ? order.front() : order.back();
    } else {
        auto step = static_cast<std::size_t>(at - order.begin());
        step = forward ? (step + 1) % order.size() : (step + order.size() - 1) % order.size();
        next = order[step];
    }
    focusTarget(next);
}

void SeaMap::setHovered(int index)
{
    if (index == hovered_) {
        return;
    }
    hovered_ = index;
    if (index >= 0) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
    update();
}

bool SeaMap::event(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::FontChange) {
        sprites_.clear();
    }
    if (auto *touch = dynamic_cast<QTouchEvent *>(event); touch != nullptr) {
        return handleTouch(touch);
    }
    if (auto *gesture = dynamic_cast<QGestureEvent *>(event); gesture != nullptr) {
        return handleGesture(gesture);
    }
    if (const auto *native = dynamic_cast<QNativeGestureEvent *>(event);
        native != nullptr && native->gestureType() == Qt::ZoomNativeGesture) {
        zoomAbout(native->position(), 1 + native->value(), true);
        return true;
    }
    const auto *key = dynamic_cast<QKeyEvent *>(event);
    const auto *help = dynamic_cast<QHelpEvent *>(event);
    switch (type) {
    case QEvent::KeyPress: {
        if (key != nullptr && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier) {
            moveFocus(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        break;
    }
    case QEvent::ToolTip: {
        const int index = help != nullptr ? targetAt(help->pos(), false) : -1;
        if (help == nullptr || index < 0 || namesHidden_) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        const QPoint centre =
            targetCentre(shownTargets_[static_cast<std::size_t>(index)]).toPoint();
        const auto reach = static_cast<int>(kReach);
        QToolTip::showText(help->globalPos(),
                           targetName(shownTargets_[static_cast<std::size_t>(index)]), this,
                           QRect(centre - QPoint(reach, reach), QSize(2 * reach, 2 * reach)));
        return true;
    }
    default:
        break;
    }
    return QWidget::event(event);
}

bool SeaMap::handleTouch(QTouchEvent *event)
{
    const QList<QEventPoint> &points = event->points();
    if (event->type() == QEvent::TouchBegin) {
        manyFingers_ = points.size() > 1;
        dragging_ = false;
        pressedAt_ = points.isEmpty() ? std::nullopt : std::optional(points.front().position());
        pressedTarget_ = pressedAt_ ? targetAt(*pressedAt_, true) : -1;
        if (pressedAt_) {
            lastDrag_ = *pressedAt_;
        }
        event->accept();
        return true;
    }
    if (event->type() == QEvent::TouchCancel) {
        pressedAt_.reset();
        rest_.start();
        return true;
    }
    manyFingers_ = manyFingers_ || points.size() > 1;
    if (points.isEmpty() || !pressedAt_) {
        return true;
    }
    const QPointF at = points.front().position();
    if (!manyFingers_) {
        if (!dragging_ && (at - *pressedAt_).manhattanLength() >=
                              QGuiApplication::styleHints()->startDragDistance()) {
            dragging_ = true;
        }
        if (dragging_) {
            Viewport view = view_;
            view.panBy(at - lastDrag_);
            setView(view, event->type() != QEvent::TouchEnd);
            lastDrag_ = at;
        }
    }
    if (event->type() == QEvent::TouchEnd) {
        const bool tapped = !dragging_ && !manyFingers_;
        pressedAt_.reset();
        dragging_ = false;
        if (tapped) {
            const int index = targetAt(at, true);
            if (index >= 0 && index == pressedTarget_) {
                lastTapAt_.reset();
                activateTarget(static_cast<std::size_t>(index), false);
            } else if (index < 0) {
                // A second tap beside the first, soon after it, zooms in there.
                const auto interval =
                    static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
                if (lastTapAt_ && event->timestamp() - lastTapTime_ <= interval &&
                    QLineF(*lastTapAt_, at).length() <= kTargetGap) {
                    lastTapAt_.reset();
                    zoomAbout(at, kDoubleClickZoom, false);
                } else {
                    lastTapAt_ = at;
                    lastTapTime_ = event->timestamp();
                }
            }
        }
    }
    return true;
}

bool SeaMap::handleGesture(QGestureEvent *event)
{
    auto *pinch = qobject_cast<QPinchGesture *>(event->gesture(Qt::PinchGesture));
    if (pinch == nullptr) {
        return QWidget::event(event);
    }
    event->accept(pinch);
    if (pinch->changeFlags() & QPinchGesture::ScaleFactorChanged) {
        const double factor = pinch->scaleFactor();
        if (std::isfinite(factor) && factor > 0) {
            zoomAbout(mapFromGlobal(pinch->centerPoint()), factor, true);
        }
    }
    if (pinch->state() == Qt::GestureFinished || pinch->state() == Qt::GestureCanceled) {
        rest_.start();
    }
    return true;
}

void SeaMap::wheelEvent(QWheelEvent *event)
{
    const int delta =
        event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    if (delta == 0) {
        event->ignore();
        return;
    }
    zoomAbout(event->position(), wheelZoomFactor(delta), true);
    event->accept();
}

void SeaMap::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    const QPointF middle = mapArea().center();
    const QSizeF seen = mapArea().size();
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomAbout(middle, kKeyZoom, true);
        return;
    case Qt::Key_Minus:
        zoomAbout(middle, 1 / kKeyZoom, true);
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        QPointF offset;
        if (event->key() == Qt::Key_Left) {
            offset.rx() = seen.width() * kKeyPan;
        } else if (event->key() == Qt::Key_Right) {
            offset.rx() = -seen.width() * kKeyPan;
        } else if (event->key() == Qt::Key_Up) {
            offset.ry() = seen.height() * kKeyPan;
        } else {
            offset.ry() = -seen.height() * kKeyPan;
        }
        Viewport view = view_;
        view.panBy(offset);
        setView(view, true);
        return;
    }
    case Qt::Key_Home:
    case Qt::Key_0:
        setView(framed_, false);
        viewIsFramed_ = true;
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (focusedTarget() >= 0) {
            activateTarget(static_cast<std::size_t>(focusedTarget()), true);
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void SeaMap::mouseMoveEvent(QMouseEvent *event)
{
    if (fromFinger(event)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    if (pressedAt_ && (event->buttons() & Qt::LeftButton)) {
        if (!dragging_ && (event->position() - *pressedAt_).manhattanLength() >=
                              QGuiApplication::styleHints()->startDragDistance()) {
            dragging_ = true;
            setCursor(Qt::ClosedHandCursor);
        }
        if (dragging_) {
            Viewport view = view_;
            view.panBy(event->position() - lastDrag_);
            lastDrag_ = event->position();
            setView(view, true);
        }
        return;
    }
    setHovered(targetAt(event->position(), false));
    QWidget::mouseMoveEvent(event);
}

void SeaMap::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !fromFinger(event)) {
        pressedAt_ = event->position();
        lastDrag_ = event->position();
        dragging_ = false;
        pressedTarget_ = targetAt(event->position(), false);
    }
    QWidget::mousePressEvent(event);
}

void SeaMap::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && pressedAt_) {
        const bool dragged = std::exchange(dragging_, false);
        pressedAt_.reset();
        if (dragged) {
            unsetCursor();
            rest_.start();
        } else {
            const int index = targetAt(event->position(), false);
            if (index >= 0 && index == pressedTarget_) {
                activateTarget(static_cast<std::size_t>(index), false);
            }
        }
    }
    QWidget::mouseReleaseEvent(event);
}

void SeaMap::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && targetAt(event->position(), false) < 0) {
        zoomAbout(event->position(), kDoubleClickZoom, false);
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void SeaMap::leaveEvent(QEvent *event)
{
    setHovered(-1);
    QWidget::leaveEvent(event);
}

void SeaMap::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

} // namespace pelagor
