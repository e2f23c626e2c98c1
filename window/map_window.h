// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// "Карта на моретата": the window of the map of the seas beside the form. It
// is a tool window of the form, placed where it leaves the form in sight; the
// keys F2 and Esc close it, Ctrl+S saves the map to a file. Beside the map it
// can show the card of the pick (F4, or the button on the map's bar): to
// the map's right where the screen has room, else below it. F6 goes from
// the map to the card where it shows, and from there back to the form.
#pragma once

#include <QPointer>
#include <QWidget>

class QBoxLayout;
class QTimer;
class QToolButton;

namespace pelagor {

class SeaCardView;
class SeaMap;

class MapWindow : public QWidget {
public:
    explicit MapWindow(QWidget *form);

    [[nodiscard]] SeaMap *map() const { return map_; }
    [[nodiscard]] SeaCardView *card() const { return card_; }

    // The card follows what the map shows: the picked sea, the picked ocean,
    // or nothing. Called after each change of the pick.
    void showPick();
    // Shows or hides the card, the window growing by the card's room where
    // the screen has it (and shrinking again), else the map giving way.
    void setCardShown(bool shown);
    [[nodiscard]] bool cardShown() const;

    // Shows the window beside the form, where the screen has room, without
    // taking the focus from it. Just after the form was shown, once the
    // window manager has placed it.
    void showBesideForm();
    // Shows it if need be and moves the keyboard into the map.
    void takeKeyboard();
    // Moves the keyboard back to the form; the map stays open.
    void giveKeyboardBack();
    // Asks where to save the map as it is shown (PNG, or a PDF page) and
    // saves it there; Ctrl+S and the map's context menu.
    void saveMapAs();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Whether the window manager has had the form: it shows, with its frame.
    [[nodiscard]] bool formPlaced() const;
    void showPlaced();
    void placeBesideForm();
    // The least size of the window, with the card where it shows.
    void keepLeastSize();

    QPointer<QWidget> form_;
    SeaMap *map_ = nullptr;
    SeaCardView *card_ = nullptr;
    QBoxLayout *parts_ = nullptr;
    QToolButton *cardButton_ = nullptr;
    // How much the window grew as the card was shown, to give back as it hides.
    QSize grownBy_;
    // Whether showBesideForm() is waiting for a platform that activates every
    // window it shows to do so, to hand the activation back to the form.
    bool keepFormActive_ = false;
    // While the map waits for the window manager to place the form, a
    // moment at most.
    QTimer *formWait_ = nullptr;
    // Whether the map was placed with the form's frame for its own, which
    // the window manager may draw otherwise.
    bool frameGuessed_ = false;
};

} // namespace pelagor
