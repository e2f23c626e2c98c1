// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/random.h"
#include "practice/round.h"
#include "practice/wording.h"

#include <QTest>

#include <set>

using namespace pelagor::practice;

namespace {

// A round's questions as "55O 77M …": sea row, then O for an ocean question
// or M for a map question.
QString asText(const Round &round)
{
    QStringList questions;
    for (int i = 0; i < round.count(); ++i) {
        const Question &question = round.question(i);
        questions << QString::number(question.sea) + (question.asks == Asks::Ocean ? u'O' : u'M');
    }
    return questions.join(u' ');
}

// A setting from the test's columns: the oceans as five 0s and 1s.
Setting settingOf(Kind kind, int questions, const QString &oceans)
{
    Setting setting{kind, questions};
    for (std::size_t n = 0; n < setting.oceans.size(); ++n) {
        setting.oceans.at(n) = oceans.at(static_cast<qsizetype>(n)) == u'1';
    }
    return setting;
}

} // namespace

// The practice engine: its random order, the rounds a variant makes, the
// answers, score and review, and the sentences it says.
class TestPractice : public QObject {
    Q_OBJECT

private slots:
    void generator()
    {
        // The values Vigna's splitmix64.c gives for seed 0.
        SplitMix64 zero(0);
        for (const std::uint64_t expected :
             {0xE220A8397B1DCDAFU, 0x6E789E6AA1B965F4U, 0x06C45D188009454FU, 0xF88BB8A8724C81ECU}) {
            QCOMPARE(zero.next(), expected);
        }
        SplitMix64 bounded(7);
        std::set<std::uint32_t> seen;
        for (int n = 0; n < 2000; ++n) {
            const std::uint32_t drawn = bounded.below(5);
            QVERIFY(drawn < 5);
            seen.insert(drawn);
        }
        QCOMPARE(seen.size(), 5U);
        QCOMPARE(bounded.below(1), 0U);
    }

