// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Val and the text-to-16-bit conversion under libFuzzer: every input becomes a
// text, and the two must agree with the plain reference reading on it, with no
// crash and no sanitizer report. Built without libFuzzer, the same file makes a
// program that runs the inputs saved in the files it is given, once each.
#include "value_reference.h"

#include <QFile>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

// The characters a byte stands for in the first reading: those of numbers,
// blanks, and look-alikes that are not part of any number.
constexpr char16_t kAlphabet[] = u" \t\r\n+-.0123456789eEdDx,\u00a0\u0661\uff10\u0000a.e-+";

// An input whose first byte is even is read a byte a character from the
// alphabet; one whose first byte is odd holds UTF-16 code units, any at all.
QString textOf(std::span<const std::uint8_t> input)
{
    QString text;
    if (input.empty()) {
        return text;
    }
    const bool raw = (input.front() & 1U) != 0;
    input = input.subspan(1);
    if (raw) {
        for (std::size_t i = 0; i + 1 < input.size(); i += 2) {
            text += QChar(static_cast<char16_t>(input[i] | (input[i + 1] << 8U)));
        }
    } else {
        constexpr std::size_t kLetters = std::size(kAlphabet) - 1;
        for (const std::uint8_t byte : input) {
            text += QChar(kAlphabet[byte % kLetters]);
        }
    }
    return text;
}

void check(std::span<const std::uint8_t> input)
{
    const QString found = pelagor::test::disagreement(textOf(input));
    if (!found.isEmpty()) {
        (void)std::fputs(qPrintable(found), stderr);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    check({data, size});
    return 0;
}

#ifndef PELAGOR_LIBFUZZER
int main(int argc, char *argv[])
{
    const std::span<char *> files(argv, static_cast<std::size_t>(argc));
    for (const char *name : files.subspan(1)) {
        QFile file(QString::fromLocal8Bit(name));
        if (!file.open(QIODevice::ReadOnly)) {
            (void)std::fprintf(stderr, "fuzz_value: cannot read %s\n", name);
            return 2;
        }
        const QByteArray bytes = file.readAll();
        const std::vector<std::uint8_t> input(bytes.begin(), bytes.end());
        check(input);
    }
    return 0;
}
#endif
