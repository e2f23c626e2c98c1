// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every text of the window stays readable whatever colour scheme the desktop
// has: the window is drawn, and each caption's ink is measured against its
// own background by the WCAG contrast formula.
//
// Run as it is, the program draws the window on Qt's offscreen platform under
// a light, a dark and a high-contrast palette set on the application before
// the window is made. Run on an X display with PELAGOR_SCHEME set, it takes
// its colours the way a desktop hands them to Qt programs, through a platform
// theme: "qt6ct" as on KDE-style desktops, the qt6ct theme with its "darker"
// scheme configured in a scratch XDG_CONFIG_HOME; "gtk" as on GNOME, Qt's GTK
// theme with Adwaita's dark variant.
#include "window_driver.h"

#include "window/pelagor.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

using namespace pelagor::test;
using pelagor::Pelagor;

namespace {

// WCAG 2 asks this much for text of ordinary size, and 3:1 for the parts of
// a control that show its state.
constexpr double kTextContrast = 4.5;
constexpr double kMarkContrast = 3.0;

QString desktopScheme()
{
    return qEnvironmentVariable("PELAGOR_SCHEME");
}

double relativeLuminance(const QColor &colour)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
           0.0722 * channel(colour.blue());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QString rgb(const QColor &colour)
{
    return QStringLiteral("(%1, %2, %3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

// The text in an area of the picture: its background, the colour the
// program fills the control with (or, not given, the commonest colour), and
// its ink: of the pixels that differ from the background, the letters'
// strokes and their blended edges, the one that a fifth of them outdo or
// equal in contrast. A frame or focus line beside faint text is too few
// pixels to count.
struct Ink {
    QColor background;
    QColor ink;
    QHash<QRgb, int> counts; // of every colour in the area
    qsizetype inkPixels = 0; // pixels that differ from the background at all
    [[nodiscard]] double ratio() const { return contrast(ink, background); }
};

Ink measure(const QImage &picture, const QRect &area, const QColor &background = {})
{
    Ink result;
    const QRect inside = area.intersected(picture.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            ++result.counts[picture.pixel(x, y) | 0xff000000U];
        }
    }
    result.background = background.isValid()
                            ? background
                            : QColor(std::ranges::max_element(std::as_const(result.counts)).key());
    QList<QColor> text;
    for (auto it = result.counts.cbegin(); it != result.counts.cend(); ++it) {
        if (it.key() != result.background.rgb()) {
            text.insert(text.size(), it.value(), QColor(it.key()));
        }
    }
    result.inkPixels = text.size();
    const auto fifth = text.begin() + text.size() / 5;
    std::nth_element(text.begin(), fifth, text.end(), [&result](const QColor &a, const QColor &b) {
        return contrast(a, result.background) > contrast(b, result.background);
    });
    result.ink = text.isEmpty() ? result.background : *fifth;
    return result;
}

// The colour the program fills the control with.
QColor filledWith(const QWidget *control)
{
    return control->palette().color(control->backgroundRole());
}

// How far the most striking pixel of the area stands out from the colour.
double standsOut(const QImage &picture, const QRect &area, const QColor &colour)
{
    double most = 1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            most = std::max(most, contrast(picture.pixelColor(x, y), colour));
        }
    }
    return most;
}

QRect inWindow(const QWidget *control, const QRect &rect, const QWidget *window)
{
    return rect.translated(control->mapTo(window, QPoint(0, 0)));
}

QRect optionPart(const QRadioButton *button, QStyle::SubElement part)
{
    QStyleOptionButton styleOption;
    styleOption.initFrom(button);
    styleOption.text = button->text();
    return button->style()->subElementRect(part, &styleOption, button);
}

QRect frameCaption(const QGroupBox *frame)
{
    QStyleOptionGroupBox styleOption;
    styleOption.initFrom(frame);
    styleOption.text = frame->title();
    styleOption.textAlignment = frame->alignment();
    styleOption.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    styleOption.lineWidth = 1;
    return frame->style()->subControlRect(QStyle::CC_GroupBox, &styleOption,
                                          QStyle::SC_GroupBoxLabel, frame);
}

