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

// A sea's name ("Арабско море", "Море Сулу": so it stands in a list, at the
// start of a line and in the map's caption) and an ocean's ("Тихи океан"), as
// the catalogue gives them.
using catalogue::oceanName;
using catalogue::seaName;

// The sea inside a sentence, as its subject: the gulfs with the full article
// ("Бенгалският залив"), the generic word small ("море Сулу"), every other
// sea as it is named.
[[nodiscard]] QString seaAsSubject(int sea);
// The sea inside a sentence, as an object: the gulfs with the short article
// ("Бенгалския залив"), the generic word small ("море Сулу").
[[nodiscard]] QString seaAsObject(int sea);
// The text with its first letter capital, as a sentence begins: "Море Сулу".
[[nodiscard]] QString atStart(const QString &text);

// With the article, as after a preposition: "Тихия океан".
[[nodiscard]] QString oceanWithArticle(int ocean);
// Every ocean a sea is counted in, with the article: "Тихия океан",
// "Атлантическия или Северния ледовит океан".
[[nodiscard]] QString oceansWithArticle(int sea);

// "Към кой океан принадлежи море Сулу?", "Покажи Бенгалския залив на картата."
[[nodiscard]] QString questionText(const Question &question);
// How a map question is answered, under it.
[[nodiscard]] QString mapHintText();
// What an answer to the question is told: "Вярно. Море Сулу е в Тихия
// океан.", "Не. Това е море Сулавеси (Тихи океан). Море Сулу е тук."
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

// The review's answers: the ocean's name or the sea's as a line begins with
// it, "без отговор" for none.
[[nodiscard]] QString givenText(const ReviewRow &row);
[[nodiscard]] QString rightText(const ReviewRow &row);
// A row of the review in two lines: "3. Покажи море Сулу на картата.", then
// "✓ Море Сулу" or "✗ Море Сулавеси — вярно: море Сулу".
[[nodiscard]] QString reviewQuestion(int index, const ReviewRow &row);
[[nodiscard]] QString reviewAnswer(const ReviewRow &row);
// The answer line as a screen reader says it: "Грешно: море Сулавеси.
// Вярно: море Сулу."
[[nodiscard]] QString reviewAnswerSpoken(const ReviewRow &row);

// What the settings say of a choice that changes the round: a round of ocean
// questions needs two oceans, a mixed round of one ocean asks on the map
// only; empty for any other.
[[nodiscard]] QString settingNote(const Setting &setting);
// The setting in one line, for the result: "смесени въпроси, 10, от
// Атлантически и Тихи океан".
[[nodiscard]] QString settingText(const Setting &setting);

// The kind a command line names: "ocean", "map" or "mixed" (letter case and
// blanks round it forgiven).
[[nodiscard]] std::optional<Kind> kindNamed(QStringView name);

} // namespace pelagor::practice
