// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/card_text.h"
#include "catalogue/catalogue.h"
#include "catalogue/facts.h"
#include "catalogue/facts_table.h"
#include "catalogue/lookup.h"
#include "catalogue/sea_points.h"
#include "map/land.h"

#include <QTest>

namespace catalogue = pelagor::catalogue;

namespace {

QString text(std::u16string_view view)
{
    return QStringView(view).toString();
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    // The rows whose exact characters are easy to lose on the way to the screen.
    void namesAreKeptExactly()
    {
        QCOMPARE(text(catalogue::kSeas[0].name), QStringLiteral("Адриатическо море"));
        QCOMPARE(text(catalogue::kSeas[81].name), QStringLiteral("Японско море"));
        QCOMPARE(text(catalogue::kSeas[4].name), QStringLiteral("Арабско море "));
        QCOMPARE(text(catalogue::kSeas[22].name), QStringLiteral("Карско море "));
        QCOMPARE(text(catalogue::kSeas[70].name), QStringLiteral("Средиземно море "));
        QCOMPARE(text(catalogue::kSeas[35].name), QStringLiteral("Море Д\u0060Юрвил"));
        int endingInBlank = 0;
        for (const auto &sea : catalogue::kSeas) {
            endingInBlank += sea.name.ends_with(u' ') ? 1 : 0;
        }
        QCOMPARE(endingInBlank, 3);
    }

    void captionsInButtonOrder()
    {
        const QStringList expected{"Атлантически", "Индийски", "Северен ледовит", "Тихи", "Южен"};
        QStringList captions;
        for (const auto caption : catalogue::kOceanCaptions) {
            captions << text(caption);
        }
        QCOMPARE(captions, expected);
    }

    // What the other parts ask: a name as a user types it, a sea's ocean and
    // an ocean's seas, the names as sentences write them.
    void answersWhatIsAsked()
    {
        QCOMPARE(catalogue::seaNamed(u" черно море  "), std::optional(77));
        QCOMPARE(catalogue::seaNamed(u"Море Д’Юрвил"), std::optional(35));
        QCOMPARE(catalogue::seaNamed(u"Арабско море"), std::optional(4));
        QCOMPARE(catalogue::seaNamed(u"Черно"), std::nullopt);
        QCOMPARE(catalogue::oceanNamed(u"Тихи"), std::optional(3));
        QCOMPARE(catalogue::oceanNamed(u"северен ледовит океан"), std::optional(2));
        QCOMPARE(catalogue::oceanNamed(u"Тихия"), std::nullopt);
        QCOMPARE(catalogue::oceanOfSea(77), 0);
        QCOMPARE(catalogue::seasOfOcean(1), (std::vector<int>{3, 4, 5, 10, 65, 72, 76}));
        QCOMPARE(catalogue::seasOfOceans({false, true, false, false, true}).size(), 19U);
        QCOMPARE(catalogue::seasOfOcean(5), std::vector<int>());
        QCOMPARE(catalogue::allSeas().size(), catalogue::kSeaCount);
        QCOMPARE(catalogue::seaName(4), QStringLiteral("Арабско море"));
        QCOMPARE(catalogue::oceanName(2), QStringLiteral("Северен ледовит океан"));
        QCOMPARE(catalogue::oceanCaptionsListed(),
                 QStringLiteral("Атлантически, Индийски, Северен ледовит, Тихи и Южен"));
    }

    // Every sea's point lies in water on the land the map draws, at 1:50m and
    // at 1:10m; the last rows show that a point on land is found there, also
    // where the land is cut along the 180th meridian or closed along the pole,
    // and that the 1:10m land holds the islets the 1:50m one leaves out.
    void seaPointsLieInWater_data()
    {
        QTest::addColumn<QPointF>("lonLat");
        QTest::addColumn<bool>("onLand");
        QTest::addColumn<bool>("onFineLand");
        for (std::size_t row = 0; row < catalogue::kSeaCount; ++row) {
            const catalogue::GeoPoint point = catalogue::kSeaPoints[row];
            QTest::newRow(text(catalogue::kSeas[row].name).toUtf8().constData())
                << QPointF(point.longitude, point.latitude) << false << false;
        }
        QTest::newRow("Черно море moved into Romania") << QPointF(25.0, 45.0) << true << true;
        QTest::newRow("Caspian Sea, a hole in the land") << QPointF(50.5, 42.0) << false << false;
        QTest::newRow("Chukotka east of 180") << QPointF(-179.9, 67.0) << true << true;
        QTest::newRow("Wrangel Island west of 180") << QPointF(179.9, 71.2) << true << true;
        QTest::newRow("near the South Pole") << QPointF(0.0, -89.5) << true << true;
        QTest::newRow("Herald Island, 1:10m only") << QPointF(-175.67, 71.38) << false << true;
        QTest::newRow("Lampedusa, 1:10m only") << QPointF(12.6, 35.51) << false << true;
        QTest::newRow("Stromboli, 1:10m only") << QPointF(15.21, 38.79) << false << true;
        QTest::newRow("Kish, 1:10m only") << QPointF(53.98, 26.53) << false << true;
    }

    void seaPointsLieInWater()
    {
        QFETCH(QPointF, lonLat);
        QFETCH(bool, onLand);
        QFETCH(bool, onFineLand);
        QCOMPARE(pelagor::isOnLand(lonLat), onLand);
        QCOMPARE(pelagor::isOnLand(lonLat, pelagor::LandDetail::Medium), onLand);
        QCOMPARE(pelagor::isOnLand(lonLat, pelagor::LandDetail::Fine), onFineLand);
        QCOMPARE(pelagor::isOnLand(lonLat, pelagor::landRings(pelagor::LandDetail::Fine)),
                 onFineLand);
    }

    // Figures as Bulgarian writes them, a range where the sources differ by
    // more than 15 %, and "няма данни" where none gives one; table cells
    // quoted only where a spreadsheet needs it.
    void materialInWords()
    {
        QCOMPARE(catalogue::bulgarianNumber(2212), QStringLiteral("2212"));
        QCOMPARE(catalogue::bulgarianNumber(436400), QStringLiteral("436\u00A0400"));
        QCOMPARE(catalogue::bulgarianNumber(3862000), QStringLiteral("3\u00A0862\u00A0000"));
        QVERIFY(!(catalogue::Measured{100, 100, 115}.differs()));
        QVERIFY((catalogue::Measured{100, 100, 116}.differs()));
        const catalogue::Material &bismarck = catalogue::seaMaterial(62);
        QVERIFY(catalogue::measureText(bismarck, catalogue::Measure::Area).startsWith(u"от "));
        QVERIFY(catalogue::rangeSentence(bismarck, catalogue::Measure::Area)
                    .contains(QStringLiteral("докъде теглят границите му")));
        const catalogue::Material &black = catalogue::seaMaterial(77);
        QVERIFY(catalogue::countryNames(black).contains(QStringLiteral("България")));
        QVERIFY(catalogue::neighbourNames(black).contains(QStringLiteral("Азовско море")));
        const catalogue::Material &arabian = catalogue::seaMaterial(4);
        QVERIFY(catalogue::neighbourNames(catalogue::seaMaterial(76))
                    .contains(QStringLiteral("Арабско море")));
        QVERIFY(!catalogue::sourceNames(arabian).isEmpty());
        for (int ocean = 0; ocean < 5; ++ocean) {
            QVERIFY(catalogue::measured(catalogue::oceanMaterial(ocean), catalogue::Measure::Area));
        }
        QCOMPARE(catalogue::csvCell(QStringLiteral("Арабско море")),
                 QStringLiteral("Арабско море"));
        QCOMPARE(catalogue::csvCell(QStringLiteral("A; B")), QStringLiteral("\"A; B\""));
        QCOMPARE(catalogue::csvCell(QStringLiteral("„A“ \"B\"")),
                 QStringLiteral("\"„A“ \"\"B\"\"\""));
        const QStringList arabianRow = catalogue::seaTableRow(4);
        QCOMPARE(arabianRow.size(), catalogue::seaTableHeader().size());
        QCOMPARE(arabianRow.constFirst(), QStringLiteral("Арабско море"));
    }
    // The card of each sea and ocean: its figures as the material gives them,
    // every neighbour picking the sea or ocean it names, an ocean's table in
    // the list's order with its keys, no line left empty.
    void cardsInWords()
    {
        const catalogue::SeaCard black = catalogue::seaCard(77);
        QCOMPARE(catalogue::cardLines(black).mid(0, 2),
                 (QStringList{"Черно море", "Атлантически океан"}));
        QCOMPARE(catalogue::figureLine(black.figures.at(1)),
                 QStringLiteral("Най-голяма дълбочина: ") +
                     catalogue::measureText(catalogue::seaMaterial(77),
                                            catalogue::Measure::GreatestDepth));
        QCOMPARE(black.neighbours.size(), 2U);
        QCOMPARE(black.neighbours.at(0).sea, 1);
        QCOMPARE(black.neighbours.at(1).sea, 61);
        QVERIFY(black.sources.startsWith(QStringLiteral("Източници: Большой")));
        int oceanLinks = 0;
        for (int row = 0; row < static_cast<int>(catalogue::kSeaCount); ++row) {
            const catalogue::SeaCard card = catalogue::seaCard(row);
            for (const catalogue::CardLink &link : card.neighbours) {
                QCOMPARE(link.name, link.sea >= 0 ? catalogue::seaName(link.sea)
                                                  : catalogue::oceanName(link.ocean));
                QVERIFY((link.sea >= 0) != (link.ocean >= 0));
                oceanLinks += link.ocean >= 0 ? 1 : 0;
            }
            for (const catalogue::CardFigure &figure : card.figures) {
                QCOMPARE(figure.known, figure.value != QStringLiteral("няма данни"));
            }
            QVERIFY(!catalogue::cardLines(card).contains(QString()));
        }
        QVERIFY(oceanLinks > 0);

        const catalogue::OceanCard pacific = catalogue::oceanCard(3);
        QCOMPARE(pacific.seasHeading, QStringLiteral("Моретата на океана – 29"));
        QCOMPARE(pacific.seas.size(), 29U);
        QVERIFY(std::ranges::is_sorted(pacific.seas, {}, &catalogue::CardTableRow::row));
        const auto sibuyan = std::ranges::find(pacific.seas, 51, &catalogue::CardTableRow::row);
        QCOMPARE(sibuyan->areaKey, -1);
        QVERIFY(sibuyan->depthKey > 0);
        QVERIFY(catalogue::cardLines(pacific).contains(
            QStringLiteral("Море Сибуян – площ: няма данни, най-голяма дълбочина: ") +
            sibuyan->depth + QStringLiteral(" м")));
        for (int ocean = 0; ocean < 5; ++ocean) {
            QVERIFY(!catalogue::cardLines(catalogue::oceanCard(ocean)).contains(QString()));
        }
    }
};

QTEST_APPLESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
