// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window on a high-density screen: run with QT_SCALE_FACTOR set (CTest
// runs it at 1.25, 1.5 and 2), every control stands at its place and size
// scaled by that factor in physical pixels, and its text still fits.
#include "window_driver.h"

#include "window/pelagor.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

using namespace pelagor::test;
using pelagor::Pelagor;

namespace {

// A control's place in the window, in physical pixels.
QRect physical(const QWidget *control, const QWidget *window)
{
    const qreal ratio = window->devicePixelRatio();
    const QPoint topLeft = control->mapTo(window, QPoint(0, 0));
    return {qRound(topLeft.x() * ratio), qRound(topLeft.y() * ratio),
            qRound(control->width() * ratio), qRound(control->height() * ratio)};
}

// The factor the test runs at.
qreal scaleFactor()
{
    bool ok = false;
    const qreal factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok ? factor : 1.0;
}

QSize scaled(int width, int height)
{
    return {qRound(width * scaleFactor()), qRound(height * scaleFactor())};
}

// The layout in twips, 15 to a pixel at 100 %, scaled.
QRect scaled(int left, int top, int width, int height)
{
    const QSize topLeft = scaled(left / 15, top / 15);
    return {QPoint(topLeft.width(), topLeft.height()), scaled(width / 15, height / 15)};
}

} // namespace

class TestWindowScaled : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        window_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window_));
        QVERIFY2(scaleFactor() > 1.0, "run with QT_SCALE_FACTOR above 1");
        QCOMPARE(window_.devicePixelRatio(), scaleFactor());
    }

    void everythingAtItsScaledSize()
    {
        QCOMPARE(window_.grab().size(), scaled(482, 421));
        QCOMPARE(physical(control<QLabel>(window_, "Label1(0)"), &window_),
                 scaled(1680, 0, 3855, 375));
        QCOMPARE(physical(control<QGroupBox>(window_, "Frame1"), &window_),
                 scaled(240, 600, 2895, 1935));
        for (int n = 0; n < 5; ++n) {
            QCOMPARE(physical(option(window_, n), &window_),
                     scaled(240 + 120, 600 + 300 + 300 * n, 2655, 300));
        }
        QCOMPARE(physical(control<QLabel>(window_, "Label1(1)"), &window_),
                 scaled(3960, 600, 2775, 375));
        QCOMPARE(physical(seaList(window_), &window_), scaled(3960, 960, 2775, 3195));
        QCOMPARE(physical(outputBox(window_), &window_), scaled(240, 4320, 6735, 1935));
        // Drawn at full density, not blown up from 100 %.
        QCOMPARE(option(window_, 0)->grab().size(), scaled(177, 20));
    }

    void noTextIsClipped()
    {
        for (const char *name : {"Label1(0)", "Label1(1)"}) {
            const QLabel *label = control<QLabel>(window_, name);
            QVERIFY2(label->fontMetrics().boundingRect(label->text()).width() <= label->width(),
                     name);
            QVERIFY(label->fontMetrics().height() <= label->height());
        }
        for (int n = 0; n < 5; ++n) {
            const QRadioButton *button = option(window_, n);
            QStyleOptionButton styleOption;
            styleOption.initFrom(button);
            styleOption.text = button->text();
            const QRect textRect = button->style()->subElementRect(QStyle::SE_RadioButtonContents,
                                                                   &styleOption, button);
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= textRect.width(),
                     qPrintable(button->text()));
            QVERIFY(button->fontMetrics().height() <= button->height());
        }
        const QGroupBox *frame = control<QGroupBox>(window_, "Frame1");
        QVERIFY(frame->fontMetrics().horizontalAdvance(frame->title()) <= frame->width());
        // Every sea name fits the list's viewport; the widest, "Вътрешно
        // Японско море", fills it exactly, as it does at 100 %.
        const QListWidget *list = seaList(window_);
        for (int row = 0; row < list->count(); ++row) {
            QVERIFY2(list->fontMetrics().horizontalAdvance(list->item(row)->text()) <=
                         list->viewport()->width(),
                     qPrintable(list->item(row)->text()));
        }
    }

private:
    Pelagor window_;
};

QTEST_MAIN(TestWindowScaled)
#include "test_window_scaled.moc"
