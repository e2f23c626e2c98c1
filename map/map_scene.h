// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the map shows, as plain data: the pick and the seas marked, the view
// and the one framed for the pick, the targets laid out for the view's scale
// and those in view, the keyboard's focus and the pointer's hover. Its
// coordinates are those of the map's own area, (0, 0) at its top left. The
// input handler changes it, the layers draw it, the widget wires them.
#pragma once

#include "map/framing.h"
#include "map/targets.h"
#include "map/viewport.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace pelagor {

// How close to a target's centre a pointer still hits it, in logical pixels:
// half the gap, so that the nearest is always the one meant; a finger a
// little more.
inline constexpr double kMouseReach = kTargetGap / 2;
inline constexpr double kFingerReach = kMouseReach * 1.3;

class MapScene {
public:
    // What is marked: every sea on the whole earth (nothing picked yet), a
    // sea picked among them, an ocean's seas, or the seas practice asks.
    enum class Shown { World, Sea, Ocean, Seas };

    // What an activation did: a sea picked, or a group opened.
    struct Activation {
        std::optional<int> picked;
        bool opened = false;
    };

    MapScene();

    // After a sea pick in the form: that sea among the marks of all the
    // seas, the view framed round it.
    void showSea(int row);
    // After a pick made on the map itself: the sea marked among the marks
    // shown, the view kept. False for no sea row.
    bool markSea(int row);
    // After an ocean pick: a mark for each of its seas, all of them framed.
    void showOcean(int ocean);
    // For practice: a mark for each of these seas, none picked, the view
    // framed for their ocean (one ocean as its pick frames it) or, for seas
    // of several oceans, the whole earth.
    void showSeas(const std::vector<int> &rows);
    // The sea picked among the marks shown, the view framed round it.
    bool frameSea(int row);
    // Nothing picked: every sea marked on the whole earth.
    void showWorld();
    // What the form picked: a sea, an ocean, or neither.
    void show(const MapPick &pick);

    // A note said before the picked sea's position, and one said after it.
    void setMarkNote(const QString &note, const QString &after = {})
    {
        markNote_ = {.before = note, .after = after};
    }
    void setNamesHidden(bool hidden) { namesHidden_ = hidden; }
    // Whether every sea whose mark shows is named where its name fits, as an
    // atlas names them, or only the picked, the focused and the hovered one.
    void setAtlas(bool atlas) { atlas_ = atlas; }
    void setOceanNamesHidden(bool hidden) { oceanNamesHidden_ = hidden; }
    // For a page, where a group cannot be opened: every sea marked a mark of
    // its own, drawn aside with a line to its point where seas crowd.
    void setMarksApart(bool apart);
    // For a blank map to test with: each mark numbered in the order Tab
    // walks them, instead of the seas' names.
    void setNumbered(bool numbered) { numbered_ = numbered; }
    [[nodiscard]] bool numbered() const { return numbered_; }

    [[nodiscard]] Shown shown() const { return shown_; }
    [[nodiscard]] bool showsPick() const { return shown_ != Shown::World; }
    [[nodiscard]] int sea() const { return sea_; }
    [[nodiscard]] int ocean() const { return ocean_; }
    [[nodiscard]] int oceanCount() const { return oceanCount_; }
    [[nodiscard]] const std::vector<int> &marked() const { return marked_; }
    [[nodiscard]] bool isMarked(int row) const;
    [[nodiscard]] bool namesHidden() const { return namesHidden_; }
    [[nodiscard]] bool atlas() const { return atlas_; }
    [[nodiscard]] bool oceanNamesHidden() const { return oceanNamesHidden_; }
    [[nodiscard]] const QString &markNote() const { return markNote_.before; }
    [[nodiscard]] const QString &markAfter() const { return markNote_.after; }

    // The size of the map's area; the view framed for the pick is framed
    // again for it until the pupil moves it.
    void setSize(QSizeF size);
    [[nodiscard]] QSizeF size() const { return view_.size(); }
    [[nodiscard]] const Viewport &view() const { return view_; }
    [[nodiscard]] const Viewport &framedView() const { return framed_; }

