// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/wording.h"

#include "catalogue/catalogue.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace pelagor::practice {

namespace {

// The oceans' names with the article, in the form's order.
constexpr std::array<std::u16string_view, catalogue::kOceanCount> kOceansWithArticle{
    u"Атлантическия океан", u"Индийския океан", u"Северния ледовит океан", u"Тихия океан",
    u"Южния океан"};

const QString kGulf = QStringLiteral(" залив");
const QString kOceanWord = QStringLiteral(" океан");
// The generic word some names begin with, written small inside a sentence.
const QString kSeaFirst = QStringLiteral("Море ");

// A sea's name inside a sentence: a gulf's adjective articled ("Бенгалски"
// and "Хъдсънов" take "ят"/"я" and "ият"/"ия", the full and the short
// article), the generic word small.
QString inSentence(int sea, bool full)
{
    QString name = seaName(sea);
    if (name.startsWith(kSeaFirst)) {
        name[0] = name.at(0).toLower();
        return name;
    }
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

// An answer in the review: an ocean's name or a sea's, inside a line or at
// its start; "без отговор" for none.
QString answerText(const Question &question, int answer, bool inside)
{
    if (answer < 0) {
        return QStringLiteral("без отговор");
    }
    if (question.asks == Asks::Ocean) {
        // The right answer names every ocean the sea is counted in.
        return answer == Round::rightAnswer(question) ? catalogue::oceansNamedFor(question.sea)
                                                      : oceanName(answer);
    }
    // The review names a sea as the list does, the generic word small inside.
    const QString name = seaName(answer);
    return inside && name.startsWith(kSeaFirst) ? name.at(0).toLower() + name.mid(1) : name;
}

// "Атлантически и Тихи океан", "Атлантически, Индийски и Тихи океан".
QString oceansText(const Setting &setting)
{
    QStringList names;
    for (std::size_t ocean = 0; ocean < setting.oceans.size(); ++ocean) {
        if (setting.oceans.at(ocean)) {
            names << fromView(catalogue::kOceanCaptions.at(ocean));
        }
    }
    if (names.size() == static_cast<qsizetype>(catalogue::kOceanCount)) {
        return QStringLiteral("всички");
    }
    const QString last = names.takeLast();
    return (names.isEmpty() ? last
                            : names.join(QStringLiteral(", ")) + QStringLiteral(" и ") + last) +
           QStringLiteral(" океан");
}

} // namespace

QString seaAsSubject(int sea)
{
    return inSentence(sea, true);
}

QString seaAsObject(int sea)
{
    return inSentence(sea, false);
}

QString atStart(const QString &text)
{
    return text.isEmpty() ? text : text.at(0).toUpper() + text.mid(1);
}

QString oceanWithArticle(int ocean)
{
    return fromView(kOceansWithArticle.at(static_cast<std::size_t>(ocean)));
}

QString oceansWithArticle(int sea)
{
    // "Атлантическия или Северния ледовит океан": the word "океан" once, last.
    QStringList oceans;
    for (const int ocean : catalogue::oceansCountedFor(sea)) {
        oceans << oceanWithArticle(ocean).chopped(kOceanWord.size());
    }
    return oceans.join(QStringLiteral(" или ")) + kOceanWord;
}

QString questionText(const Question &question)
{
    return question.asks == Asks::Ocean
               ? QStringLiteral("Към кой океан принадлежи %1?").arg(seaAsSubject(question.sea))
               : QStringLiteral("Покажи %1 на картата.").arg(seaAsObject(question.sea));
}

QString mapHintText()
{
    return QStringLiteral("Щракни или докосни точката на морето, или стигни до нея с Tab и "
                          "натисни Enter. Кръгче с число събира няколко морета: то само "
                          "приближава картата към тях.");
}

QString feedbackText(const Question &question, int given)
{
    const bool right = Round::isRight(question, given);
    const QString verdict = right ? QStringLiteral("Вярно.") : QStringLiteral("Не.");
    if (question.asks == Asks::Ocean) {
        return QStringLiteral("%1 %2 е в %3.")
            .arg(verdict, atStart(seaAsSubject(question.sea)), oceansWithArticle(question.sea));
    }
    if (right) {
        return QStringLiteral("%1 Това е %2.").arg(verdict, seaAsSubject(question.sea));
    }
    if (given < 0 || given >= static_cast<int>(catalogue::kSeaCount)) {
        return QStringLiteral("%1 %2 е тук.").arg(verdict, atStart(seaAsSubject(question.sea)));
    }
    return QStringLiteral("%1 Това е %2 (%3). %4 е тук.")
        .arg(verdict, seaAsSubject(given), oceanName(catalogue::oceanOfSea(given)),
             atStart(seaAsSubject(question.sea)));
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
    return answerText(row.question, row.given, false);
}

QString rightText(const ReviewRow &row)
{
    return answerText(row.question, Round::rightAnswer(row.question), false);
}

QString reviewQuestion(int index, const ReviewRow &row)
{
    return QStringLiteral("%1. %2").arg(index + 1).arg(questionText(row.question));
}

QString reviewAnswer(const ReviewRow &row)
{
    if (row.right) {
        return QStringLiteral("✓ ") + givenText(row);
    }
    return QStringLiteral("✗ %1 — вярно: %2")
        .arg(givenText(row), answerText(row.question, Round::rightAnswer(row.question), true));
}

QString reviewAnswerSpoken(const ReviewRow &row)
{
    const QString right = answerText(row.question, Round::rightAnswer(row.question), true);
    if (row.right) {
        return QStringLiteral("Вярно: %1.").arg(right);
    }
    return QStringLiteral("Грешно: %1. Вярно: %2.")
        .arg(answerText(row.question, row.given, true), right);
}

QString settingNote(const Setting &setting)
{
    if (oceansChosen(setting) != 1) {
        return {};
    }
    if (setting.kind == Kind::Ocean) {
        return QStringLiteral("Избери поне два океана: с един океан отговорът на всеки въпрос "
                              "е един и същ.");
    }
    if (setting.kind == Kind::Mixed) {
        return QStringLiteral("С един океан въпросите са само на картата.");
    }
    return {};
}

QString settingText(const Setting &setting)
{
    QString kind = QStringLiteral("смесени");
    if (setting.kind == Kind::Ocean) {
        kind = QStringLiteral("към кой океан принадлежи морето");
    } else if (setting.kind == Kind::Map) {
        kind = QStringLiteral("покажи морето на картата");
    }
    return QStringLiteral("Въпроси: %1; океани: %2; брой въпроси: %3")
        .arg(kind, oceansText(setting))
        .arg(setting.questions);
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
