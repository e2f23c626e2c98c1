// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "selection/value.h"

#include <cmath>
#include <limits>
#include <optional>

namespace pelagor {

RunTimeError::RunTimeError(const QString &message) : std::runtime_error(message.toStdString()) {}

QString RunTimeError::message() const
{
    return QString::fromUtf8(what());
}

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Reads a decimal number at the start of text: an optional sign, digits with
// at most one decimal point, and an optional exponent (E or D, as in
// scientific notation). Returns the number and how many code units it took, or
// nothing when no digit stands where the number should begin.
struct Scanned {
    double number;
    qsizetype length;
};

std::optional<Scanned> scanNumber(QStringView text)
{
    qsizetype pos = 0;
    const qsizetype end = text.size();
    QString ascii;
    if (pos < end && (text[pos] == u'+' || text[pos] == u'-')) {
        ascii += text[pos++];
    }
    bool anyDigit = false;
    while (pos < end && isDigit(text[pos])) {
        ascii += text[pos++];
        anyDigit = true;
    }
    if (pos < end && text[pos] == u'.') {
        ascii += text[pos++];
        while (pos < end && isDigit(text[pos])) {
            ascii += text[pos++];
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    if (pos < end &&
        (text[pos] == u'e' || text[pos] == u'E' || text[pos] == u'd' || text[pos] == u'D')) {
        qsizetype expPos = pos + 1;
        QString exponent = QStringLiteral("e");
        if (expPos < end && (text[expPos] == u'+' || text[expPos] == u'-')) {
            exponent += text[expPos++];
        }
        if (expPos < end && isDigit(text[expPos])) {
            while (expPos < end && isDigit(text[expPos])) {
                exponent += text[expPos++];
            }
            ascii += exponent;
            pos = expPos;
        }
    }
    // The scanned text holds only ASCII digits, sign, point and exponent, so
    // the C locale reading is the one meant, whatever the user's locale.
    // The reading fails only when the number lies beyond the range of a double;
    // it then gives an infinity of the number's sign for one too large and 0
    // for one too small, as the nearest double is.
    const double number = ascii.toDouble();
    return Scanned{number, pos};
}

qsizetype skipBlanks(QStringView text, qsizetype pos)
{
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    return pos;
}

} // namespace

double Val(QStringView text)
{
    const qsizetype start = skipBlanks(text, 0);
    const auto scanned = scanNumber(text.mid(start));
    return scanned ? scanned->number : 0.0;
}

std::int16_t toInt16(QStringView text)
{
    const qsizetype start = skipBlanks(text, 0);
    const auto scanned = scanNumber(text.mid(start));
    if (!scanned || skipBlanks(text, start + scanned->length) != text.size()) {
        throw RunTimeError(QStringLiteral("Несъвместим тип: текстът \"%1\" не е число.").arg(text));
    }
    return toInt16(scanned->number);
}

std::int16_t toInt16(double number)
{
    // Halves go to the even neighbour, as the default rounding mode does.
    const double rounded = std::nearbyint(number);
    // Written so that NaN is out of range too.
    // NOLINTNEXTLINE(readability-simplify-boolean-expr)
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        throw RunTimeError(QStringLiteral("Препълване: числото %1 е извън обхвата от -32768 "
                                          "до 32767 на 16-битово цяло число.")
                               .arg(number, 0, 'g', 17));
    }
    return static_cast<std::int16_t>(rounded);
}

std::int16_t toInt16(const Value &value)
{
    struct Convert {
        std::int16_t operator()(std::monostate /*empty*/) const { return 0; }
        std::int16_t operator()(std::int16_t integer) const { return integer; }
        std::int16_t operator()(double number) const { return toInt16(number); }
    };
    return std::visit(Convert{}, value);
}

namespace {

double asDouble(const Value &value)
{
    struct Widen {
        double operator()(std::monostate /*empty*/) const { return 0.0; }
        double operator()(std::int16_t integer) const { return integer; }
        double operator()(double number) const { return number; }
    };
    return std::visit(Widen{}, value);
}

} // namespace

bool numericEqual(const Value &lhs, const Value &rhs)
{
    // Every 16-bit integer is exact as a double, so this is exact.
    return asDouble(lhs) == asDouble(rhs);
}

} // namespace pelagor
