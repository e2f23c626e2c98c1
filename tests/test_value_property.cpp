// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Val and the text-to-16-bit conversion against a plain reference reading, on
// every short text over the characters that matter and on a long seeded run
// of random and number-like texts. PELAGOR_SEED and PELAGOR_TEXTS choose the
// run; a failure names the seed and the text.
#include "seeded_run.h"
#include "value_reference.h"

#include <QRandomGenerator>
#include <QTest>

#include <array>

using pelagor::test::disagreement;

namespace {

// Blanks, signs, point, digits, exponent letters, and characters that look
// like part of a number and are not: a no-break space, a comma, an Arabic-Indic
// and a full-width digit.
constexpr std::array<char16_t, 17> kAlphabet{u' ', u'\t', u'\r', u'\n',     u'+',     u'-',
                                             u'.', u'0',  u'1',  u'5',      u'9',     u'e',
                                             u'D', u'x',  u',',  u'\u00a0', u'\u0661'};

class TextMaker {
public:
    explicit TextMaker(quint32 seed) : random_(seed) {}

    QString next()
    {
        switch (random_.bounded(4)) {
        case 0:
            return anyText();
        case 1:
            return numberLike();
        case 2:
            return nearTheLimits();
        default:
            return mutated(numberLike());
        }
    }

private:
    int below(int n) { return random_.bounded(n); }
    bool chance(int percent) { return below(100) < percent; }

    QChar anyUnit()
    {
        if (chance(90)) {
            return kAlphabet.at(static_cast<std::size_t>(below(int{kAlphabet.size()})));
        }
        // Any code unit at all, lone surrogates and NUL included.
        return {static_cast<char16_t>(below(0x10000))};
    }

    QString anyText()
    {
        QString text;
        for (int n = below(24); n > 0; --n) {
            text += anyUnit();
        }
        return text;
    }

    QString blanks()
    {
        static constexpr std::array<char16_t, 4> kBlanks{u' ', u'\t', u'\r', u'\n'};
        QString text;
        for (int n = chance(50) ? below(4) : 0; n > 0; --n) {
            text += kBlanks.at(static_cast<std::size_t>(below(4)));
        }
        return text;
    }

    QString digits(int most)
    {
        QString text;
        for (int n = below(most + 1); n > 0; --n) {
            text += QChar(u'0' + below(10));
        }
        return text;
    }

    QString sign() { return chance(50) ? QString() : QString(chance(50) ? u'-' : u'+'); }

    // Blanks, a number in any of its forms, and blanks or other characters.
    QString numberLike()
    {
        QString text = blanks() + sign() + digits(chance(10) ? 400 : 6);
        if (chance(50)) {
            text += u'.' + digits(chance(10) ? 400 : 6);
        }
        if (chance(40)) {
            static const QString kMarkers = QStringLiteral("eEdD");
            text += kMarkers.at(below(4)) + sign();
            text += chance(15) ? QString::number(280 + below(60)) : digits(chance(5) ? 30 : 3);
        }
        text += blanks();
        if (chance(25)) {
            text += anyText();
        }
        return text;
    }

    // Values around the ends of the 16-bit range and around halves.
    QString nearTheLimits()
    {
        static constexpr std::array kEdges{-32768.5, -32768.0, -32767.5, -0.5,    0.5,
                                           1.5,      2.5,      32766.5,  32767.0, 32767.5};
        const double edge = kEdges.at(static_cast<std::size_t>(below(int{kEdges.size()})));
        const double nudge = chance(50) ? 0.0 : (below(2001) - 1000) * 1e-13;
        return blanks() + QString::number(edge + nudge, 'g', 17) + blanks();
    }

    // The text with a few code units replaced, put in or taken out.
    QString mutated(QString text)
    {
        for (int n = 1 + below(3); n > 0; --n) {
            const int at = below(static_cast<int>(text.size()) + 1);
            switch (below(3)) {
            case 0:
                text.insert(at, anyUnit());
                break;
            case 1:
                if (at < text.size()) {
                    text[at] = anyUnit();
                }
                break;
            default:
                text.remove(at, 1);
                break;
            }
        }
        return text;
    }

    QRandomGenerator random_;
};

} // namespace

class TestValueProperty : public QObject {
    Q_OBJECT

private slots:
    // Every text of up to four characters of the alphabet.
    void everyShortText()
    {
        constexpr std::size_t kLength = 4;
        std::array<std::size_t, kLength> at{};
        for (std::size_t length = 0; length <= kLength; ++length) {
            at.fill(0);
            while (true) {
                QString text;
                for (std::size_t i = 0; i < length; ++i) {
                    text += kAlphabet.at(at.at(i));
                }
                const QString found = disagreement(text);
                QVERIFY2(found.isEmpty(), qPrintable(found));
                std::size_t i = 0;
                while (i < length && ++at.at(i) == kAlphabet.size()) {
                    at.at(i++) = 0;
                }
                if (i == length) {
                    break;
                }
            }
        }
    }

    void seededTexts()
    {
        const quint32 seed = pelagor::test::seedFromEnvironment();
        const int count = pelagor::test::countFromEnvironment("PELAGOR_TEXTS", 300000);
        qInfo("seed %u, %d texts (PELAGOR_SEED, PELAGOR_TEXTS)", seed, count);
        TextMaker maker(seed);
        for (int n = 1; n <= count; ++n) {
            const QString text = maker.next();
            const QString found = disagreement(text);
            QVERIFY2(
                found.isEmpty(),
                qPrintable(QStringLiteral("seed %1, text %2: %3").arg(seed).arg(n).arg(found)));
        }
    }
};

QTEST_APPLESS_MAIN(TestValueProperty)
#include "test_value_property.moc"
