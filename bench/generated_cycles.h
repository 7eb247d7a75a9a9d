// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Women's cycles generated from published figures, for the benchmarks that judge what her record
// foretells: the real cycles that would judge it are kept outside the project.
//
// A woman's mean cycle is 29.3 days on average (Bull et al. 2019, 612 613 cycles), her cycles
// spread about it so that the median woman varies by about 2 days either way and about four in
// ten by more than 7 days over a year (Fehring et al. 2006); the luteal phase is 12.4 days on
// average and 7 to 17 days in 95 % of cycles (Bull et al. 2019); one cycle in 25 is longer by a
// late ovulation, and one period in 33 goes unrecorded.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

namespace bench {

struct Cycle {
    std::chrono::sys_days first;
    int length;
    int luteal;
    bool recorded;
};

// Who the women are: the middle of their spreads, and how often a cycle is odd or unrecorded.
struct Population {
    double middleSpread = 1.8;
    double oddLong = 0.04;
    double unrecorded = 0.03;
};

inline std::vector<Cycle> Woman(std::mt19937& random, int cycleCount, Population population = {})
{
    using namespace std::chrono;
    std::normal_distribution<double> meanOf(29.3, 2.6);
    std::lognormal_distribution<double> spreadOf(std::log(population.middleSpread), 0.6);
    std::normal_distribution<double> lutealOf(12.4, 1.4);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::bernoulli_distribution oddLong(population.oddLong);
    std::bernoulli_distribution unrecorded(population.unrecorded);
    std::uniform_int_distribution<int> lateBy(7, 20);
    const double mean = std::clamp(meanOf(random), 22.0, 40.0);
    const double spread = std::min(spreadOf(random), 6.0);
    const double luteal = lutealOf(random);
    std::vector<Cycle> cycles;
    sys_days first =
        sys_days{year{2020} / 1 / 1} + days{std::uniform_int_distribution(0, 60)(random)};
    for (int i = 0; i < cycleCount; ++i) {
        const int thisLuteal =
            static_cast<int>(std::lround(std::clamp(luteal + noise(random), 7.0, 17.0)));
        int length = static_cast<int>(std::lround(mean + spread * noise(random)));
        if (oddLong(random))
            length += lateBy(random);
        length = std::max(length, thisLuteal + 8);
        cycles.push_back({first, length, thisLuteal, i == 0 || !unrecorded(random)});
        first += days{length};
    }
    return cycles;
}

} // namespace bench