// The schemes pupils' desktops have, as an application palette.
QPalette darkPalette()
{
    QPalette palette;
    const QColor window(53, 53, 53);
    const QColor base(35, 35, 35);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, QColor(239, 239, 239));
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Text, QColor(239, 239, 239));
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, QColor(239, 239, 239));
    palette.setColor(QPalette::Light, QColor(80, 80, 80));
    palette.setColor(QPalette::Midlight, QColor(66, 66, 66));
    palette.setColor(QPalette::Mid, QColor(40, 40, 40));
    palette.setColor(QPalette::Dark, QColor(25, 25, 25));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::PlaceholderText, QColor(160, 160, 160));
    return palette;
}

QPalette highContrastPalette()
{
    QPalette palette(Qt::white, Qt::black, Qt::white, Qt::white, Qt::white, Qt::white, Qt::white,
                     Qt::black, Qt::black);
    palette.setColor(QPalette::Highlight, Qt::yellow);
    palette.setColor(QPalette::HighlightedText, Qt::black);
    return palette;
}

} // namespace

class TestWindowContrast : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        desktopPalette_ = QApplication::palette();
        if (!desktopScheme().isEmpty()) {
            // Proof that the scheme arrived: a dark window and light text,
            // not Qt's light default.
            QCOMPARE(QApplication::platformName(), QStringLiteral("xcb"));
            QVERIFY(desktopPalette_.color(QPalette::Window).lightness() < 64);
            QVERIFY(desktopPalette_.color(QPalette::WindowText).lightness() > 192);
        }
    }

    void init()
    {
        QFETCH(QPalette, palette);
        QApplication::setPalette(palette);
        window_ = std::make_unique<Pelagor>();
        window_->show();
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void everyTextReadable_data() { schemes(); }
    void everyTextReadable()
    {
        Pelagor &w = *window_;
        const QImage picture = w.grab().toImage();
        QCOMPARE(w.devicePixelRatio(), 1.0);

        struct Caption {
            QString name;
            QRect area;
            QColor background;
        };
        QList<Caption> captions;
        for (const char *name : {"Label1(0)", "Label1(1)"}) {
            const QLabel *label = control<QLabel>(w, name);
            const QRect text = QStyle::alignedRect(label->layoutDirection(), label->alignment(),
                                                   label->fontMetrics().size(0, label->text()),
                                                   label->contentsRect());
            captions.append({label->text(), inWindow(label, text, &w), filledWith(label)});
        }
        const QGroupBox *frame = control<QGroupBox>(w, "Frame1");
        // Above the first option, which reaches into the caption's rectangle.
        const QRect frameText =
            frameCaption(frame).intersected(QRect(0, 0, frame->width(), option(w, 0)->y()));
        captions.append({frame->title(), inWindow(frame, frameText, &w), filledWith(frame)});
        for (int n = 0; n < 5; ++n) {
            const QRadioButton *button = option(w, n);
            captions.append(
                {button->text(),
                 inWindow(button, optionPart(button, QStyle::SE_RadioButtonContents), &w),
                 filledWith(button)});
        }
        QStringList unreadable;
        for (const Caption &caption : captions) {
            const Ink found = measure(picture, caption.area, caption.background);
            qInfo("%-28s %5.1f:1  ink %s on %s", qPrintable(caption.name), found.ratio(),
                  qPrintable(rgb(found.ink)), qPrintable(rgb(found.background)));
            QVERIFY2(found.inkPixels > 30, qPrintable(caption.name + QStringLiteral(": no text")));
            if (found.ratio() < kTextContrast) {
                unreadable
                    << QStringLiteral("%1 %2:1").arg(caption.name).arg(found.ratio(), 0, 'f', 1);
            }
        }
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral(", "))));

        // The sea list and the output box keep the desktop's own colours: its
        // field colour around letters drawn in its text colour.
        const QPalette desktop = QApplication::palette();
        for (const QAbstractScrollArea *box :
             {static_cast<const QAbstractScrollArea *>(seaList(w)),
              static_cast<const QAbstractScrollArea *>(outputBox(w))}) {
            const Ink found =
                measure(picture, inWindow(box->viewport(), box->viewport()->rect(), &w));
            const int inText = found.counts.value(desktop.color(QPalette::Text).rgb());
            qInfo("%-28s %5.1f:1  ink %s on %s, %d pixels in the text colour",
                  qPrintable(box->objectName()), found.ratio(), qPrintable(rgb(found.ink)),
                  qPrintable(rgb(found.background)), inText);
            QCOMPARE(found.background.name(), desktop.color(QPalette::Base).name());
            QVERIFY2(inText > 100, qPrintable(box->objectName()));
        }
    }

    // An option's round mark shows on the green, a picked option differs
    // from the others at its centre, and keyboard focus shows on it too.
    void optionMarksVisible_data() { schemes(); }
    void optionMarksVisible()
    {
        Pelagor &w = *window_;
        clickOption(w, 3);
        QVERIFY(option(w, 3)->isChecked());
        outputBox(w)->setFocus(Qt::OtherFocusReason);
        const QImage picture = w.grab().toImage();
        const QColor green =
            measure(picture, inWindow(option(w, 1), option(w, 1)->rect(), &w)).background;
        const auto indicator = [&w](int n) {
            const QRadioButton *button = option(w, n);
            return inWindow(button, optionPart(button, QStyle::SE_RadioButtonIndicator), &w);
        };

        // Unpicked, its ring stands out from the option's background.
        const double ring = standsOut(picture, indicator(1), green);
        // Picked, the centre of its mark differs from an unpicked centre.
        const double mark = contrast(picture.pixelColor(indicator(3).center() + QPoint(1, 1)),
                                     picture.pixelColor(indicator(1).center() + QPoint(1, 1)));
        // Keyboard focus, tabbed into the group: what it adds to the option
        // stands out as well.
        QTest::keyClick(outputBox(w), Qt::Key_Tab);
        auto *focusedOption = qobject_cast<QRadioButton *>(QApplication::focusWidget());
        QVERIFY(focusedOption != nullptr);
        const QImage focused = w.grab().toImage();
        const QRect area = inWindow(focusedOption, focusedOption->rect(), &w);
        double focus = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (focused.pixel(x, y) != picture.pixel(x, y)) {
                    focus = std::max(focus, contrast(focused.pixelColor(x, y), green));
                }
            }
        }
        qInfo("ring %.1f:1, mark %.1f:1, focus %.1f:1", ring, mark, focus);
        QVERIFY2(ring >= kMarkContrast, qPrintable(QString::number(ring)));
        QVERIFY2(mark >= kMarkContrast, qPrintable(QString::number(mark)));
        QVERIFY2(focus >= kMarkContrast, qPrintable(QString::number(focus)));
    }

