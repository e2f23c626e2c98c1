// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// "Карта на моретата": a companion window of the main window that shows where
// the seas lie, follows every pick made in the form, and picks a sea when its
// mark is clicked or tapped.
#pragma once

#include <QWidget>

#include <functional>

namespace pelagor {

class SeaMap : public QWidget {
public:
    // A tool window of `form`; made only when first wanted, it loads and
    // projects nothing until it is first shown.
    explicit SeaMap(QWidget *form);

    // Shows the window beside the form, where the screen has room, without
    // taking the focus from it.
    void showBesideForm();

    // After a sea pick: that sea's mark and name, and its ocean's name.
    void showSea(int row);
    // After an ocean pick: a mark for each of its seas, and its name.
    void showOcean(int ocean);

    // Called with the sea row whose mark was clicked or tapped.
    std::function<void(int row)> onSeaClicked;
};

} // namespace pelagor
