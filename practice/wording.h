// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the practice says, in Bulgarian: the questions, the feedback, the
// progress, the end and the review, with the names of the seas and oceans in
// the form each sentence needs.
#pragma once

#include "catalogue/lookup.h"
#include "practice/round.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace pelagor::practice {

// A sea's name ("Арабско море") and an ocean's ("Тихи океан"), as the
// catalogue gives them.
using catalogue::oceanName;
using catalogue::seaName;

// The sea as the subject of a sentence: the gulfs with the full article
// ("Бенгалският залив"), every other sea as it is named.
[[nodiscard]] QString seaAsSubject(int sea);
// The sea as an object: the gulfs with the short article ("Бенгалския
// залив"), every other sea as it is named.
[[nodiscard]] QString seaAsObject(int sea);

// With the article, as after a preposition: "Тихия океан".
[[nodiscard]] QString oceanWithArticle(int ocean);

// "Към кой океан принадлежи Море Сулу?", "Покажи Бенгалския залив на картата."
[[nodiscard]] QString questionText(const Question &question);
// What an answer to the question is told: "Вярно. Море Сулу е в Тихия
// океан.", "Не. Това е Море Сулавеси (Тихи океан). Море Сулу е тук."
[[nodiscard]] QString feedbackText(const Question &question, int given);

// "Въпрос 3 от 10": the open question (the last once the round is finished).
[[nodiscard]] QString progressText(const Round &round);
// "Верни: 2 от 3", of the questions answered so far.
[[nodiscard]] QString scoreText(const Round &round);
// "7 от 10 верни", at the end.
[[nodiscard]] QString resultText(const Round &round);
// "Избраните океани имат 7 морета: въпросите са 7.", when the chosen oceans
// have fewer seas than were asked for; empty otherwise.
[[nodiscard]] QString fewerSeasText(const Round &round);
// The practice window's title: "Упражнение — вариант 42", and for a round of
// the missed ones "Упражнение — вариант 42, само грешните".
[[nodiscard]] QString titleText(const Round &round);

// The review's answers: the ocean's name or the sea's, "—" for none.
[[nodiscard]] QString givenText(const ReviewRow &row);
[[nodiscard]] QString rightText(const ReviewRow &row);

// The kind a command line names: "ocean", "map" or "mixed" (letter case and
// blanks round it forgiven).
[[nodiscard]] std::optional<Kind> kindNamed(QStringView name);

} // namespace pelagor::practice
