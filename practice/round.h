// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A round of practice: the questions a setting and a variant make from the
// catalogue, the pupil's answers to them in turn, the score and the review.
//
// How a variant makes a round, fixed so that a class working on one variant
// gets the same questions in the same order on every machine:
//   1. the eligible seas are the rows of the chosen oceans, in catalogue order;
//   2. SplitMix64 (random.h), seeded with the variant, shuffles them by
//      Fisher–Yates: for i from the last index down to 1, swap i with
//      below(i + 1);
//   3. the round asks the first count() of them, so no sea twice;
//   4. in a mixed round of two oceans or more, the same generator then draws
//      each question's kind in turn, after the shuffle: below(2) == 0 asks
//      for the ocean, 1 for the sea on the map. A mixed round of one ocean
//      asks every sea on the map, and draws nothing more: the ocean of its
//      seas is no question there.
// Any change to these steps changes every variant: the tests pin a few.
#pragma once

#include "catalogue/checks.h"

#include <array>
#include <optional>
#include <vector>

namespace pelagor::practice {

// What a round asks: the ocean of each sea, each sea on the map, or both,
// question by question.
enum class Kind { Ocean, Map, Mixed };
// What one question asks.
enum class Asks { Ocean, Map };

inline constexpr int kMaxVariant = 9999;
inline constexpr int kDefaultQuestions = 10;
inline constexpr int kMaxQuestions = static_cast<int>(catalogue::kSeaCount);

// What a teacher sets for a round; the variant stands beside it.
struct Setting {
    Kind kind = Kind::Mixed;
    int questions = kDefaultQuestions;
    // Whose seas are asked, by ocean number (the form's order).
    std::array<bool, catalogue::kOceanCount> oceans{true, true, true, true, true};
};

// What is wrong with a setting and a variant, the first found in this order.
// A round of ocean questions needs two oceans at least: with one, every
// question would have the same answer.
enum class Fault { None, QuestionsOutOfRange, VariantOutOfRange, NoOcean, OneOceanAsked };
[[nodiscard]] Fault check(const Setting &setting, int variant);

// How many oceans the setting chooses.
[[nodiscard]] int oceansChosen(const Setting &setting);
// Whether a round of the setting asks for the ocean of a sea at all: not
// when it asks on the map only, nor when one ocean is chosen.
[[nodiscard]] bool asksOceans(const Setting &setting);

// A variant from 1 to kMaxVariant drawn afresh for each call, from the
// system's entropy and the clock; the round made from it can be given again
// by that number.
[[nodiscard]] int freshVariant();

// One question: the sea, by its row in the catalogue's sea list, and what is
// asked of it.
struct Question {
    int sea = 0;
    Asks asks = Asks::Ocean;
    friend bool operator==(const Question &, const Question &) = default;
};

// A question with the pupil's answer: for an ocean question the ocean number
// given (0 to 4), for a map question the sea row given; -1 when not answered.
struct ReviewRow {
    Question question;
    int given = -1;
    bool right = false;
};

class Round {
public:
    // The round of that setting and variant; none when check() finds a fault.
    [[nodiscard]] static std::optional<Round> make(const Setting &setting, int variant);

    // The answer that is right: the sea's ocean number for an ocean question,
    // the sea's row for a map question.
    [[nodiscard]] static int rightAnswer(const Question &question);
    // Whether an answer is right: the right one, or for an ocean question
    // any ocean the sea is counted in ("Бяло море": the Atlantic or the Arctic).
    [[nodiscard]] static bool isRight(const Question &question, int given);

    [[nodiscard]] int variant() const { return variant_; }
    [[nodiscard]] const Setting &setting() const { return setting_; }
    // The number of questions: as many as asked, or as the chosen oceans
    // have seas, whichever is fewer; in a round of the missed ones, those.
    [[nodiscard]] int count() const { return static_cast<int>(questions_.size()); }
    // Whether the chosen oceans had fewer seas than the setting asked for.
    [[nodiscard]] bool fewerThanAsked() const { return fewerThanAsked_; }
    // Whether this round asks again the ones missed in another (missedOnly()).
    [[nodiscard]] bool onlyMissed() const { return onlyMissed_; }

    // The question open now, by index; count() once all are answered.
    [[nodiscard]] int current() const { return static_cast<int>(given_.size()); }
    [[nodiscard]] bool finished() const { return current() == count(); }
    // Question i, 0 <= i < count().
    [[nodiscard]] const Question &question(int i) const;

    // Answers the open question and moves on to the next; true when the
    // answer is right. Ignored, returning false, when the round is finished
    // or `given` is no ocean number (an ocean question) or no sea row (a map
    // question).
    bool answer(int given);
    [[nodiscard]] int answered() const { return current(); }
    [[nodiscard]] int rightSoFar() const { return right_; }

    // Every question with its answer, in the round's order.
    [[nodiscard]] std::vector<ReviewRow> review() const;
    // A round of the questions missed here, in the same order, with the same
    // setting and variant; none while this one runs or when none was missed.
    [[nodiscard]] std::optional<Round> missedOnly() const;

private:
    Round(const Setting &setting, int variant) : setting_(setting), variant_(variant) {}

    Setting setting_;
    int variant_;
    std::vector<Question> questions_;
    std::vector<int> given_;
    int right_ = 0;
    bool fewerThanAsked_ = false;
    bool onlyMissed_ = false;
};

} // namespace pelagor::practice
