// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue/catalogue.h"

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
};

QTEST_APPLESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
