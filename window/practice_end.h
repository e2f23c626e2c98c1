// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The end of a practice round: the score, where its result was handed in (or
// why it was not), a review of every question whose rows show their sea on
// the map, and the ways on: "Запази резултата…", "Само грешните", "Нов кръг",
// "Настройки".
#pragma once

#include "practice/round.h"

#include <QWidget>

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

namespace pelagor {

class EndPage : public QWidget {
public:
    explicit EndPage(QWidget *parent);

    // Shows the round's score and review; nothing said yet of a result.
    void showRound(const practice::Round &round);
    // What became of the result: where it was written, or why it was not.
    void setSaved(const QString &text);
    [[nodiscard]] QString saved() const;
    // The score, which the keyboard rests on as the page opens.
    [[nodiscard]] QWidget *result() const;
    // The buttons that start another round.
    [[nodiscard]] QPushButton *missed() const { return missed_; }
    [[nodiscard]] QPushButton *again() const { return again_; }
    [[nodiscard]] QPushButton *save() const { return save_; }

    std::function<void()> onSave;
    std::function<void()> onMissed;
    std::function<void()> onAgain;
    std::function<void()> onSettings;
    // A review row chosen: its question's index.
    std::function<void(int question)> onRowShown;

private:
    QLabel *result_ = nullptr;
    QLabel *saved_ = nullptr;
    QListWidget *review_ = nullptr;
    QPushButton *save_ = nullptr;
    QPushButton *missed_ = nullptr;
    QPushButton *again_ = nullptr;
    QPushButton *settings_ = nullptr;
};

} // namespace pelagor
