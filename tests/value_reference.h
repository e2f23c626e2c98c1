// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A plain second reading of texts as numbers, to hold the value layer's Val and
// text-to-16-bit conversion against. Written from what they must do, not from
// how they do it: the number is cut out of the text by hand and read by the C
// library.
#pragma once

#include "selection/value.h"

#include <QString>
#include <QStringView>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

namespace pelagor::test {

struct ReferenceNumber {
    double value = 0.0;
    qsizetype end = 0; // the code unit after the number
};

inline bool referenceBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

inline bool referenceDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The decimal number that starts at `at`: sign, digits, point, digits, and an
// exponent (e, E, d or D, a sign, digits) only when a digit follows it.
// Nothing when neither side of the point holds a digit.
inline std::optional<ReferenceNumber> referenceNumberAt(QStringView text, qsizetype at)
{
    const auto unit = [&text](qsizetype i) -> char16_t {
        return i < text.size() ? text[i].unicode() : u'\0';
    };
    std::string ascii;
    qsizetype i = at;
    if (unit(i) == u'+' || unit(i) == u'-') {
        ascii += static_cast<char>(unit(i++));
    }
    int digits = 0;
    for (; referenceDigit(unit(i)); ++i, ++digits) {
        ascii += static_cast<char>(unit(i));
    }
    if (unit(i) == u'.') {
        ascii += '.';
        for (++i; referenceDigit(unit(i)); ++i, ++digits) {
            ascii += static_cast<char>(unit(i));
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    const char16_t marker = unit(i);
    if (marker == u'e' || marker == u'E' || marker == u'd' || marker == u'D') {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (unit(j) == u'+' || unit(j) == u'-') {
            exponent += static_cast<char>(unit(j++));
        }
        if (referenceDigit(unit(j))) {
            for (; referenceDigit(unit(j)); ++j) {
                exponent += static_cast<char>(unit(j));
            }
            ascii += exponent;
            i = j;
        }
    }
    // strtod in the C locale, whatever the process's locale: overflow gives an
    // infinity, underflow 0 or the nearest tiny number, with the number's sign.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return ReferenceNumber{strtod_l(ascii.c_str(), nullptr, cLocale), i};
}

inline qsizetype referenceSkipBlanks(QStringView text, qsizetype at)
{
    while (at < text.size() && referenceBlank(text[at].unicode())) {
        ++at;
    }
    return at;
}

inline double referenceVal(QStringView text)
{
    const auto number = referenceNumberAt(text, referenceSkipBlanks(text, 0));
    return number ? number->value : 0.0;
}

// Nothing where the conversion must fail: no number, anything but blanks
// around it, or a value that does not round into -32768 to 32767.
inline std::optional<int> referenceToInt16(QStringView text)
{
    const auto number = referenceNumberAt(text, referenceSkipBlanks(text, 0));
    if (!number || referenceSkipBlanks(text, number->end) != text.size()) {
        return std::nullopt;
    }
    const double x = number->value;
    // NaN is out of range too.
    // NOLINTNEXTLINE(readability-simplify-boolean-expr)
    if (!(x > -40000.0 && x < 40000.0)) {
        return std::nullopt;
    }
    // Round half to even by hand.
    const double below = std::floor(x);
    const double fraction = x - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        rounded = below + 1.0;
    }
    if (rounded < -32768.0 || rounded > 32767.0) {
        return std::nullopt;
    }
    return static_cast<int>(rounded);
}

// The text with every code unit outside printable ASCII written as \uXXXX.
inline QString referenceQuoted(QStringView text)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'\\') {
            quoted += c;
        } else {
            quoted += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        }
    }
    return quoted + QLatin1Char('"');
}

// How Val and the conversion to a 16-bit integer disagree with the reference
// on the text; empty when they agree. Zeros of either sign are equal.
inline QString disagreement(QStringView text)
{
    QString found;
    const double val = pelagor::Val(text);
    const double expectedVal = referenceVal(text);
    if (!(val == expectedVal)) {
        found += QStringLiteral("Val(%1) = %2, expected %3\n")
                     .arg(referenceQuoted(text))
                     .arg(val, 0, 'g', 17)
                     .arg(expectedVal, 0, 'g', 17);
    }
    std::optional<int> converted;
    try {
        converted = pelagor::toInt16(text);
    } catch (const pelagor::RunTimeError &) {
        converted.reset();
    }
    const std::optional<int> expected = referenceToInt16(text);
    if (converted != expected) {
        const auto shown = [](const std::optional<int> &n) {
            return n ? QString::number(*n) : QStringLiteral("run-time error");
        };
        found += QStringLiteral("toInt16(%1) = %2, expected %3\n")
                     .arg(referenceQuoted(text), shown(converted), shown(expected));
    }
    return found;
}

} // namespace pelagor::test
