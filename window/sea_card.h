// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The card of the pick, for a window to hold beside the map: a sea's name
// and ocean, figures, coasts, neighbours and sentences; an ocean's figures
// and a table of its seas; with nothing picked, a line saying what it will
// show. Its words come from catalogue/card_text.h; it lays them out and
// routes the pupil's picks made through it.
//
// Its text is read-only text a screen reader reads line by line, with the
// arrow keys; Tab goes on to the neighbours, each a button, and to the
// table's sort order and rows; Enter or a click on one picks it. The whole
// scrolls where it does not fit. Shown for a pick, it says nothing by itself.
#pragma once

#include <QWidget>

class QScrollArea;
class QVBoxLayout;

namespace pelagor {

class SeaCardView : public QWidget {
    Q_OBJECT

public:
    explicit SeaCardView(QWidget *parent = nullptr);

    // The card of a sea row, of an ocean by its number, of nothing picked.
    // Where the keyboard was in the card, it goes to the start of the new one.
    void showSea(int row);
    void showOcean(int ocean);
    void showNothing();

    // What it shows: the sea row or the ocean number, -1 where it shows
    // another kind or nothing.
    [[nodiscard]] int shownSea() const { return sea_; }
    [[nodiscard]] int shownOcean() const { return ocean_; }

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

signals:
    // The pupil picked a sea (a neighbour, a row of the ocean's table) or an
    // ocean (a neighbour) through the card; the card itself stays as it is.
    void seaPicked(int row);
    void oceanPicked(int ocean);

private:
    // Puts a new page in place of the one shown; the old one goes once the
    // event that led here is done, as it may come from a button on it.
    void replacePage(QWidget *page, QWidget *start, const QString &name);

    QScrollArea *scroll_ = nullptr;
    QVBoxLayout *pages_ = nullptr;
    QWidget *page_ = nullptr;
    int sea_ = -1;
    int ocean_ = -1;
};

} // namespace pelagor