private:
    void schemes() const
    {
        QTest::addColumn<QPalette>("palette");
        if (desktopScheme() == QLatin1String("qt6ct")) {
            QTest::newRow("qt6ct darker") << desktopPalette_;
            return;
        }
        if (desktopScheme() == QLatin1String("gtk")) {
            QTest::newRow("GTK Adwaita:dark") << desktopPalette_;
            return;
        }
        QTest::newRow("light") << desktopPalette_;
        QTest::newRow("dark") << darkPalette();
        QTest::newRow("high contrast") << highContrastPalette();
    }

    QPalette desktopPalette_;
    std::unique_ptr<Pelagor> window_;
};

int main(int argc, char *argv[])
{
    // Platform themes read their settings when the application starts, so
    // they are set before it exists.
    std::optional<QTemporaryDir> config;
    if (!desktopScheme().isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    if (desktopScheme() == QLatin1String("gtk")) {
        qputenv("QT_QPA_PLATFORMTHEME", "gtk3");
        qputenv("GTK_THEME", "Adwaita:dark");
    } else if (desktopScheme() == QLatin1String("qt6ct")) {
        config.emplace();
        if (!config->isValid() || !QDir(config->path()).mkpath(QStringLiteral("qt6ct"))) {
            qFatal("no scratch configuration directory");
        }
        QFile file(config->filePath(QStringLiteral("qt6ct/qt6ct.conf")));
        if (!file.open(QIODevice::WriteOnly)) {
            qFatal("cannot write %s", qPrintable(file.fileName()));
        }
        file.write("[Appearance]\n"
                   "color_scheme_path=/usr/share/qt6ct/colors/darker.conf\n"
                   "custom_palette=true\n"
                   "style=Fusion\n");
        file.close();
        qputenv("XDG_CONFIG_HOME", config->path().toLocal8Bit());
        qputenv("QT_QPA_PLATFORMTHEME", "qt6ct");
    } else if (!desktopScheme().isEmpty()) {
        qFatal("unknown PELAGOR_SCHEME %s (qt6ct or gtk)", qPrintable(desktopScheme()));
    }
    const QApplication app(argc, argv);
    TestWindowContrast test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_contrast.moc"
