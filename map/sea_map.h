// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The map of the seas, a widget to embed: it frames every pick it is told
// of, marks the seas so that each can be clicked, tapped or reached with Tab,
// and zooms and pans as map programs do (wheel, pinch, drag, double-click,
// keys, its own buttons). It only wires the parts: the scene holds what is
// shown (map_scene.h), the input handler turns events into changes of it
// (map_input.h), the layers draw it (map_layers.h), and its words are in
// map_words.h. It signals a pick made on it and each change of its view.
#pragma once

#include "map/map_input.h"
#include "map/map_layers.h"
#include "map/map_scene.h"
#include "map/name_placement.h"

#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QGestureEvent;
class QToolButton;
class QTouchEvent;

namespace pelagor {

class SeaMap : public QWidget {
    Q_OBJECT

public:
    // Loads and projects nothing until it is first shown.
    explicit SeaMap(QWidget *parent = nullptr);

    // The width at which the whole earth fills the given height.
    [[nodiscard]] int widthForHeight(int height) const;

    // What is shown, as MapScene's calls of the same names.
    void showSea(int row);
    void markSea(int row);
    void showOcean(int ocean);
    // For practice: a mark for each of these seas, none picked or focused
    // (the next Tab starts afresh), the view framed for their ocean or, for
    // seas of several oceans, the whole earth.
    void showSeas(const std::vector<int> &rows);
    void frameSea(int row);
    // A note a screen reader is handed before the position of the picked
    // sea's mark, and one after it, until the next showSea(), showSeas() or
    // setMarkNote().
    void setMarkNote(const QString &note, const QString &after = {});
    // Leaves every sea's name out: of the drawing, the tooltips and what a
    // screen reader is handed.
    void setNamesHidden(bool hidden);
    [[nodiscard]] bool namesHidden() const { return scene_.namesHidden(); }
    // Whether every sea whose mark shows is named where its name fits, as an
    // atlas names them (the default), or only the picked sea, the focused
    // and the hovered mark.
    void setAtlasNames(bool atlas);
    // Leaves the oceans' names out of the drawing.
    void setOceanNamesHidden(bool hidden);

    // Called with the sea row of a mark that was clicked, tapped, or picked
    // with Enter or Space (`byKeyboard`), before seaPicked() is signalled.
    // The map marks it and keeps its view.
    std::function<void(int row, bool byKeyboard)> onSeaPicked;

    [[nodiscard]] const MapScene &scene() const { return scene_; }
    // What the map shows, in words, as its caption line says it.
    [[nodiscard]] QString caption() const;
    // Whether it shows a pick (a sea or an ocean), not yet just the world.
    [[nodiscard]] bool showsPick() const { return scene_.showsPick(); }

    // The view as it is now, and the one framed for the last pick (Home).
    [[nodiscard]] const Viewport &viewport() const { return scene_.view(); }
    [[nodiscard]] const Viewport &framedViewport() const { return scene_.framedView(); }
    // The targets shown now, and where each stands in the widget.
    [[nodiscard]] const std::vector<Target> &targets() const { return scene_.targets(); }
    [[nodiscard]] QPointF targetCentre(const Target &target) const;
    // Where a point of the earth lies in the widget as the map is drawn now.
    [[nodiscard]] QPointF project(GeoPoint point) const;
    // The centre of the target that holds a sea, where one is shown.
    [[nodiscard]] std::optional<QPointF> markCentre(int row) const;
    // The index among targets() of the one with the keyboard's focus, or −1.
    [[nodiscard]] int focusedTarget() const { return scene_.focusedTarget(); }
    // Picks a target as a click does (a group zooms in to its seas).
    void activateTarget(std::size_t index, bool byKeyboard);
    // Moves the keyboard's focus to a target, as Tab does.
    void focusTarget(std::size_t index);
    // The position of a target, as shown ("11,6° с. ш., 123,6° и. д.") and
    // as a screen reader says it, in words.
    [[nodiscard]] QString targetPosition(const Target &target, bool inWords) const;
    [[nodiscard]] QString targetName(const Target &target) const;

    // Puts a button of the embedding window's on the map's bar, left of the
    // map's own; the map owns it from then on and never gives it the focus.
    void addBarButton(QToolButton *button);

    // The names drawn on the map at its last rest, where they stand in the
    // widget.
    [[nodiscard]] std::vector<PlacedName> names() const;

    // The colour every mark is filled with.
    [[nodiscard]] static QColor markColour();
    [[nodiscard]] double captionHeight() const;

signals:
    // A sea picked on the map, by a click, a tap, or Enter or Space.
    void seaPicked(int row, bool byKeyboard);
    // The view moved, zoomed or was framed anew.
    void viewChanged();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // The scene as it was before a change, to tell what the change did.
    struct Before {
        Viewport view;
        std::uint64_t targets = 0;
        int focusedRow = -1;
        int hovered = -1;
    };
    [[nodiscard]] Before before() const;
    // After a change of the scene: what changed is drawn again, told to a
    // screen reader and signalled; `announce` tells the focus again.
    void after(const Before &before, bool announce = false);
    // A change of what is shown, made by `change` (false when nothing
    // changed): framed for the widget's size, then described and drawn.
    void changeScene(const std::function<bool()> &change);
    // A sea picked on the map: told to whoever embeds it.
    void picked(std::optional<SeaPicked> sea);

    [[nodiscard]] QRectF mapArea() const;
    [[nodiscard]] QPointF toWidget(QPointF inScene) const;
    [[nodiscard]] QPointF toScene(QPointF inWidget) const;
    [[nodiscard]] int focusedRow() const;
    void describe();
    void announceFocus();
    bool handleTouch(QTouchEvent *event);
    bool handleGesture(QGestureEvent *event);
    void paintCaption(QPainter &painter, const QRectF &bar) const;
    void placeBarButtons();

    MapScene scene_;
    MapInput input_{scene_};
    MapLayers layers_;
    mutable double captionHeight_ = 0;
    mutable QFont captionFont_;
    QTimer rest_;
    QToolButton *zoomIn_ = nullptr;
    QToolButton *zoomOut_ = nullptr;
    QToolButton *whole_ = nullptr;
    // The buttons on the bar, from the right.
    std::vector<QToolButton *> barButtons_;
};

} // namespace pelagor
