// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// "Упражнение": the window in which the program asks and the pupil answers.
// Its settings (practice_settings), then the round, question by question, with
// the map of the seas beside it, names hidden while a question is open, each
// question asked by the asker of its kind (ocean_asker, map_asker); at the end
// the score, a review of every question and the result to save
// (practice_end). It shows and routes; the round itself is the practice
// engine's. While it is open the form and the map of the seas wait (it is
// modal to them), so that neither can answer its questions.
//
// No answer is given without a choice: a question opens with the keyboard on
// the question itself, so that a stray Enter or Space answers nothing; the
// keys 1 to 5, a click and a tap answer at once, the arrows and Tab only move
// to an answer.
#pragma once

#include "practice/result.h"
#include "practice/round.h"
#include "window/reader_note.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QPushButton;
class QShortcut;
class QStackedWidget;

namespace pelagor {

class Asker;
class EndPage;
class NamePage;
class SeaMap;
class SettingsPage;

class PracticeWindow : public QWidget {
public:
    explicit PracticeWindow(QWidget *form);

    // Shows the window at its settings.
    void showSettings();
    // Starts a round of the setting: of that variant, or of a fresh one. When
    // results are handed in by themselves and no name is known, it asks for
    // the pupil's name first.
    void start(const practice::Setting &setting, std::optional<int> variant);
    // The pupil's name, and where finished rounds are written by themselves.
    void setHandIn(const practice::HandIn &handIn);

    // The round shown, if one was started.
    [[nodiscard]] const practice::Round *round() const { return round_ ? &*round_ : nullptr; }
    [[nodiscard]] SeaMap *map() const { return map_; }
    // Whether an answer is shown, waiting for "Напред".
    [[nodiscard]] bool showsFeedback() const;
    // The pupil's name and class as the settings hold it, cleaned.
    [[nodiscard]] QString pupil() const;
    // Writes the finished round's result to a PDF file: an empty string when
    // written, else why not, in Bulgarian.
    [[nodiscard]] QString saveResult(const QString &path) const;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Page { Settings, Name, Question, End };

    QWidget *buildQuestion();
    void showPage(Page page);
    // Shown beside the form, where the screen has room, once.
    void showBesideForm(QSize wanted);
    void ask();
    // The asker of the open question; none when no question is open.
    [[nodiscard]] Asker *openAsker() const;
    // Takes the pupil's answer to the open question and shows what it was told.
    void takeAnswer(practice::Asks kind, int given);
    void next();
    void finish();
    // Writes the finished round where results are handed in, and says so.
    void handResultIn();
    void saveResultAs();
    // The seas of the round's oceans, each with a mark on the map.
    [[nodiscard]] std::vector<int> roundSeas() const;
    // Hands the text to a screen reader as the keyboard moves to the control;
    // with no control, takes the last text back.
    void say(const QString &text, QWidget *control);

    std::optional<practice::Round> round_;
    // The round waiting for the pupil's name.
    std::optional<std::pair<practice::Setting, std::optional<int>>> waiting_;
    // Where finished rounds are written by themselves, and whether it is a folder.
    std::optional<QString> resultPath_;
    bool resultIsFolder_ = false;
    // When the shown round was finished.
    QDateTime finishedAt_;
    // Since the last press on a button that opens a question ("Напред",
    // "Нов кръг", …): a second click meant for it answers nothing.
    QElapsedTimer opened_;
    ReaderNote note_;

    QStackedWidget *pages_ = nullptr;
    SeaMap *map_ = nullptr;
    SettingsPage *settings_ = nullptr;
    NamePage *name_ = nullptr;
    EndPage *end_ = nullptr;

    // A question, and an asker of each kind by practice::Asks.
    QLabel *progress_ = nullptr;
    QLabel *score_ = nullptr;
    QLabel *fewer_ = nullptr;
    QLabel *question_ = nullptr;
    QStackedWidget *answerArea_ = nullptr;
    std::array<Asker *, 2> askers_{};
    QLabel *feedback_ = nullptr;
    QLabel *aside_ = nullptr;
    QPushButton *next_ = nullptr;
    // Enter, on while an answer is shown.
    QShortcut *enter_ = nullptr;
    QShortcut *saveKey_ = nullptr;
};

} // namespace pelagor
