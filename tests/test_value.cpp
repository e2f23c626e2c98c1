// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "selection/value.h"

#include <QTest>

#include <cmath>

using pelagor::RunTimeError;
using pelagor::Value;

class TestValue : public QObject {
    Q_OBJECT

private slots:
    void val_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("leading blank") << QStringLiteral(" 3") << 3.0;
        QTest::newRow("trailing letters") << QStringLiteral("3abc") << 3.0;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("no number") << QStringLiteral("x") << 0.0;
        QTest::newRow("negative fraction") << QStringLiteral("-2.5") << -2.5;
        QTest::newRow("blanks and tab") << QStringLiteral(" \t 4 ") << 4.0;
        QTest::newRow("exponent") << QStringLiteral("1.5e2x") << 150.0;
        QTest::newRow("dangling exponent") << QStringLiteral("7e") << 7.0;
        QTest::newRow("point first") << QStringLiteral(".5") << 0.5;
        QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
        QTest::newRow("digit after letter") << QStringLiteral("a1") << 0.0;
        // Beyond the range of a double: the nearest double, never the other end.
        QTest::newRow("exponent too small") << QStringLiteral("1e-400") << 0.0;
        QTest::newRow("negative, exponent too small") << QStringLiteral("-2.5D-999") << 0.0;
        QTest::newRow("exponent too large") << QStringLiteral("1e400") << qInf();
        QTest::newRow("negative, exponent too large") << QStringLiteral("-1d400") << -qInf();
    }
    void val()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(pelagor::Val(text), expected);
    }

    void toInt16FromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        for (int digit = 0; digit <= 4; ++digit) {
            QTest::addRow("digit %d", digit) << QString::number(digit) << digit;
        }
        QTest::newRow("blanks around") << QStringLiteral("  3  ") << 3;
        QTest::newRow("half down to even") << QStringLiteral("2.5") << 2;
        QTest::newRow("half up to even") << QStringLiteral("3.5") << 4;
        QTest::newRow("negative half") << QStringLiteral("-0.5") << 0;
        QTest::newRow("lowest") << QStringLiteral("-32768") << -32768;
        QTest::newRow("highest") << QStringLiteral("32767") << 32767;
        QTest::newRow("rounds into range") << QStringLiteral("32767.4") << 32767;
        QTest::newRow("too small to be anything but 0") << QStringLiteral(" 7e-400 ") << 0;
    }
    void toInt16FromText()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(int{pelagor::toInt16(text)}, expected);
    }

    void toInt16Rejects_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("inMessage");
        QTest::newRow("no number") << QStringLiteral("x") << QStringLiteral("\"x\"");
        QTest::newRow("empty") << QString() << QStringLiteral("\"\"");
        QTest::newRow("trailing letters") << QStringLiteral("3abc") << QStringLiteral("\"3abc\"");
        QTest::newRow("too large") << QStringLiteral("40000") << QStringLiteral("40000");
        QTest::newRow("rounds out of range")
            << QStringLiteral("32767.5") << QStringLiteral("32767.5");
        QTest::newRow("too small") << QStringLiteral("-32769") << QStringLiteral("-32769");
    }
    void toInt16Rejects()
    {
        QFETCH(QString, text);
        QFETCH(QString, inMessage);
        try {
            (void)pelagor::toInt16(text);
            QFAIL("no run-time error");
        } catch (const RunTimeError &error) {
            QVERIFY2(error.message().contains(inMessage), qPrintable(error.message()));
        }
    }

    void toInt16FromValue()
    {
        QCOMPARE(int{pelagor::toInt16(Value{})}, 0);
        QCOMPARE(int{pelagor::toInt16(Value{std::int16_t{3}})}, 3);
        QCOMPARE(int{pelagor::toInt16(Value{2.5})}, 2);
        QVERIFY_THROWS_EXCEPTION(RunTimeError, (void)pelagor::toInt16(Value{1e10}));
        QVERIFY_THROWS_EXCEPTION(RunTimeError, (void)pelagor::toInt16(Value{std::nan("")}));
    }

    void numericEquality()
    {
        const Value three{std::int16_t{3}};
        QVERIFY(pelagor::numericEqual(three, Value{3.0}));
        QVERIFY(!pelagor::numericEqual(three, Value{3.5}));
        QVERIFY(pelagor::numericEqual(Value{}, Value{0.0}));
        QVERIFY(!pelagor::numericEqual(Value{}, three));
    }
};

QTEST_APPLESS_MAIN(TestValue)
#include "test_value.moc"
