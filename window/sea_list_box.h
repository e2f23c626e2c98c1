// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The list of seas: one row selected at a time, never none once one has been,
// a click on the selected row reported like a change of row, every name drawn
// whole in the narrow fixed width, and a finger that swipes it scrolls it
// while one that taps a row picks it.
#pragma once

#include <QListWidget>

#include <functional>

namespace pelagor {

class SeaListBox : public QListWidget {
public:
    explicit SeaListBox(QWidget *parent = nullptr);

    // Called when the user clicks the row that is already selected.
    std::function<void()> onSelectedRowClicked;
    // While set, the list does not tell assistive technology itself that its
    // focus mark moved.
    bool leavesOutMarkNotice = false;

    // Whether the key selects the row the focus mark stands on, without
    // moving the mark: the first arrow press before any row is selected.
    [[nodiscard]] bool selectsMarkedRow(const QKeyEvent *event) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    bool viewportEvent(QEvent *event) override;
    [[nodiscard]] QItemSelectionModel::SelectionFlags
    selectionCommand(const QModelIndex &index, const QEvent *event) const override;

private:
    // The mouse's own press and release at the position.
    void clickAt(QPointF position);

    // A finger's touch picks nothing when it lands, since it may start a
    // swipe; the row it landed on is picked when it lifts there unscrolled.
    QPersistentModelIndex touchedRow_;
};

} // namespace pelagor
