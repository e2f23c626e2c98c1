// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The practice window's settings: what is asked, of which oceans, how many
// questions, which variant, the pupil's name; "Започни", which waits, with a
// note why, for a setting that makes no round. And the page that asks for the
// pupil's name before a round whose result is handed in by itself.
#pragma once

#include "practice/round.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace pelagor {

class SettingsPage : public QWidget {
public:
    explicit SettingsPage(QWidget *parent);

    [[nodiscard]] practice::Setting setting() const;
    // The variant typed, or none for a fresh one.
    [[nodiscard]] std::optional<int> variant() const;
    // The pupil's name and class, cleaned.
    [[nodiscard]] QString pupil() const;
    void setPupil(const QString &pupil);
    // Shows the setting a round was made of, for the next one.
    void showSetting(const practice::Setting &setting);
    // The keyboard on the kind of questions chosen.
    void takeKeyboard();
    // "Започни", or Enter in a field, with a setting that makes a round.
    std::function<void()> onBegin;
    // The button that starts a round.
    [[nodiscard]] QPushButton *begin() const { return begin_; }

private:
    // "Започни" and the note beside it, after a change.
    void check();

    QButtonGroup *kinds_ = nullptr;
    std::array<QCheckBox *, catalogue::kOceanCount> oceans_{};
    QSpinBox *questions_ = nullptr;
    QLineEdit *variant_ = nullptr;
    QLineEdit *pupil_ = nullptr;
    QLabel *note_ = nullptr;
    QPushButton *begin_ = nullptr;
};

class NamePage : public QWidget {
public:
    explicit NamePage(QWidget *parent);

    // Empties the field and takes the keyboard.
    void ask();
    // Called with the name typed, cleaned, when there is one; an empty one
    // is refused with a note.
    std::function<void(const QString &pupil)> onName;
    [[nodiscard]] QPushButton *begin() const { return begin_; }

private:
    void take();

    QLineEdit *name_ = nullptr;
    // What the field says to a screen reader, before any note.
    QString intro_;
    QLabel *note_ = nullptr;
    QPushButton *begin_ = nullptr;
};

} // namespace pelagor
