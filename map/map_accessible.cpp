// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "map/map_accessible.h"

#include "map/sea_map.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <map>

namespace pelagor {

namespace {

class MarkAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    MarkAccessible(SeaMap *map, int row) : map_(map), row_(row) {}

    [[nodiscard]] int index() const
    {
        if (map_ == nullptr) {
            return -1;
        }
        const std::vector<Target> &targets = map_->targets();
        for (std::size_t i = 0; i < targets.size(); ++i) {
            if (targets[i].rows.front() == row_) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    [[nodiscard]] const Target *target() const
    {
        const int at = index();
        return at < 0 ? nullptr : &map_->targets()[static_cast<std::size_t>(at)];
    }

    [[nodiscard]] bool isValid() const override { return target() != nullptr; }
    [[nodiscard]] QObject *object() const override { return nullptr; }
    [[nodiscard]] QWindow *window() const override
    {
        return map_ != nullptr ? map_->window()->windowHandle() : nullptr;
    }
    [[nodiscard]] QAccessibleInterface *childAt(int /*x*/, int /*y*/) const override
    {
        return nullptr;
    }
    [[nodiscard]] QAccessibleInterface *parent() const override
    {
        return map_ != nullptr ? QAccessible::queryAccessibleInterface(map_.data()) : nullptr;
    }
    [[nodiscard]] QAccessibleInterface *child(int /*index*/) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface * /*child*/) const override
    {
        return -1;
    }
    [[nodiscard]] QString text(QAccessible::Text kind) const override
    {
        const Target *shown = target();
        if (shown == nullptr) {
            return {};
        }
        switch (kind) {
        case QAccessible::Name:
            return map_->targetName(*shown);
        case QAccessible::Description:
            return map_->targetPosition(*shown, true);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text /*kind*/, const QString & /*text*/) override {}
    [[nodiscard]] QRect rect() const override
    {
        const Target *shown = target();
        if (shown == nullptr) {
            return {};
        }
        const QPoint centre = map_->mapToGlobal(map_->targetCentre(*shown)).toPoint();
        const int half = static_cast<int>(kTargetGap / 2);
        return {centre - QPoint(half, half), QSize(2 * half, 2 * half)};
    }
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::Button; }
    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.focused = map_ != nullptr && map_->hasFocus() && map_->focusedTarget() == index();
        state.invisible = target() == nullptr;
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface
                   ? static_cast<QAccessibleActionInterface *>(this)
                   : nullptr;
    }

    [[nodiscard]] QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        const int at = index();
        if (action == pressAction() && at >= 0) {
            map_->activateTarget(static_cast<std::size_t>(at), true);
        }
    }
    [[nodiscard]] QStringList keyBindingsForAction(const QString & /*action*/) const override
    {
        return {};
    }

private:
    QPointer<SeaMap> map_;
    int row_;
};

class MapAccessible : public QAccessibleWidget {
public:
    explicit MapAccessible(SeaMap *map) : QAccessibleWidget(map, QAccessible::Graphic) {}
    MapAccessible(const MapAccessible &) = delete;
    MapAccessible &operator=(const MapAccessible &) = delete;
    MapAccessible(MapAccessible &&) = delete;
    MapAccessible &operator=(MapAccessible &&) = delete;
    ~MapAccessible() override { forget(); }

    [[nodiscard]] SeaMap *map() const { return dynamic_cast<SeaMap *>(widget()); }

    [[nodiscard]] int childCount() const override
    {
        return QAccessibleWidget::childCount() + static_cast<int>(map()->targets().size());
    }
    [[nodiscard]] QAccessibleInterface *child(int index) const override
    {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets) {
            return QAccessibleWidget::child(index);
        }
        const auto at = static_cast<std::size_t>(index - widgets);
        if (at >= map()->targets().size()) {
            return nullptr;
        }
        const int row = map()->targets()[at].rows.front();
        auto found = marks_.find(row);
        if (found == marks_.end()) {
            auto *mark = new MarkAccessible(map(), row);
            found = marks_.emplace(row, QAccessible::registerAccessibleInterface(mark)).first;
        }
        return QAccessible::accessibleInterface(found->second);
    }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (const auto &[row, id] : marks_) {
            if (QAccessible::accessibleInterface(id) == child) {
                const auto *mark = dynamic_cast<const MarkAccessible *>(child);
                const int at = mark != nullptr ? mark->index() : -1;
                return at < 0 ? -1 : QAccessibleWidget::childCount() + at;
            }
        }
        return QAccessibleWidget::indexOfChild(child);
    }
    [[nodiscard]] QAccessibleInterface *focusChild() const override
    {
        const int focused = map()->focusedTarget();
        if (map()->hasFocus() && focused >= 0) {
            return child(QAccessibleWidget::childCount() + focused);
        }
        return QAccessibleWidget::focusChild();
    }
    [[nodiscard]] QAccessibleInterface *childAt(int x, int y) const override
    {
        for (int i = childCount() - 1; i >= 0; --i) {
            QAccessibleInterface *each = child(i);
            if (each != nullptr && each->rect().contains(x, y)) {
                return each;
            }
        }
        return nullptr;
    }
    [[nodiscard]] QAccessibleInterface *mark(std::size_t index) const
    {
        return child(QAccessibleWidget::childCount() + static_cast<int>(index));
    }
    void forget()
    {
        for (const auto &[row, id] : marks_) {
            QAccessible::deleteAccessibleInterface(id);
        }
        marks_.clear();
    }

private:
    mutable std::map<int, QAccessible::Id> marks_;
};

QAccessibleInterface *mapFactory(const QString & /*className*/, QObject *object)
{
    if (auto *map = dynamic_cast<SeaMap *>(object); map != nullptr) {
        return new MapAccessible(map);
    }
    return nullptr;
}

MapAccessible *accessibleOf(SeaMap *map)
{
    if (!QAccessible::isActive()) {
        return nullptr;
    }
    return dynamic_cast<MapAccessible *>(QAccessible::queryAccessibleInterface(map));
}

} // namespace

void installMapAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(mapFactory);
        return true;
    }();
    (void)installed;
}

void mapAccessibleTargetsChanged(SeaMap *map)
{
    if (MapAccessible *accessible = accessibleOf(map); accessible != nullptr) {
        accessible->forget();
        QAccessibleEvent changed(map, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&changed);
    }
}

void mapAccessibleFocusMoved(SeaMap *map, std::size_t index)
{
    if (MapAccessible *accessible = accessibleOf(map); accessible != nullptr) {
        if (QAccessibleInterface *mark = accessible->mark(index); mark != nullptr) {
            QAccessibleEvent focus(mark, QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
    }
}

} // namespace pelagor