    // Moves the view; `moving` while a gesture goes on, until rest().
    void setView(const Viewport &view, bool moving);
    void zoomAbout(QPointF at, double factor, bool moving);
    void panBy(QPointF offset, bool moving);
    // The view framed for the pick (Home), and the whole earth.
    void goHome();
    void showWhole();
    [[nodiscard]] bool isMoving() const { return moving_; }
    // The gesture has rested: the targets laid out for the scale it came to.
    void rest();

    // Every target laid out at the scale of the last rest, in view or not.
    [[nodiscard]] std::span<const Target> layout() const;
    // The sea picked among the marks, or −1.
    [[nodiscard]] int pickedMark() const;

    // The targets in view, and where each stands: its copy nearest the
    // middle, and the copies of it in view.
    [[nodiscard]] const std::vector<Target> &targets() const { return shownTargets_; }
    [[nodiscard]] QPointF targetCentre(const Target &target) const;
    [[nodiscard]] std::vector<QPointF> targetCopies(const Target &target) const;
    // Where the target's seas lie, beside a copy of it at `centre`.
    [[nodiscard]] QPointF liesBeside(const Target &target, QPointF centre) const;
    [[nodiscard]] std::optional<QPointF> markCentre(int row) const;
    // The target with a copy within `reach` of the point, the nearest; −1.
    [[nodiscard]] int targetAt(QPointF at, double reach) const;
    // Grows each time the targets shown change.
    [[nodiscard]] std::uint64_t targetsVersion() const { return targetsVersion_; }

    // Picks a target as a click does: a sea is marked, the view kept; a
    // group zooms in to its seas (and the keyboard goes on from its first).
    Activation activate(std::size_t index, bool byKeyboard);

    // The index among targets() of the one with the keyboard's focus, or −1.
    [[nodiscard]] int focusedTarget() const;
    // Moves the focus to a target, panning it into view.
    void focusTarget(std::size_t index);
    void clearFocus() { focusedRow_ = -1; }
    // Tab and Shift+Tab: the next target in reading order, round at the ends.
    void moveFocus(bool forward);
    // The targets in the order Tab walks them, by their index in targets().
    [[nodiscard]] std::vector<std::size_t> tabOrder() const;
    [[nodiscard]] int hovered() const { return hovered_; }
    // False when it was hovered already.
    bool setHovered(int index);
    // The targets whose names are drawn: the picked sea's, the focused and
    // the hovered one's; none while names are hidden.
    [[nodiscard]] std::vector<std::size_t> labelledTargets() const;

private:
    bool pickAmongMarks(int row);
    void frame();
    void updateTargets();
    [[nodiscard]] QRectF targetRoom() const;
    void keepInView(const Target &target);

    Shown shown_ = Shown::World;
    int ocean_ = -1;
    int sea_ = -1;
    // Of the oceans whose seas showSeas() marks.
    int oceanCount_ = 0;
    bool namesHidden_ = false;
    bool atlas_ = true;
    bool oceanNamesHidden_ = false;
    bool marksApart_ = false;
    bool numbered_ = false;
    struct MarkNote {
        QString before;
        QString after;
    };
    MarkNote markNote_;
    std::vector<int> marked_;
    Viewport view_;
    Viewport framed_;
    // Whether the view is still the one framed, to be framed again for a new size.
    bool viewIsFramed_ = true;
    bool moving_ = false;

    // The layout, the scale it was made for, and the targets of it in view.
    std::vector<Target> layout_;
    double laidOutAt_ = 0;
    bool layoutValid_ = false;
    std::vector<Target> shownTargets_;
    // Which of the layout's targets are shown, by their place in it.
    std::vector<std::size_t> shownOfLayout_;
    std::uint64_t targetsVersion_ = 0;
    // The focused target, by its first sea row; −1 for none.
    int focusedRow_ = -1;
    int hovered_ = -1;
};

} // namespace pelagor
