// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/wording.h"

#include "catalogue/catalogue.h"

#include <algorithm>
#include <array>

namespace pelagor::practice {

namespace {

// The oceans' names with the article, in the form's order.
constexpr std::array<std::u16string_view, catalogue::kOceanCount> kOceansWithArticle{
    u"Атлантическия океан", u"Индийския океан", u"Северния ледовит океан", u"Тихия океан",
    u"Южния океан"};

const QString kGulf = QStringLiteral(" залив");

// A gulf's name with its adjective articled: "Бенгалски" and "Хъдсънов"
// take "ят"/"я" and "ият"/"ия", the full and the short article.
QString articledGulf(int sea, bool full)
{
    QString name = seaName(sea);
    if (!name.endsWith(kGulf)) {
        return name;
    }
    QString adjective = name.chopped(kGulf.size());
    if (adjective.endsWith(u'и')) {
        adjective += full ? QStringLiteral("ят") : QStringLiteral("я");
    } else {
        adjective += full ? QStringLiteral("ият") : QStringLiteral("ия");
    }
    return adjective + kGulf;
}

QString fromView(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// "7 морета", "1 море".
QString seasCounted(int count)
{
    return count == 1 ? QStringLiteral("1 море") : QStringLiteral("%1 морета").arg(count);
}

// An answer in the review: an ocean's name or a sea's, "—" for none.
QString answerText(const Question &question, int answer)
{
    if (answer < 0) {
        return QStringLiteral("—");
    }
    return question.asks == Asks::Ocean ? oceanName(answer) : seaName(answer);
}

} // namespace

QString seaAsSubject(int sea)
{
    return articledGulf(sea, true);
}

QString seaAsObject(int sea)
{
    return articledGulf(sea, false);
}

QString oceanWithArticle(int ocean)
{
    return fromView(kOceansWithArticle.at(static_cast<std::size_t>(ocean)));
}

QString questionText(const Question &question)
{
    return question.asks == Asks::Ocean
               ? QStringLiteral("Към кой океан принадлежи %1?").arg(seaAsSubject(question.sea))
               : QStringLiteral("Покажи %1 на картата.").arg(seaAsObject(question.sea));
}

QString feedbackText(const Question &question, int given)
{
    const bool right = given == Round::rightAnswer(question);
    const QString verdict = right ? QStringLiteral("Вярно.") : QStringLiteral("Не.");
    if (question.asks == Asks::Ocean) {
        return QStringLiteral("%1 %2 е в %3.")
            .arg(verdict, seaAsSubject(question.sea),
                 oceanWithArticle(catalogue::oceanOfSea(question.sea)));
    }
    if (right) {
        return QStringLiteral("%1 Това е %2.").arg(verdict, seaAsSubject(question.sea));
    }
    if (given < 0 || given >= static_cast<int>(catalogue::kSeaCount)) {
        return QStringLiteral("%1 %2 е тук.").arg(verdict, seaAsSubject(question.sea));
    }
    return QStringLiteral("%1 Това е %2 (%3). %4 е тук.")
        .arg(verdict, seaAsSubject(given), oceanName(catalogue::oceanOfSea(given)),
             seaAsSubject(question.sea));
}

QString progressText(const Round &round)
{
    return QStringLiteral("Въпрос %1 от %2")
        .arg(std::min(round.current() + 1, round.count()))
        .arg(round.count());
}

QString scoreText(const Round &round)
{
    return QStringLiteral("Верни: %1 от %2").arg(round.rightSoFar()).arg(round.answered());
}

QString resultText(const Round &round)
{
    return QStringLiteral("%1 от %2 верни").arg(round.rightSoFar()).arg(round.count());
}

QString fewerSeasText(const Round &round)
{
    if (!round.fewerThanAsked()) {
        return {};
    }
    const int count = round.count();
    const bool oneOcean = std::ranges::count(round.setting().oceans, true) == 1;
    return QStringLiteral("%1 %2: %3.")
        .arg(oneOcean ? QStringLiteral("Избраният океан има")
                      : QStringLiteral("Избраните океани имат"),
             seasCounted(count),
             count == 1 ? QStringLiteral("въпросът е 1")
                        : QStringLiteral("въпросите са %1").arg(count));
}

QString titleText(const Round &round)
{
    const QString title = QStringLiteral("Упражнение — вариант %1").arg(round.variant());
    return round.onlyMissed() ? title + QStringLiteral(", само грешните") : title;
}

QString givenText(const ReviewRow &row)
{
    return answerText(row.question, row.given);
}

QString rightText(const ReviewRow &row)
{
    return answerText(row.question, Round::rightAnswer(row.question));
}

std::optional<Kind> kindNamed(QStringView name)
{
    const QString wanted = name.trimmed().toString().toCaseFolded();
    if (wanted == u"ocean") {
        return Kind::Ocean;
    }
    if (wanted == u"map") {
        return Kind::Map;
    }
    if (wanted == u"mixed") {
        return Kind::Mixed;
    }
    return std::nullopt;
}

} // namespace pelagor::practice
