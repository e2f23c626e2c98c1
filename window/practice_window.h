// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// "Упражнение": the window in which the program asks and the pupil answers.
// Its settings (what is asked, of which oceans, how many questions, which
// variant, the pupil's name), then the round, question by question, with the
// map of the seas beside it, names hidden while a question is open; at the
// end the score, a review of every question and the result to save. It shows
// and routes; the round itself is the practice engine's. While it is open the
// form and the map of the seas wait (it is modal to them), so that neither can
// answer its questions.
//
// No answer is given without a choice: a question opens with the keyboard on
// the question itself, so that a stray Enter or Space answers nothing; the
// keys 1 to 5, a click and a tap answer at once, the arrows and Tab only
// move to an answer.
#pragma once

#include "practice/result.h"
#include "practice/round.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QWidget>

#include <array>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QShortcut;
class QSpinBox;
class QStackedWidget;
class QListWidget;

namespace pelagor {

class SeaMap;

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

    QWidget *buildSettings();
    QWidget *buildName();
    QWidget *buildQuestion();
    QWidget *buildEnd();
    [[nodiscard]] practice::Setting settingChosen() const;
    // "Започни" and the note beside it, after a change of the settings.
    void checkSettings();
    void startChosen();
    void startNamed();
    void showPage(Page page);
    // Shown beside the form, where the screen has room, once.
    void showBesideForm(QSize wanted);
    void ask();
    // An answer taken: the question it answered, and whether it was right.
    struct Taken {
        practice::Question asked;
        bool right = false;
    };
    // Takes the pupil's answer to the open question, if it asks that kind,
    // and shows what it was told; none if it was not taken.
    std::optional<Taken> takeAnswer(practice::Asks kind, int given);
    void answerOcean(int ocean);
    void answerSea(int row, bool byKeyboard);
    // Moves the keyboard among the question and the ocean answers by an
    // arrow key; false when the key is none of those.
    bool moveAmongAnswers(int key);
    void next();
    void finish();
    // Writes the finished round where results are handed in, and says so.
    void handResultIn();
    void saveResultAs();
    void showReviewRow(int row);
    // The seas of the round's oceans, each with a mark on the map.
    [[nodiscard]] std::vector<int> roundSeas() const;
    // Hands the text to a screen reader as it moves its focus to the
    // control: the control carries it as its description; none else does.
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
    // The control that carries the last text handed to a reader, and its own description.
    QWidget *speaker_ = nullptr;
    QString speakerOwn_;

    QStackedWidget *pages_ = nullptr;
    SeaMap *map_ = nullptr;

    // The settings.
    QButtonGroup *kinds_ = nullptr;
    std::array<QCheckBox *, catalogue::kOceanCount> oceans_{};
    QSpinBox *questions_ = nullptr;
    QLineEdit *variant_ = nullptr;
    QLineEdit *pupil_ = nullptr;
    QLabel *settingNote_ = nullptr;
    QPushButton *begin_ = nullptr;

    // The pupil's name before a round whose result is handed in.
    QLineEdit *name_ = nullptr;
    QLabel *nameNote_ = nullptr;
    QPushButton *nameBegin_ = nullptr;

    // A question.
    QLabel *progress_ = nullptr;
    QLabel *score_ = nullptr;
    QLabel *note_ = nullptr;
    QLabel *question_ = nullptr;
    QStackedWidget *answerArea_ = nullptr;
    QLabel *hint_ = nullptr;
    QWidget *oceanButtons_ = nullptr;
    std::array<QPushButton *, catalogue::kOceanCount> answers_{};
    QLabel *feedback_ = nullptr;
    QPushButton *next_ = nullptr;
    // Enter, on while an answer is shown.
    QShortcut *enter_ = nullptr;

    // The end.
    QLabel *result_ = nullptr;
    QLabel *saved_ = nullptr;
    QListWidget *review_ = nullptr;
    QPushButton *save_ = nullptr;
    QShortcut *saveKey_ = nullptr;
    QPushButton *missed_ = nullptr;
    QPushButton *again_ = nullptr;
    QPushButton *settings_ = nullptr;
};

} // namespace pelagor
