// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/random.h"
#include "practice/result.h"
#include "practice/round.h"
#include "practice/wording.h"

#include <QTest>

#include <set>

using namespace pelagor::practice;

namespace {

// The round of a setting and variant that makes one.
Round roundOf(const Setting &setting, int variant)
{
    const std::optional<Round> round = Round::make(setting, variant);
    if (!round) {
        qFatal("no round of variant %d", variant);
    }
    return *round;
}

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

// A setting with the oceans as five 0s and 1s.
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
        std::set<std::uint32_t> seen;
        for (int n = 0; n < 2000; ++n) {
            seen.insert(zero.below(5));
        }
        QCOMPARE(seen, (std::set<std::uint32_t>{0, 1, 2, 3, 4}));
    }

    // Rounds pinned question by question (sea rows, O or M), and settings
    // refused; each round the same when made again, and not the next variant's.
    void variants_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("oceans");
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<Fault>("fault");
        const QString all = QStringLiteral("11111");
        const auto row = [&](const char *name, Kind kind, int questions, const QString &oceans,
                             int variant, const char *expected, Fault fault = Fault::None) {
            QTest::newRow(name) << kind << questions << oceans << variant << expected << fault;
        };
        row("variant 1", Kind::Mixed, 10, all, 1, "55O 77O 21O 13O 58M 45O 51M 62M 10M 17M");
        row("variant 42", Kind::Mixed, 10, all, 42, "65O 31M 46M 77O 79O 18M 48O 50M 41M 75O");
        row("variant 9999", Kind::Mixed, 10, all, 9999, "80O 56M 21O 71O 22M 54O 16O 9M 45O 0M");
        // One ocean: the ocean of its seas is no question, and nothing is drawn for it.
        row("Indian, fewer than asked", Kind::Mixed, 10, "01000", 7, "76M 10M 72M 3M 65M 4M 5M");
        row("Indian, map only", Kind::Map, 82, "01000", 7, "76M 10M 72M 3M 65M 4M 5M");
        row("every sea, oceans only", Kind::Ocean, 82, all, 9998, "");
        row("no questions", Kind::Mixed, 0, all, 1, "", Fault::QuestionsOutOfRange);
        row("83 questions", Kind::Mixed, 83, all, 1, "", Fault::QuestionsOutOfRange);
        row("variant 0", Kind::Mixed, 10, all, 0, "", Fault::VariantOutOfRange);
        row("variant 10000", Kind::Mixed, 10, all, 10000, "", Fault::VariantOutOfRange);
        row("no ocean", Kind::Mixed, 10, "00000", 1, "", Fault::NoOcean);
        row("ocean questions of one ocean", Kind::Ocean, 10, "00010", 1, "", Fault::OneOceanAsked);
    }

    void variants()
    {
        QFETCH(Kind, kind);
        QFETCH(int, questions);
        QFETCH(QString, oceans);
        QFETCH(int, variant);
        QFETCH(QString, expected);
        QFETCH(Fault, fault);
        const Setting setting = settingOf(kind, questions, oceans);
        const std::optional<Round> round = Round::make(setting, variant);
        QCOMPARE(check(setting, variant), fault);
        QCOMPARE(round.has_value(), fault == Fault::None);
        if (!round) {
            return;
        }
        QCOMPARE(asText(*round).left(expected.size()), expected);
        QCOMPARE(asText(roundOf(setting, variant)), asText(*round));
        QVERIFY(asText(roundOf(setting, variant % kMaxVariant + 1)) != asText(*round));
        std::set<int> seas;
        for (int i = 0; i < round->count(); ++i) {
            const Question &question = round->question(i);
            QVERIFY(seas.insert(question.sea).second);
            QVERIFY(setting.oceans.at(
                static_cast<std::size_t>(pelagor::catalogue::oceanOfSea(question.sea))));
            QVERIFY(kind == Kind::Mixed || (question.asks == Asks::Map) == (kind == Kind::Map));
        }
        QCOMPARE(round->fewerThanAsked(), oceans == u"01000");
        QCOMPARE(round->count(), round->fewerThanAsked() ? 7 : questions);
    }

    // Variant 42 answered right (R), wrong (W) or with no answer there is (x).
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
        Round round = roundOf(Setting{}, 42);
        int right = 0;
        for (const QChar step : answers) {
            const bool finished = round.finished();
            const int before = round.current();
            QVERIFY(finished ||
                    progressText(round) == QStringLiteral("Въпрос %1 от 10").arg(before + 1));
            QVERIFY(!round.missedOnly() || finished);
            const Question &open = round.question(std::min(before, round.count() - 1));
            const int given = Round::rightAnswer(open) + (step == u'R' ? 0 : 1);
            // No ocean 5 and no sea row 82: answers there are none of.
            const int none = open.asks == Asks::Ocean ? 5 : 82;
            const int answer = step == u'x' ? none : given;
            QCOMPARE(round.answer(answer), step == u'R' && !finished);
            QCOMPARE(round.current(), before + (finished || step == u'x' ? 0 : 1));
            right += step == u'R' && !finished ? 1 : 0;
            QCOMPARE(round.rightSoFar(), right);
        }
        QCOMPARE(scoreText(round), QStringLiteral("Верни: %1 от 10").arg(right));
        QCOMPARE(resultText(round), QStringLiteral("%1 от 10 верни").arg(right));
        const std::optional<Round> again = round.missedOnly();
        QCOMPARE(again.has_value(), !missed.isEmpty());
        if (again.has_value()) {
            const Round &missedRound = again.value();
            QCOMPARE(asText(missedRound), missed);
            QVERIFY(missedRound.onlyMissed() && !missedRound.finished() &&
                    missedRound.variant() == 42);
            QCOMPARE(titleText(missedRound),
                     QStringLiteral("Упражнение — вариант 42, само грешните"));
            QCOMPARE(missedRound.review().front().given, -1);
        }
    }

    void wording_data()
    {
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QString &said, const char *expected) {
            QTest::newRow(name) << said << QString::fromUtf8(expected);
        };
        const std::pair<int, const char *> gulfs[] = {
            {10, "Бенгалският залив|Бенгалския залив"},
            {27, "Мексиканският залив|Мексиканския залив"},
            {65, "Персийският залив|Персийския залив"},
            {75, "Хъдсъновият залив|Хъдсъновия залив"}};
        for (const auto &[sea, forms] : gulfs) {
            row(forms, seaAsSubject(sea) + u'|' + seaAsObject(sea), forms);
        }
        row("trailing blanks",
            seaAsSubject(4) + u'|' + seaName(22) + u'|' + seaAsObject(70) + u'|' + seaName(35),
            "Арабско море|Карско море|Средиземно море|Море Д`Юрвил");
        const char *oceans[] = {"Атлантически океан|Атлантическия океан",
                                "Индийски океан|Индийския океан",
                                "Северен ледовит океан|Северния ледовит океан",
                                "Тихи океан|Тихия океан", "Южен океан|Южния океан"};
        for (int n = 0; n < 5; ++n) {
            row(oceans[n], oceanName(n) + u'|' + oceanWithArticle(n), oceans[n]);
        }
        row("ocean question", questionText({10, Asks::Ocean}),
            "Към кой океан принадлежи Бенгалският залив?");
        row("ocean question, generic word small", questionText({31, Asks::Ocean}),
            "Към кой океан принадлежи море Банда?");
        row("map question", questionText({55, Asks::Map}), "Покажи море Сулу на картата.");
        row("ocean right", feedbackText({55, Asks::Ocean}, 3), "Вярно. Море Сулу е в Тихия океан.");
        row("ocean wrong", feedbackText({55, Asks::Ocean}, 1), "Не. Море Сулу е в Тихия океан.");
        row("White Sea, either ocean",
            feedbackText({12, Asks::Ocean}, 0) + u'|' + feedbackText({12, Asks::Ocean}, 2) + u'|' +
                feedbackText({12, Asks::Ocean}, 3) + u'|' + rightText({{12}, 0}),
            "Вярно. Бяло море е в Атлантическия или Северния ледовит океан.|Вярно. Бяло море е в "
            "Атлантическия или Северния ледовит океан.|Не. Бяло море е в Атлантическия или "
            "Северния ледовит океан.|Атлантически или Северен ледовит океан");
        row("map right", feedbackText({55, Asks::Map}, 55), "Вярно. Това е море Сулу.");
        row("map wrong", feedbackText({55, Asks::Map}, 54),
            "Не. Това е море Сулавеси (Тихи океан). Море Сулу е тук.");
        row("map wrong, gulfs", feedbackText({65, Asks::Map}, 10),
            "Не. Това е Бенгалският залив (Индийски океан). Персийският залив е тук.");
        row("review, ocean", givenText({{55, Asks::Ocean}, 1}) + u'|' + rightText({{55}}),
            "Индийски океан|Тихи океан");
        row("review, map", givenText({{4, Asks::Map}}) + u'|' + rightText({{4, Asks::Map}}),
            "без отговор|Арабско море");
        const ReviewRow missed{{55, Asks::Map}, 54, false};
        row("review lines, wrong",
            reviewQuestion(2, missed) + u'|' + reviewAnswer(missed) + u'|' +
                reviewAnswerSpoken(missed),
            "3. Покажи море Сулу на картата.|✗ Море Сулавеси — вярно: море Сулу|Грешно: море "
            "Сулавеси. Вярно: море Сулу.");
        row("review line, right", reviewAnswer({{65, Asks::Map}, 65, true}), "✓ Персийски залив");
        row("settings, one ocean",
            settingNote(settingOf(Kind::Ocean, 5, "00010")) + u'|' +
                settingNote(settingOf(Kind::Mixed, 5, "00010")) + u'|' +
                settingNote(settingOf(Kind::Ocean, 5, "01010")),
            "Избери поне два океана: с един океан отговорът на всеки въпрос е един и същ.|С "
            "един океан въпросите са само на картата.|");
        row("setting",
            settingText(settingOf(Kind::Map, 7, "11010")) + u'|' +
                settingText(settingOf(Kind::Mixed, 10, "11111")),
            "Въпроси: покажи морето на картата; океани: Атлантически, Индийски и Тихи океан; "
            "брой въпроси: 7|Въпроси: смесени; океани: всички; брой въпроси: 10");
        row("one ocean, fewer", fewerSeasText(roundOf(settingOf(Kind::Map, 8, "01000"), 5)),
            "Избраният океан има 7 морета: въпросите са 7.");
        row("two oceans, fewer", fewerSeasText(roundOf(settingOf(Kind::Map, 20, "01100"), 5)),
            "Избраните океани имат 19 морета: въпросите са 19.");
        row("title", titleText(roundOf(Setting{}, 42)), "Упражнение — вариант 42");
    }

    void wording()
    {
        QFETCH(QString, said);
        QFETCH(QString, expected);
        QCOMPARE(said, expected);
    }

    // The pupil's name as typed or given, and the result's file named after it.
    void resultNames_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");
        const auto row = [](const char *name, const QString &given, int number, const char *cleaned,
                            const char *file) {
            QTest::newRow(name) << given << number << QString::fromUtf8(cleaned)
                                << QString::fromUtf8(file);
        };
        const char *ivan = "Иван Петров 7-а — вариант 42 — 2026-12-09 10.15.pdf";
        row("as typed", QStringLiteral("Иван Петров 7-а"), 1, "Иван Петров 7-а", ivan);
        row("blanks and control characters", QStringLiteral(" Иван\tПетров\r\n 7-а\x01\u200b "), 1,
            "Иван Петров 7-а", ivan);
        row("forbidden in a file name, taken", QStringLiteral(".. 7/а: \"Б\" <a>|*?\\"), 3,
            ".. 7/а: \"Б\" <a>|*?\\", "7-а- -Б- -a----- — вариант 42 — 2026-12-09 10.15 (3).pdf");
        row("nothing left", QStringLiteral("\x02\x7f "), 1, "",
            "без име — вариант 42 — 2026-12-09 10.15.pdf");
        const QString longest(kMaxPupilName, u'я');
        row("10 000 characters", QString(10000, u'я'), 1, qPrintable(longest),
            qPrintable(longest + QStringLiteral(" — вариант 42 — 2026-12-09 10.15.pdf")));
        // A character of two halves at the cut goes whole.
        const QString cut(kMaxPupilName - 1, u'x');
        row("no half a character", cut + QStringLiteral("😀"), 1, qPrintable(cut),
            qPrintable(cut + QStringLiteral(" — вариант 42 — 2026-12-09 10.15.pdf")));
    }

    void resultNames()
    {
        QFETCH(QString, given);
        QFETCH(int, number);
        QFETCH(QString, name);
        QFETCH(QString, file);
        const QString cleaned = cleanPupilName(given);
        QCOMPARE(cleaned, name);
        QVERIFY(cleaned.size() <= kMaxPupilName);
        QCOMPARE(
            resultFileName(cleaned, 42, QDateTime(QDate(2026, 12, 9), QTime(10, 15, 42)), number),
            file);
    }

    void resultSheetOfRound()
    {
        Round round = roundOf(settingOf(Kind::Mixed, 2, "10010"), 42);
        round.answer(Round::rightAnswer(round.question(0)));
        round.answer(Round::rightAnswer(round.question(1)) == 0 ? 1 : 0);
        const ResultSheet sheet = resultSheet(round, QStringLiteral("Иван Петров 7-а"),
                                              QDateTime(QDate(2026, 12, 9), QTime(10, 15)));
        QCOMPARE(sheet.about,
                 (QStringList{QStringLiteral("Ученик: Иван Петров 7-а"),
                              QStringLiteral("Дата и час: 09.12.2026, 10:15"),
                              QStringLiteral("Вариант 42"), settingText(round.setting())}));
        QCOMPARE(sheet.score, QStringLiteral("1 от 2 верни"));
        QCOMPARE(sheet.rows.size(), std::size_t(2));
        QCOMPARE(sheet.rows[1].question, reviewQuestion(1, round.review()[1]));
        QVERIFY(sheet.rows[0].right && sheet.rows[0].answer.startsWith(u'✓'));
        QVERIFY(!sheet.rows[1].right && sheet.rows[1].answer.startsWith(u'✗'));
    }

    void kindsAndFreshVariants()
    {
        QCOMPARE(kindNamed(u"ocean"), std::optional(Kind::Ocean));
        QCOMPARE(kindNamed(u" Map"), std::optional(Kind::Map));
        QCOMPARE(kindNamed(u"океан"), std::nullopt);
        const int fresh = freshVariant();
        QVERIFY(fresh >= 1 && fresh <= kMaxVariant);
    }
};

QTEST_GUILESS_MAIN(TestPractice)
#include "test_practice.moc"
