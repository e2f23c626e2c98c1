// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// "Карта на моретата": a companion window of the main window that shows where
// the seas lie, follows every pick made in the form, and picks a sea when its
// mark is clicked or tapped.
#pragma once

#include "catalogue/sea_points.h"

#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

namespace pelagor {

class SeaMap : public QWidget {
public:
    // Loads and projects nothing until it is first shown.
    explicit SeaMap(QWidget *parent = nullptr);

    // The width at which the whole map fills the given height.
    [[nodiscard]] int widthForHeight(int height) const;

    // After a sea pick: that sea's mark and name, and its ocean's name.
    void showSea(int row);
    // After an ocean pick: a mark for each of its seas, and its name.
    void showOcean(int ocean);

    // Called with the sea row whose mark was clicked or tapped.
    std::function<void(int row)> onSeaClicked;

    // Where a point of the earth lies on the map as it is drawn now, in the
    // window's logical pixels.
    [[nodiscard]] QPointF project(catalogue::GeoPoint point) const;
    // The centre of a sea's mark, where one is shown: its point, moved inward
    // just enough to keep the whole mark on the map.
    [[nodiscard]] std::optional<QPointF> markCentre(int row) const;
    // The colour every mark is filled with.
    [[nodiscard]] static QColor markColour();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    enum class Shown { Nothing, Sea, Ocean };

    // Where the parts of the window lie at its present size.
    struct Layout {
        QRectF caption;
        QRectF map;
        // Logical pixels to one unit of the projection.
        double scale = 1;
    };

    [[nodiscard]] double captionHeight() const;
    [[nodiscard]] Layout layout() const;
    [[nodiscard]] QPointF toWindow(const Layout &where, QPointF projected) const;
    [[nodiscard]] QPointF markCentre(const Layout &where, int row) const;
    // The marked sea under a point of the window, or -1; a finger is given
    // more room than the mouse.
    [[nodiscard]] int markAt(QPointF at, bool byFinger) const;
    // The rows whose names are shown now: at most the last picked and the
    // one under the mouse.
    [[nodiscard]] std::vector<int> labelledRows() const;
    void setHovered(int row);
    void describe();
    // The land, water, graticule and outline for the present size, drawn
    // once per size into a pixmap at the screen's density.
    const QPixmap &backdrop(const Layout &where);

    Shown shown_ = Shown::Nothing;
    // The ocean shown, for an ocean pick; the sea last picked, kept for its
    // name while its ocean is shown.
    int ocean_ = -1;
    int sea_ = -1;
    // The rows marked now, in catalogue order.
    std::vector<int> marked_;
    int hovered_ = -1;
    int pressed_ = -1;
    // The land and the world's outline in the projection's units, made at
    // the first paint.
    std::vector<QPolygonF> land_;
    QPainterPath outline_;
    QPixmap backdrop_;
};

} // namespace pelagor
