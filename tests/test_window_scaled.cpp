// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window on a high-density screen: run with QT_SCALE_FACTOR set (CTest
// runs it at 1.25, 1.5 and 2), every control is drawn at its place and size
// scaled by that factor in the screen's pixels, and its text still fits.
#include "window_driver.h"

#include "window/pelagor.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <functional>

using namespace pelagor::test;
using pelagor::Pelagor;

namespace {

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

// A place of the layout, in twips (15 to a pixel at 100 %), in the device
// pixels of the screen: each edge scaled and rounded.
QRect devicePixels(int left, int top, int width, int height)
{
    const auto at = [](int twips) { return qRound(twips / 15 * scaleFactor()); };
    return {QPoint(at(left), at(top)), QPoint(at(left + width) - 1, at(top + height) - 1)};
}

// Where the picture shows pixels of the kind near a place, in device pixels.
QRect drawn(const QImage &picture, const QRect &near, const std::function<bool(QColor)> &ofKind)
{
    QRect found;
    const QRect area = near.adjusted(-3, -3, 3, 3).intersected(picture.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (ofKind(picture.pixelColor(x, y))) {
                found |= QRect(x, y, 1, 1);
            }
        }
    }
    return found;
}

const QColor kLabel(255, 192, 128);
const QColor kOption(128, 255, 128);

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

    // Every control is drawn where the layout puts it, in the screen's
    // pixels: found in the picture by its colour.
    void everythingAtItsScaledSize()
    {
        QCOMPARE(window_.grab().size(), scaled(482, 421));
        const QImage picture = window_.grab().toImage();
        const auto is = [](const QColor &colour) {
            return [colour](const QColor &pixel) { return pixel == colour; };
        };
        const QRect title = devicePixels(1680, 0, 3855, 375);
        QCOMPARE(drawn(picture, title, is(kLabel)), title);
        // The sea list's frame covers the lowest row of its title, at some factors.
        const QRect seaTitle = devicePixels(3960, 600, 2775, 375);
        const QRect seaTitleFound = drawn(picture, seaTitle, is(kLabel));
        QCOMPARE(QList<int>({seaTitleFound.left(), seaTitleFound.top(), seaTitleFound.right()}),
                 QList<int>({seaTitle.left(), seaTitle.top(), seaTitle.right()}));
        // The options fill the frame's inside, one below the other, without a gap.
        const QRect options = devicePixels(240 + 120, 600 + 300, 2655, 5 * 300);
        QCOMPARE(drawn(picture, options, is(kOption)), options);
        for (int y = options.top(); y <= options.bottom(); ++y) {
            QVERIFY2(picture.pixelColor(options.right() - 1, y) == kOption,
                     qPrintable(QString::number(y)));
        }
        // The sea list and the output box, by their fields inside the
        // style's frame: the left, top and bottom edges (a scroll bar stands
        // at the right).
        const QColor field = QApplication::palette().color(QPalette::Base);
        const std::pair<const QAbstractScrollArea *, QRect> boxes[] = {
            {seaList(window_), {3960, 960, 2775, 3195}},
            {outputBox(window_), {240, 4320, 6735, 1935}}};
        for (const auto &[box, twips] : boxes) {
            const int frame = box->frameWidth() * 15;
            const QRect inside =
                devicePixels(twips.x() + frame, twips.y() + frame, twips.width() - 2 * frame,
                             twips.height() - 2 * frame);
            const QRect found = drawn(picture, inside, is(field));
            QCOMPARE(QList<int>({found.left(), found.top(), found.bottom()}),
                     QList<int>({inside.left(), inside.top(), inside.bottom()}));
        }
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
