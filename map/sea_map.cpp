// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/sea_map.h"

#include "map/caption_bar.h"
#include "map/map_accessible.h"
#include "map/map_words.h"

#include <QAccessible>
#include <QFontMetricsF>
#include <QGestureEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
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
#include <functional>

namespace pelagor {

namespace {

// Sizes in logical pixels.
constexpr int kButtonSide = 28;
constexpr int kButtonSpacing = 4;
// The buttons' zoom, as the keys'.
constexpr double kButtonZoom = 1.5;
// The view is drawn sharp again once it has rested this long.
constexpr int kRestMilliseconds = 150;

bool fromFinger(const QPointerEvent *event)
{
    return event->pointingDevice() != nullptr &&
           event->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
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

SeaMap::SeaMap(QWidget *parent) : QWidget(parent)
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
        const Before was = before();
        scene_.rest();
        after(was);
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
    barButtons_ = {whole_, zoomOut_, zoomIn_};
    const auto zoomBy = [this](double factor) {
        const Before was = before();
        const QSizeF seen = scene_.size();
        scene_.zoomAbout(QPointF(seen.width() / 2, seen.height() / 2), factor, false);
        after(was);
    };
    connect(zoomIn_, &QToolButton::clicked, this, [zoomBy] { zoomBy(kButtonZoom); });
    connect(zoomOut_, &QToolButton::clicked, this, [zoomBy] { zoomBy(1 / kButtonZoom); });
    connect(whole_, &QToolButton::clicked, this, [this] {
        const Before was = before();
        scene_.showWhole();
        after(was);
    });

    describe();
}

void SeaMap::addBarButton(QToolButton *button)
{
    button->setParent(this);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(kButtonSide, kButtonSide);
    button->show();
    barButtons_.push_back(button);
    placeBarButtons();
    update();
}

void SeaMap::placeBarButtons()
{
    const int y = static_cast<int>((captionHeight() - kButtonSide) / 2);
    int x = width() - kButtonSpacing - kButtonSide;
    for (QToolButton *button : barButtons_) {
        button->move(x, y);
        x -= kButtonSide + kButtonSpacing;
    }
}

QColor SeaMap::markColour()
{
    return pelagor::markColour();
}

std::vector<PlacedName> SeaMap::names() const
{
    std::vector<PlacedName> names = layers_.names();
    for (PlacedName &name : names) {
        name.box.translate(mapArea().topLeft());
    }
    return names;
}

double SeaMap::captionHeight() const
{
    // Asked for at every step of a gesture; it changes with the font alone.
    if (captionHeight_ > 0 && captionFont_ == font()) {
        return captionHeight_;
    }
    captionFont_ = font();
    return captionHeight_ = std::max(captionBarHeight(font()),
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

QPointF SeaMap::toWidget(QPointF inScene) const
{
    return inScene + mapArea().topLeft();
}

QPointF SeaMap::toScene(QPointF inWidget) const
{
    return inWidget - mapArea().topLeft();
}

QPointF SeaMap::project(GeoPoint point) const
{
    return toWidget(scene_.view().toView(point));
}

QPointF SeaMap::targetCentre(const Target &target) const
{
    return toWidget(scene_.targetCentre(target));
}

std::optional<QPointF> SeaMap::markCentre(int row) const
{
    const std::optional<QPointF> centre = scene_.markCentre(row);
    return centre ? std::optional(toWidget(*centre)) : std::nullopt;
}

SeaMap::Before SeaMap::before() const
{
    return {scene_.view(), scene_.targetsVersion(), focusedRow(), scene_.hovered()};
}

void SeaMap::after(const Before &before, bool announce)
{
    const bool moved = scene_.view() != before.view;
    if (!scene_.isMoving()) {
        rest_.stop();
    } else if (moved) {
        rest_.start();
    }
    if (scene_.targetsVersion() != before.targets) {
        mapAccessibleTargetsChanged(this);
    }
    const int focused = focusedRow();
    if (focused >= 0 && (announce || focused != before.focusedRow)) {
        announceFocus();
    }
    if (scene_.hovered() != before.hovered) {
        if (scene_.hovered() >= 0) {
            setCursor(Qt::PointingHandCursor);
        } else {
            unsetCursor();
        }
        update();
    }
    if (moved) {
        emit viewChanged();
    }
    // The caption line and its buttons stay as they are.
    if (moved || focused != before.focusedRow || scene_.targetsVersion() != before.targets) {
        update(mapArea().toAlignedRect());
    }
}

void SeaMap::picked(std::optional<SeaPicked> sea)
{
    if (!sea) {
        return;
    }
    describe();
    update();
    if (onSeaPicked) {
        onSeaPicked(sea->row, sea->byKeyboard);
    }
    emit seaPicked(sea->row, sea->byKeyboard);
}

void SeaMap::showSea(int row)
{
    changeScene([&] {
        scene_.showSea(row);
        return true;
    });
}

void SeaMap::markSea(int row)
{
    changeScene([&] { return scene_.markSea(row); });
}

void SeaMap::showOcean(int ocean)
{
    changeScene([&] {
        scene_.showOcean(ocean);
        return true;
    });
}

void SeaMap::showSeas(const std::vector<int> &rows)
{
    changeScene([&] {
        scene_.showSeas(rows);
        return true;
    });
}

void SeaMap::frameSea(int row)
{
    changeScene([&] { return scene_.frameSea(row); });
}

void SeaMap::changeScene(const std::function<bool()> &change)
{
    const Before was = before();
    // Framed for the widget's size, which a widget never shown has had no
    // resize event to tell.
    scene_.setSize(mapArea().size());
    if (change()) {
        after(was);
        describe();
        update();
    }
}

void SeaMap::setMarkNote(const QString &note, const QString &after)
{
    scene_.setMarkNote(note, after);
}

void SeaMap::setNamesHidden(bool hidden)
{
    scene_.setNamesHidden(hidden);
    describe();
    update();
}

void SeaMap::setAtlasNames(bool atlas)
{
    scene_.setAtlas(atlas);
    update();
}

void SeaMap::setOceanNamesHidden(bool hidden)
{
    scene_.setOceanNamesHidden(hidden);
    update();
}

int SeaMap::focusedRow() const
{
    const int index = scene_.focusedTarget();
    return index < 0 ? -1 : scene_.targets()[static_cast<std::size_t>(index)].rows.front();
}

QString SeaMap::targetName(const Target &target) const
{
    return pelagor::targetName(scene_, target);
}

QString SeaMap::targetPosition(const Target &target, bool inWords) const
{
    return pelagor::targetPosition(scene_, target, inWords);
}

QString SeaMap::caption() const
{
    return captionText(scene_);
}

void SeaMap::describe()
{
    setAccessibleDescription(descriptionText(scene_));
}

void SeaMap::activateTarget(std::size_t index, bool byKeyboard)
{
    const Before was = before();
    const MapScene::Activation done = scene_.activate(index, byKeyboard);
    after(was, done.opened && byKeyboard);
    if (done.picked) {
        picked(SeaPicked{*done.picked, byKeyboard});
    }
}

void SeaMap::focusTarget(std::size_t index)
{
    if (index >= scene_.targets().size()) {
        return;
    }
    const Before was = before();
    scene_.focusTarget(index);
    after(was, true);
    update();
}

void SeaMap::announceFocus()
{
    const int index = scene_.focusedTarget();
    if (index >= 0 && hasFocus()) {
        mapAccessibleFocusMoved(this, static_cast<std::size_t>(index));
    }
}

bool SeaMap::event(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (auto *touch = dynamic_cast<QTouchEvent *>(event); touch != nullptr) {
        return handleTouch(touch);
    }
    if (auto *gesture = dynamic_cast<QGestureEvent *>(event); gesture != nullptr) {
        return handleGesture(gesture);
    }
    if (const auto *native = dynamic_cast<QNativeGestureEvent *>(event);
        native != nullptr && native->gestureType() == Qt::ZoomNativeGesture) {
        const Before was = before();
        input_.pinch(toScene(native->position()), 1 + native->value());
        after(was);
        return true;
    }
    const auto *key = dynamic_cast<QKeyEvent *>(event);
    const auto *help = dynamic_cast<QHelpEvent *>(event);
    switch (type) {
    case QEvent::KeyPress:
        // Tab walks the marks, before the focus chain would take it.
        if (key != nullptr && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            const Before was = before();
            if (input_.key(key->key(), key->modifiers()).handled) {
                after(was, true);
                return true;
            }
        }
        break;
    case QEvent::ToolTip: {
        // A group's seas, which its mark does not name; a sea's name is
        // drawn beside its mark already.
        const int index = help != nullptr ? scene_.targetAt(toScene(help->pos()), kMouseReach) : -1;
        if (help == nullptr || index < 0 || scene_.namesHidden() ||
            !scene_.targets()[static_cast<std::size_t>(index)].isGroup()) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        const Target &target = scene_.targets()[static_cast<std::size_t>(index)];
        const QPoint centre = targetCentre(target).toPoint();
        const auto reach = static_cast<int>(kMouseReach);
        QToolTip::showText(help->globalPos(), targetName(target), this,
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
    const Before was = before();
    switch (event->type()) {
    case QEvent::TouchBegin:
        if (points.isEmpty()) {
            input_.cancel();
        } else {
            input_.press(toScene(points.front().position()), MapInput::Pointer::Finger);
        }
        if (points.size() > 1) {
            input_.addFinger();
        }
        event->accept();
        return true;
    case QEvent::TouchCancel:
        input_.cancel();
        rest_.start();
        return true;
    default:
        break;
    }
    if (points.size() > 1) {
        input_.addFinger();
    }
    if (points.isEmpty()) {
        return true;
    }
    const QPointF at = toScene(points.front().position());
    if (event->type() == QEvent::TouchEnd) {
        const std::optional<SeaPicked> sea = input_.release(at, event->timestamp());
        after(was);
        picked(sea);
    } else {
        input_.move(at);
        after(was);
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
        const Before was = before();
        input_.pinch(toScene(mapFromGlobal(pinch->centerPoint())), pinch->scaleFactor());
        after(was);
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
    const Before was = before();
    if (!input_.wheel(toScene(event->position()), delta)) {
        event->ignore();
        return;
    }
    after(was);
    event->accept();
}

void SeaMap::keyPressEvent(QKeyEvent *event)
{
    const Before was = before();
    const MapInput::KeyResult result = input_.key(event->key(), event->modifiers());
    if (!result.handled) {
        QWidget::keyPressEvent(event);
        return;
    }
    after(was);
    picked(result.picked);
}

void SeaMap::mouseMoveEvent(QMouseEvent *event)
{
    if (fromFinger(event)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const Before was = before();
    if (input_.isPressed() && (event->buttons() & Qt::LeftButton)) {
        const bool dragging = input_.isDragging();
        input_.move(toScene(event->position()));
        if (!dragging && input_.isDragging()) {
            setCursor(Qt::ClosedHandCursor);
        }
        after(was);
        return;
    }
    input_.hover(toScene(event->position()));
    after(was);
    QWidget::mouseMoveEvent(event);
}

void SeaMap::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !fromFinger(event)) {
        input_.press(toScene(event->position()), MapInput::Pointer::Mouse);
    }
    QWidget::mousePressEvent(event);
}

void SeaMap::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && input_.isPressed()) {
        const bool dragged = input_.isDragging();
        const Before was = before();
        const std::optional<SeaPicked> sea =
            input_.release(toScene(event->position()), event->timestamp());
        if (dragged) {
            unsetCursor();
            rest_.start();
        }
        after(was);
        picked(sea);
    }
    QWidget::mouseReleaseEvent(event);
}

void SeaMap::mouseDoubleClickEvent(QMouseEvent *event)
{
    const Before was = before();
    if (event->button() == Qt::LeftButton && input_.doubleClick(toScene(event->position()))) {
        after(was);
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void SeaMap::leaveEvent(QEvent *event)
{
    const Before was = before();
    input_.leave();
    after(was);
    QWidget::leaveEvent(event);
}

void SeaMap::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void SeaMap::resizeEvent(QResizeEvent *event)
{
    placeBarButtons();
    const Before was = before();
    scene_.setSize(mapArea().size());
    after(was);
    update();
    QWidget::resizeEvent(event);
}

void SeaMap::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRectF bar(0, 0, width(), mapArea().top());
    if (event->rect().intersects(bar.toAlignedRect())) {
        paintCaption(painter, bar);
    }
    const QRectF area = mapArea();
    painter.translate(area.topLeft());
    layers_.draw({.painter = painter,
                  .scene = scene_,
                  .origin = area.topLeft(),
                  .pixelRatio = painter.device()->devicePixelRatioF(),
                  .onPage = false,
                  .focusShown = hasFocus(),
                  .font = font(),
                  .paintAgain = [this] {
                      QTimer::singleShot(0, this, [this] { update(mapArea().toAlignedRect()); });
                  }});
}

void SeaMap::paintCaption(QPainter &painter, const QRectF &bar) const
{
    drawCaptionBar(painter, bar, caption(), font(),
                   static_cast<double>(barButtons_.size()) * (kButtonSide + kButtonSpacing) +
                       kButtonSpacing);
}

} // namespace pelagor
