// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "expected_texts.h"
#include "fake_view.h"

#include "selection/selection.h"

#include <QTest>

using pelagor::RunTimeError;
using pelagor::Selection;
using pelagor::test::FakeView;

Q_DECLARE_METATYPE(FakeView::Raising)

class TestSelection : public QObject {
    Q_OBJECT

private slots:
    void oceanListing_data()
    {
        QTest::addColumn<int>("ocean");
        QTest::addColumn<int>("lineCount");
        const int seas[] = {22, 7, 12, 29, 12};
        for (int ocean = 0; ocean < 5; ++ocean) {
            QTest::addRow("ocean %d", ocean) << ocean << 2 + seas[ocean];
        }
    }
    void oceanListing()
    {
        QFETCH(int, ocean);
        QFETCH(int, lineCount);
        FakeView view;
        Selection logic(view);
        logic.Option1_Click(static_cast<std::int16_t>(ocean));

        QCOMPARE(view.text, pelagor::test::oceanListing(ocean));
        QCOMPARE(view.text.count(QStringLiteral("\r\n")), lineCount);
        QCOMPARE(view.text.count(u'\n'), lineCount);
        QCOMPARE(logic.ClickState(), Selection::Idle);
        QVERIFY(std::holds_alternative<std::int16_t>(logic.CurOcean()));
        // The option was clicked by the user; the logic does not select it again.
        QCOMPARE(view.selectedOption, -1);

        // A second click on the same ocean rebuilds the text, it does not append.
        logic.Option1_Click(static_cast<std::int16_t>(ocean));
        QCOMPARE(view.text, pelagor::test::oceanListing(ocean));
    }

    void seaLookup_data()
    {
        QTest::addColumn<FakeView::Raising>("raising");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("ocean");
        for (const auto raising : {FakeView::Raising::No, FakeView::Raising::Yes}) {
            for (const auto &sea : pelagor::test::kSeaCases) {
                QTest::addRow("row %d, %s", sea.row,
                              raising == FakeView::Raising::Yes ? "raising" : "quiet")
                    << raising << sea.row << QString::fromUtf8(sea.name) << sea.ocean;
            }
        }
    }
    // Whether or not selecting the option runs the ocean click, a sea click
    // leaves the two lookup lines and the sea's ocean selected.
    void seaLookup()
    {
        QFETCH(FakeView::Raising, raising);
        QFETCH(int, row);
        QFETCH(QString, name);
        QFETCH(int, ocean);
        FakeView view(raising);
        Selection logic(view);
        view.attach(logic);

        view.listIndex = static_cast<std::int16_t>(row);
        logic.List1_Click(0);

        QCOMPARE(view.text, pelagor::test::seaLookup(name, ocean));
        QCOMPARE(view.selectedOption, ocean);
        QCOMPARE(logic.ClickState(), Selection::Idle);
        QVERIFY(std::holds_alternative<double>(logic.CurOcean()));
        QCOMPARE(std::get<double>(logic.CurOcean()), double(ocean));
        QCOMPARE(std::get<std::int16_t>(logic.CurSea()), std::int16_t(row));
    }

    // A session of several clicks gives the same texts and selections with
    // both kinds of view.
    void bothViewsAgreeOverASession()
    {
        FakeView quiet(FakeView::Raising::No);
        FakeView raising(FakeView::Raising::Yes);
        Selection quietLogic(quiet);
        Selection raisingLogic(raising);
        quiet.attach(quietLogic);
        raising.attach(raisingLogic);

        const int rows[] = {77, 81, 81, 4, 29, 35, 0, 70, 22};
        for (const int row : rows) {
            quiet.listIndex = raising.listIndex = static_cast<std::int16_t>(row);
            quietLogic.List1_Click(0);
            raisingLogic.List1_Click(0);
            QCOMPARE(raising.text, quiet.text);
            QCOMPARE(raising.selectedOption, quiet.selectedOption);
            // An ocean click right after the sea click lists that ocean again.
            const auto ocean = static_cast<std::int16_t>(quiet.selectedOption);
            quietLogic.Option1_Click(ocean);
            raisingLogic.Option1_Click(ocean);
            QCOMPARE(raising.text, pelagor::test::oceanListing(ocean));
            QCOMPARE(quiet.text, raising.text);
            QCOMPARE(quiet.listIndex, std::int16_t(row));
        }
    }

