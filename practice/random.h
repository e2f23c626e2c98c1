// SPDX-FileCopyrightText: 2026 The Pelagor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The practice's own random numbers: SplitMix64 (Steele, Lea and Flood,
// "Fast splittable pseudorandom number generators", 2014, as Vigna publishes
// it), and a number below a bound drawn from it by rejection. Both are fixed
// here, bit for bit, so that a seed gives the same numbers with every
// compiler, standard library and Qt; the standard distributions and
// QRandomGenerator::bounded promise no such thing.
#pragma once

#include <cstdint>

namespace pelagor::practice {

class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    // The next 64 bits: for seed 0, 0xE220A8397B1DCDAF, 0x6E789E6AA1B965F4, ...
    std::uint64_t next();

    // A number from 0 to n - 1, each as likely as any other (n > 0; 0 for
    // n == 0). It takes the high 32 bits of next() and draws again while they
    // fall below 2^32 mod n, the part of the range that would favour the
    // small numbers; the rest it takes modulo n.
    std::uint32_t below(std::uint32_t n);

private:
    std::uint64_t state_;
};

} // namespace pelagor::practice