    void variants_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("oceans");
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("fewer");
        const QString all = QStringLiteral("11111");
        QTest::newRow("variant 1")
            << Kind::Mixed << 10 << all << 1 << "55O 77O 21O 13O 58M 45O 51M 62M 10M 17M" << false;
        QTest::newRow("variant 42")
            << Kind::Mixed << 10 << all << 42 << "65O 31M 46M 77O 79O 18M 48O 50M 41M 75O" << false;
        QTest::newRow("variant 9999")
            << Kind::Mixed << 10 << all << 9999 << "80O 56M 21O 71O 22M 54O 16O 9M 45O 0M" << false;
        QTest::newRow("Indian, fewer than asked")
            << Kind::Mixed << 10 << "01000" << 7 << "76M 10M 72O 3O 65M 4M 5M" << true;
        QTest::newRow("Indian, map only")
            << Kind::Map << 82 << "01000" << 7 << "76M 10M 72M 3M 65M 4M 5M" << true;
        QTest::newRow("every sea, oceans only")
            << Kind::Ocean << 82 << all << 9998 << QString() << false;
        QTest::newRow("Arctic and Southern")
            << Kind::Mixed << 24 << "00101" << 500 << QString() << false;
    }

    void variants()
    {
        QFETCH(Kind, kind);
        QFETCH(int, questions);
        QFETCH(QString, oceans);
        QFETCH(int, variant);
        QFETCH(QString, expected);
        QFETCH(bool, fewer);
        const Setting setting = settingOf(kind, questions, oceans);
        const std::optional<Round> round = Round::make(setting, variant);
        QVERIFY(round);
        QCOMPARE(round->fewerThanAsked(), fewer);
        if (!expected.isEmpty()) {
            QCOMPARE(asText(*round), expected);
        }
        QCOMPARE(asText(*Round::make(setting, variant)), asText(*round));
        QVERIFY(asText(*Round::make(setting, variant % kMaxVariant + 1)) != asText(*round));
        std::set<int> seas;
        for (int i = 0; i < round->count(); ++i) {
            const Question &question = round->question(i);
            QVERIFY(seas.insert(question.sea).second);
            QVERIFY(setting.oceans.at(static_cast<std::size_t>(Round::oceanOf(question.sea))));
            if (kind != Kind::Mixed) {
                QCOMPARE(question.asks, kind == Kind::Map ? Asks::Map : Asks::Ocean);
            }
        }
        QVERIFY(fewer ? round->count() < questions : round->count() == questions);
    }

    // A round answered right (R), wrong (W) or with no answer there is (x),
    // question by question.
    void answers_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("missed");
        QTest::newRow("all right") << "RRRRRRRRRR" << QString();
        QTest::newRow("some wrong") << "RWRRxWRRRWR"
                                    << "31M 79O 41M";
        QTest::newRow("all wrong, then more") << "WWWWWWWWWWWR"
                                              << "65O 31M 46M 77O 79O 18M 48O 50M 41M 75O";
    }

    void answers()
    {
        QFETCH(QString, answers);
        QFETCH(QString, missed);
        std::optional<Round> round = Round::make(Setting{}, 42);
        QVERIFY(round);
        int right = 0;
        for (const QChar step : answers) {
            const bool finished = round->finished();
            const int before = round->current();
            if (!finished) {
                QCOMPARE(progressText(*round), QStringLiteral("Въпрос %1 от 10").arg(before + 1));
                QVERIFY(!round->missedOnly());
            }
            const Question &open = round->question(std::min(before, round->count() - 1));
            const int given = Round::rightAnswer(open) + (step == u'R' ? 0 : 1);
            const int answer = step == u'x' ? (open.asks == Asks::Ocean ? 5 : 82) : given;
            QCOMPARE(round->answer(answer), step == u'R' && !finished);
            QCOMPARE(round->current(), before + (finished || step == u'x' ? 0 : 1));
            right += step == u'R' && !finished ? 1 : 0;
            QCOMPARE(round->rightSoFar(), right);
        }
        QVERIFY(round->finished());
        QCOMPARE(scoreText(*round), QStringLiteral("Верни: %1 от 10").arg(right));
        QCOMPARE(resultText(*round), QStringLiteral("%1 от 10 верни").arg(right));
        const std::vector<ReviewRow> review = round->review();
        QCOMPARE(review.size(), 10U);
        for (int i = 0; i < 10; ++i) {
            const ReviewRow &row = review.at(static_cast<std::size_t>(i));
            QCOMPARE(row.question, round->question(i));
            QCOMPARE(row.right, row.given == Round::rightAnswer(row.question));
        }
        const std::optional<Round> again = round->missedOnly();
        QCOMPARE(again.has_value(), !missed.isEmpty());
        if (again) {
            QCOMPARE(asText(*again), missed);
            QVERIFY(again->onlyMissed() && !again->finished() && again->variant() == 42);
            QCOMPARE(titleText(*again), QStringLiteral("Упражнение — вариант 42, само грешните"));
            QCOMPARE(again->review().front().given, -1);
        }
    }

    void badSettings_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("oceans");
        QTest::addColumn<int>("variant");
        QTest::addColumn<Fault>("fault");
        QTest::newRow("no questions") << 0 << "11111" << 1 << Fault::QuestionsOutOfRange;
        QTest::newRow("83 questions") << 83 << "11111" << 1 << Fault::QuestionsOutOfRange;
        QTest::newRow("variant 0") << 10 << "11111" << 0 << Fault::VariantOutOfRange;
        QTest::newRow("variant 10000") << 10 << "11111" << 10000 << Fault::VariantOutOfRange;
        QTest::newRow("no ocean") << 10 << "00000" << 1 << Fault::NoOcean;
    }

    void badSettings()
    {
        QFETCH(int, questions);
        QFETCH(QString, oceans);
        QFETCH(int, variant);
        QFETCH(Fault, fault);
        const Setting setting = settingOf(Kind::Mixed, questions, oceans);
        QCOMPARE(check(setting, variant), fault);
        QVERIFY(!Round::make(setting, variant));
    }

    void wording_data()
    {
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QString &said, const char *expected) {
            QTest::newRow(name) << said << QString::fromUtf8(expected);
        };
        const int gulfs[] = {10, 27, 65, 75};
        const char *subjects[] = {"Бенгалският залив", "Мексиканският залив", "Персийският залив",
                                  "Хъдсъновият залив"};
        const char *objects[] = {"Бенгалския залив", "Мексиканския залив", "Персийския залив",
                                 "Хъдсъновия залив"};
        for (std::size_t n = 0; n < std::size(gulfs); ++n) {
            row(subjects[n], seaAsSubject(gulfs[n]), subjects[n]);
            row(objects[n], seaAsObject(gulfs[n]), objects[n]);
        }
        row("trailing blanks",
            seaAsSubject(4) + u'|' + seaName(22) + u'|' + seaAsObject(70) + u'|' + seaName(35),
            "Арабско море|Карско море|Средиземно море|Море Д`Юрвил");
        const char *oceans[] = {"Атлантически океан", "Индийски океан", "Северен ледовит океан",
                                "Тихи океан", "Южен океан"};
        const char *articled[] = {"Атлантическия океан", "Индийския океан",
                                  "Северния ледовит океан", "Тихия океан", "Южния океан"};
        for (int n = 0; n < 5; ++n) {
            row(oceans[n], oceanName(n), oceans[n]);
            row(articled[n], oceanWithArticle(n), articled[n]);
        }
        row("ocean question", questionText({10, Asks::Ocean}),
            "Към кой океан принадлежи Бенгалският залив?");
        row("map question", questionText({55, Asks::Map}), "Покажи Море Сулу на картата.");
        row("ocean right", feedbackText({55, Asks::Ocean}, 3), "Вярно. Море Сулу е в Тихия океан.");
        row("ocean wrong", feedbackText({55, Asks::Ocean}, 1), "Не. Море Сулу е в Тихия океан.");
        row("map right", feedbackText({55, Asks::Map}, 55), "Вярно. Това е Море Сулу.");
        row("map wrong", feedbackText({55, Asks::Map}, 54),
            "Не. Това е Море Сулавеси (Тихи океан). Море Сулу е тук.");
        row("map wrong, gulfs", feedbackText({65, Asks::Map}, 10),
            "Не. Това е Бенгалският залив (Индийски океан). Персийският залив е тук.");
        row("review, ocean", givenText({{55, Asks::Ocean}, 1}) + u'|' + rightText({{55}}),
            "Индийски океан|Тихи океан");
        row("review, map", givenText({{4, Asks::Map}}) + u'|' + rightText({{4, Asks::Map}}),
            "—|Арабско море");
        row("one ocean, fewer", fewerSeasText(*Round::make(settingOf(Kind::Map, 8, "01000"), 5)),
            "Избраният океан има 7 морета: въпросите са 7.");
        row("two oceans, fewer", fewerSeasText(*Round::make(settingOf(Kind::Map, 20, "01100"), 5)),
            "Избраните океани имат 19 морета: въпросите са 19.");
        row("not fewer", fewerSeasText(*Round::make(settingOf(Kind::Map, 7, "01000"), 5)), "");
        row("title", titleText(*Round::make(Setting{}, 42)), "Упражнение — вариант 42");
    }

    void wording()
    {
        QFETCH(QString, said);
        QFETCH(QString, expected);
        QCOMPARE(said, expected);
    }

    void kindsAndFreshVariants()
    {
        QCOMPARE(kindNamed(u"ocean"), std::optional(Kind::Ocean));
        QCOMPARE(kindNamed(u" Map"), std::optional(Kind::Map));
        QCOMPARE(kindNamed(u"mixed"), std::optional(Kind::Mixed));
        QCOMPARE(kindNamed(u"океан"), std::nullopt);
        std::set<int> drawn;
        for (int n = 0; n < 20; ++n) {
            const int variant = freshVariant();
            QVERIFY(variant >= 1 && variant <= kMaxVariant);
            drawn.insert(variant);
        }
        QVERIFY(drawn.size() > 1);
    }
};

QTEST_GUILESS_MAIN(TestPractice)
#include "test_practice.moc"
