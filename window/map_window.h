// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// "Карта на моретата": the window of the map of the seas beside the form. It
// is a tool window of the form, placed where it leaves the form in sight; the
// keys F2 and Esc close it, F6 hands the keyboard back to the form, Ctrl+S
// saves the map to a file.
#pragma once

#include <QPointer>
#include <QWidget>

class QTimer;

namespace pelagor {

class SeaMap;

class MapWindow : public QWidget {
public:
    explicit MapWindow(QWidget *form);

    [[nodiscard]] SeaMap *map() const { return map_; }

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

    QPointer<QWidget> form_;
    SeaMap *map_ = nullptr;
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
