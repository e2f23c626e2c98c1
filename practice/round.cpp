// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/round.h"

#include "catalogue/catalogue.h"
#include "catalogue/lookup.h"
#include "practice/random.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>
#include <utility>

namespace pelagor::practice {

Fault check(const Setting &setting, int variant)
{
    if (setting.questions < 1 || setting.questions > kMaxQuestions) {
        return Fault::QuestionsOutOfRange;
    }
    if (variant < 1 || variant > kMaxVariant) {
        return Fault::VariantOutOfRange;
    }
    if (oceansChosen(setting) == 0) {
        return Fault::NoOcean;
    }
    if (setting.kind == Kind::Ocean && oceansChosen(setting) == 1) {
        return Fault::OneOceanAsked;
    }
    return Fault::None;
}

int oceansChosen(const Setting &setting)
{
    return static_cast<int>(std::ranges::count(setting.oceans, true));
}

bool asksOceans(const Setting &setting)
{
    return setting.kind != Kind::Map && oceansChosen(setting) > 1;
}

int freshVariant()
{
    // Some standard libraries (MinGW's before GCC 9.2) give the same
    // "random" device numbers on every run; the clock differs all the same.
    std::random_device device;
    const auto now =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    const std::uint64_t seed = (static_cast<std::uint64_t>(device()) << 32U) ^ device() ^ now;
    SplitMix64 generator(seed);
    return static_cast<int>(generator.below(kMaxVariant)) + 1;
}

int Round::rightAnswer(const Question &question)
{
    return question.asks == Asks::Ocean ? catalogue::oceanOfSea(question.sea) : question.sea;
}

bool Round::isRight(const Question &question, int given)
{
    if (question.asks == Asks::Map) {
        return given == question.sea;
    }
    const std::vector<int> counted = catalogue::oceansCountedFor(question.sea);
    return std::ranges::find(counted, given) != counted.end();
}

std::optional<Round> Round::make(const Setting &setting, int variant)
{
    if (check(setting, variant) != Fault::None) {
        return std::nullopt;
    }
    std::vector<int> seas = catalogue::seasOfOceans(setting.oceans);
    SplitMix64 generator(static_cast<std::uint64_t>(variant));
    for (std::size_t i = seas.size() - 1; i > 0; --i) {
        const std::uint32_t j = generator.below(static_cast<std::uint32_t>(i + 1));
        std::swap(seas[i], seas[j]);
    }

    Round round(setting, variant);
    round.fewerThanAsked_ = std::cmp_less(seas.size(), setting.questions);
    seas.resize(std::min(seas.size(), static_cast<std::size_t>(setting.questions)));
    const bool drawn = setting.kind == Kind::Mixed && asksOceans(setting);
    for (const int sea : seas) {
        Asks asks = setting.kind == Kind::Ocean ? Asks::Ocean : Asks::Map;
        if (drawn) {
            asks = generator.below(2) == 0 ? Asks::Ocean : Asks::Map;
        }
        round.questions_.push_back({sea, asks});
    }
    return round;
}

const Question &Round::question(int i) const
{
    return questions_.at(static_cast<std::size_t>(i));
}

bool Round::answer(int given)
{
    if (finished()) {
        return false;
    }
    const Question &open = question(current());
    const int answers = open.asks == Asks::Ocean ? static_cast<int>(catalogue::kOceanCount)
                                                 : static_cast<int>(catalogue::kSeaCount);
    if (given < 0 || given >= answers) {
        return false;
    }
    const bool right = isRight(open, given);
    given_.push_back(given);
    right_ += right ? 1 : 0;
    return right;
}

std::vector<ReviewRow> Round::review() const
{
    std::vector<ReviewRow> rows;
    rows.reserve(questions_.size());
    for (std::size_t i = 0; i < questions_.size(); ++i) {
        ReviewRow row{questions_[i]};
        if (i < given_.size()) {
            row.given = given_[i];
            row.right = isRight(row.question, row.given);
        }
        rows.push_back(row);
    }
    return rows;
}

std::optional<Round> Round::missedOnly() const
{
    if (!finished()) {
        return std::nullopt;
    }
    Round missed(setting_, variant_);
    missed.onlyMissed_ = true;
    for (const ReviewRow &row : review()) {
        if (!row.right) {
            missed.questions_.push_back(row.question);
        }
    }
    if (missed.questions_.empty()) {
        return std::nullopt;
    }
    return missed;
}

} // namespace pelagor::practice
