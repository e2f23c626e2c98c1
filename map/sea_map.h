// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The map of the seas, a widget to embed: it frames every pick it is told
// of, marks the seas so that each can be clicked, tapped or reached with Tab,
// and zooms and pans as map programs do (wheel, pinch, drag, double-click,
// keys, its own buttons). It draws and routes input; the views, projections
// and the layout of the marks are worked out in plain code beside it.
#pragma once

#include "map/framing.h"
#include "map/land_picture.h"
#include "map/targets.h"
#include "map/viewport.h"

#include <QHash>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QGestureEvent;
class QToolButton;
class QTouchEvent;

namespace pelagor {

class SeaMap : public QWidget {
public:
    // Loads and projects nothing until it is first shown.
    explicit SeaMap(QWidget *parent = nullptr);

    // The width at which the whole earth fills the given height.
    [[nodiscard]] int widthForHeight(int height) const;

    // After a sea pick in the form: that sea among the marks of all the
    // seas, the view framed round it.
    void showSea(int row);
    // After a pick made on the map itself: the sea marked among the marks
    // shown, the view kept as the pupil chose it.
    void markSea(int row);
    // After an ocean pick: a mark for each of its seas, all of them framed.
    void showOcean(int ocean);
    // For practice: a mark for each of these seas, none picked or focused, the view
    // framed for their ocean (one ocean as its pick frames it) or, for seas
    // of several oceans, the whole earth.
    void showSeas(const std::vector<int> &rows);
    // The sea picked among the marks shown, the view framed round it.
    void frameSea(int row);
    // A note a screen reader is handed before the position of the picked
    // sea's mark, until the next showSea(), showSeas() or setMarkNote().
    void setMarkNote(const QString &note);
    // Leaves every sea's name out: of the drawing, the tooltips and what a
    // screen reader is handed.
    void setNamesHidden(bool hidden);
    [[nodiscard]] bool namesHidden() const { return namesHidden_; }

    // Called with the sea row of a mark that was clicked, tapped, or picked
    // with Enter or Space (`byKeyboard`). The map marks it and keeps its view.
    std::function<void(int row, bool byKeyboard)> onSeaPicked;

    // What the map shows, in words, as its caption line says it.
    [[nodiscard]] QString caption() const;
    // Whether it shows a pick (a sea or an ocean), not yet just the world.
    [[nodiscard]] bool showsPick() const { return shown_ != Shown::Nothing; }
    // Draws the map as shown, without its buttons, over the painter's device
    // of the widget's size.
    void paintMap(QPainter &painter);

    // The view as it is now, and the one framed for the last pick (Home).
    [[nodiscard]] const Viewport &viewport() const { return view_; }
    [[nodiscard]] const Viewport &framedViewport() const { return framed_; }
    // The targets shown now, and where each stands in the widget.
    [[nodiscard]] const std::vector<Target> &targets() const;
    [[nodiscard]] QPointF targetCentre(const Target &target) const;
    // Where a point of the earth lies in the widget as the map is drawn now.
    [[nodiscard]] QPointF project(GeoPoint point) const;
    // The centre of the target that holds a sea, where one is shown.
    [[nodiscard]] std::optional<QPointF> markCentre(int row) const;
    // The index among targets() of the one with the keyboard's focus, or −1.
    [[nodiscard]] int focusedTarget() const;
    // Picks a target as a click does (a group zooms in to its seas).
    void activateTarget(std::size_t index, bool byKeyboard);
    // Moves the keyboard's focus to a target, as Tab does.
    void focusTarget(std::size_t index);
    // The position of a target, as shown ("11,6° с. ш., 123,6° и. д.") and
    // as a screen reader says it, in words.
    [[nodiscard]] QString targetPosition(const Target &target, bool inWords) const;
    [[nodiscard]] QString targetName(const Target &target) const;

    // The colour every mark is filled with.
    [[nodiscard]] static QColor markColour();
    [[nodiscard]] double captionHeight() const;

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
    enum class Shown { Nothing, Sea, Ocean, Seas };

    [[nodiscard]] QRectF mapArea() const;
    [[nodiscard]] QPointF toWidget(QPointF inView) const;
    [[nodiscard]] QPointF toViewCoordinates(QPointF inWidget) const;
    // Picks a sea among the marks shown (among all the seas' if it has none);
    // false for no sea row.
    bool pickAmongMarks(int row);
    // Frames the pick anew for the present size.
    void frame();
    // Moves the view; `moving` while a gesture goes on, drawn sharp when it rests.
    void setView(const Viewport &view, bool moving);
    void zoomAbout(QPointF inWidget, double factor, bool moving);
    void updateTargets();
    [[nodiscard]] int targetAt(QPointF inWidget, bool byFinger) const;
    void setHovered(int index);
    void describe();
    void announceFocus();
    bool handleTouch(QTouchEvent *event);
    bool handleGesture(QGestureEvent *event);
    void moveFocus(bool forward);
    void keepInView(const Target &target);
    [[nodiscard]] std::vector<std::size_t> labelledTargets() const;
    // The marks are drawn once each into small pictures: a group's by the
    // number of its seas, the others by these kinds.
    struct Sprite {
        static constexpr int Mark = 0;
        static constexpr int Picked = -1;
        static constexpr int Point = -2;
    };
    void paintMap(QPainter &painter, const QRect &exposed);
    void paintCaption(QPainter &painter, const QRectF &bar) const;
    void drawSprite(QPainter &painter, int kind, QPointF centre, double ratio);
    [[nodiscard]] QPixmap markPicture(int kind, double ratio) const;

    Shown shown_ = Shown::Nothing;
    int ocean_ = -1;
    int sea_ = -1;
    bool namesHidden_ = false;
    // Of the oceans whose seas showSeas() marks.
    int oceanCount_ = 0;
    QString markNote_;
    std::vector<int> marked_;
    Viewport view_;
    Viewport framed_;
    // Whether the view is still the one framed, to be framed again for a new size.
    bool viewIsFramed_ = true;

    // The layout, the scale it was made for, and the targets of it in view.
    std::vector<Target> layout_;
    double laidOutAt_ = 0;
    bool layoutValid_ = false;
    std::vector<Target> shownTargets_;
    // Which of the layout's targets are shown, by their place in it.
    std::vector<std::size_t> shownOfLayout_;
    // The focused target, by its first sea row; −1 for none.
    int focusedRow_ = -1;
    int hovered_ = -1;

    // A press that has not yet moved far enough to be a drag.
    std::optional<QPointF> pressedAt_;
    int pressedTarget_ = -1;
    bool dragging_ = false;
    QPointF lastDrag_;
    // Whether more than one finger touched the map since the first came down.
    bool manyFingers_ = false;
    // The last tap on the map that picked nothing, for a double tap.
    std::optional<QPointF> lastTapAt_;
    quint64 lastTapTime_ = 0;

    mutable double captionHeight_ = 0;
    mutable QFont captionFont_;
    QHash<int, QPixmap> sprites_;
    double spritesRatio_ = 0;
    LandPicture land_;
    bool moving_ = false;
    QTimer rest_;
    QToolButton *zoomIn_ = nullptr;
    QToolButton *zoomOut_ = nullptr;
    QToolButton *whole_ = nullptr;
};

} // namespace pelagor