    void guardIgnoresTheOtherClick()
    {
        FakeView view;
        Selection logic(view);
        view.listIndex = 77;
        logic.List1_Click(0);
        const QString lookup = view.text;

        // The inner ocean click of a sea click: nothing changes.
        struct Inner : FakeView {
            using FakeView::FakeView;
            bool SetValue(std::int16_t option) override
            {
                FakeView::SetValue(option);
                textSeenInside = text;
                logic->Option1_Click(3);
                stateInside = logic->ClickState();
                oceanInside = pelagor::toInt16(logic->CurOcean());
                return true;
            }
            Selection *logic = nullptr;
            QString textSeenInside;
            int stateInside = -1;
            int oceanInside = -1;
        } inner;
        Selection innerLogic(inner);
        inner.logic = &innerLogic;
        inner.listIndex = 77;
        innerLogic.List1_Click(0);
        // The option is selected before the output is written.
        QCOMPARE(inner.textSeenInside, QStringLiteral("начален текст\r\n"));
        QCOMPARE(inner.stateInside, int{Selection::SeaClick});
        QCOMPARE(inner.oceanInside, 0);
        QCOMPARE(inner.text, lookup);
        QCOMPARE(inner.selectedOption, 0);
    }

    void seaClickWithoutSelectionChangesNothing()
    {
        FakeView view;
        Selection logic(view);
        logic.Option1_Click(2);
        const QString before = view.text;
        view.listIndex = -1;
        logic.List1_Click(0);
        QCOMPARE(view.text, before);
        QCOMPARE(view.selectedOption, -1);
        QVERIFY(std::holds_alternative<std::monostate>(logic.CurSea()));
        QCOMPARE(std::get<std::int16_t>(logic.CurOcean()), std::int16_t(2));
    }

    void badOceanNumberIsARunTimeError_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("inMessage");
        QTest::addColumn<QString>("textAfter");
        QTest::addColumn<int>("optionAfter");
        const QString initial = QStringLiteral("начален текст\r\n");
        // "7" names no option: the error comes before anything is written.
        QTest::newRow("no such ocean")
            << QStringLiteral("7") << QStringLiteral("Option1(7)") << initial << -1;
        // "x" reads as 0 and selects the first ocean, then fails to convert.
        QTest::newRow("not a number") << QStringLiteral("x") << QStringLiteral("\"x\"")
                                      << QStringLiteral("Посочено е: Черно море\r\n") << 0;
        QTest::newRow("out of range")
            << QStringLiteral("40000") << QStringLiteral("40000") << initial << -1;
    }
    void badOceanNumberIsARunTimeError()
    {
        QFETCH(QString, number);
        QFETCH(QString, inMessage);
        QFETCH(QString, textAfter);
        QFETCH(int, optionAfter);
        FakeView view;
        Selection logic(view);
        view.numbers[77] = number;
        view.listIndex = 77;
        try {
            logic.List1_Click(0);
            QFAIL("no run-time error");
        } catch (const RunTimeError &error) {
            QVERIFY2(error.message().contains(inMessage), qPrintable(error.message()));
        }
        // The interrupted click leaves its guard up: the program ends here.
        QCOMPARE(logic.ClickState(), Selection::SeaClick);
        QCOMPARE(view.text, textAfter);
        QCOMPARE(view.selectedOption, optionAfter);

        // Listing an ocean reads the bad row with Val and does not fail.
        Selection fresh(view);
        fresh.Option1_Click(0);
        QCOMPARE(fresh.ClickState(), Selection::Idle);
    }

    void missingRowOrCaptionIsARunTimeError()
    {
        FakeView shortNumbers;
        shortNumbers.numbers.removeLast();
        Selection logic(shortNumbers);
        QVERIFY_THROWS_EXCEPTION(RunTimeError, logic.Option1_Click(3));
        QCOMPARE(logic.ClickState(), Selection::OceanClick);

        FakeView view;
        Selection other(view);
        QVERIFY_THROWS_EXCEPTION(RunTimeError, other.Option1_Click(5));
    }
};

QTEST_APPLESS_MAIN(TestSelection)
#include "test_selection.moc"
