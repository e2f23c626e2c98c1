// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The small value layer the selection logic is written in: a tagged value that
// is empty, a 16-bit integer or a double; reading a number from a text; the
// conversion to a 16-bit integer; and numeric equality.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <stdexcept>
#include <variant>

namespace pelagor {

// An error that ends the program: what was asked, with which value.
class RunTimeError : public std::runtime_error {
public:
    explicit RunTimeError(const QString &message);
    [[nodiscard]] QString message() const;
};

// Empty until first assigned.
using Value = std::variant<std::monostate, std::int16_t, double>;

// Skips leading blanks and reads the leading decimal number (sign, digits,
// decimal point, exponent); a text that starts with no number gives 0.
[[nodiscard]] double Val(QStringView text);

// The whole text, blanks around it allowed, read as a number and rounded to the
// nearest integer, halves to even. Throws RunTimeError when the text is not a
// number or the result lies outside -32768 to 32767.
[[nodiscard]] std::int16_t toInt16(QStringView text);
[[nodiscard]] std::int16_t toInt16(double number);
[[nodiscard]] std::int16_t toInt16(const Value &value);

// Compares two values as numbers; empty counts as 0.
[[nodiscard]] bool numericEqual(const Value &lhs, const Value &rhs);

} // namespace pelagor
