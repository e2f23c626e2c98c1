// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/random.h"

namespace pelagor::practice {

std::uint64_t SplitMix64::next()
{
    state_ += 0x9E3779B97F4A7C15U;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9U;
    z = (z ^ (z >> 27U)) * 0x94D049BB133111EBU;
    return z ^ (z >> 31U);
}

std::uint32_t SplitMix64::below(std::uint32_t n)
{
    if (n == 0) {
        return 0;
    }
    // 2^32 mod n, in 32-bit arithmetic.
    const std::uint32_t threshold = (0U - n) % n;
    for (;;) {
        const auto drawn = static_cast<std::uint32_t>(next() >> 32U);
        if (drawn >= threshold) {
            return drawn % n;
        }
    }
}

} // namespace pelagor::practice
