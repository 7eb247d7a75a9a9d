// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How often each rule calls one of her fertile days 安全期, on a year of cycles of each of many
// women generated from published figures, and how long a run of fertile days the rule shows her.
// A woman's mean cycle is 29.3 days on average (Bull et al. 2019, 612 613 cycles), her cycles
// spread about it so that the median woman varies by about 2 days either way and about four in
// ten by more than 7 days over a year (Fehring et al. 2006); the luteal phase is 12.4 days on
// average and 7 to 17 days in 95 % of cycles (Bull et al. 2019); one cycle in 25 is longer by a
// late ovulation, and one period in 33 goes unrecorded. Her fertile days are the ovulation day
// and the five before it. Each forecast is made on the first day of a recorded period, from the
// record up to that day, as 按记录计算 makes it: the six lines of her latest first day and her
// average cycle.
//
// The rules: the six lines' two 安全期; the calendar method her record gives once six cycles
// count (every day of the cycle outside its fertile days taken as safe); and the outlook every
// face draws. Prints a table; the seed of the generator is fixed, so it prints the same table.
#include "cycle_outlook.h"
#include "phase_calculation.h"
#include "record_history.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

using namespace std::chrono;
using velmora::DayRange;

constexpr int kWomen = 4000;
constexpr int kCyclesEach = 13;

struct Cycle {
    sys_days first;
    int length;
    int luteal;
    bool recorded;
};

std::vector<Cycle> Woman(std::mt19937& random)
{
    std::normal_distribution<double> meanOf(29.3, 2.6);
    std::lognormal_distribution<double> spreadOf(std::log(1.8), 0.6);
    std::normal_distribution<double> lutealOf(12.4, 1.4);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::bernoulli_distribution oddLong(0.04);
    std::bernoulli_distribution unrecorded(0.03);
    std::uniform_int_distribution<int> lateBy(7, 20);
    const double mean = std::clamp(meanOf(random), 22.0, 40.0);
    const double spread = std::min(spreadOf(random), 6.0);
    const double luteal = lutealOf(random);
    std::vector<Cycle> cycles;
    sys_days first =
        sys_days{year{2020} / 1 / 1} + days{std::uniform_int_distribution(0, 60)(random)};
    for (int i = 0; i < kCyclesEach; ++i) {
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

struct Tally {
    long fertile = 0;
    long calledSafe = 0;
    long forecasts = 0;
    std::vector<int> runs;

    void Print(const char* rule) const
    {
        std::vector<int> sorted = runs;
        std::sort(sorted.begin(), sorted.end());
        const double share =
            fertile ? 100.0 * static_cast<double>(calledSafe) / static_cast<double>(fertile) : 0;
        std::printf("| %s | %ld | %.1f %% | %d days |\n", rule, forecasts, share,
                    sorted.empty() ? 0 : sorted[sorted.size() / 2]);
    }
};

bool Safe(unsigned kinds)
{
    return kinds & (velmora::kFirstSafe | velmora::kSecondSafe);
}

} // namespace

int main()
{
    std::mt19937 random(2026);
    Tally lines, method, outlook;
    for (int woman = 0; woman < kWomen; ++woman) {
        const std::vector<Cycle> cycles = Woman(random);
        std::vector<sys_days> recorded;
        for (std::size_t k = 0; k + 1 < cycles.size(); ++k) {
            const Cycle& cycle = cycles[k];
            if (!cycle.recorded)
                continue;
            recorded.push_back(cycle.first);
            const velmora::RecordHistory history = velmora::HistoryOf(recorded);
            const velmora::Forecast forecast = velmora::ForecastOf(history, cycle.first);
            if (!forecast.next)
                continue;
            const sys_days next = cycles[k + 1].first;
            const sys_days ovulation = next - days{cycle.luteal};
            const velmora::PhaseDates dates = velmora::CalculatePhases(
                *velmora::CalendarDate::FromDays(cycle.first), std::to_string(*history.average));
            const velmora::CycleOutlook drawn(dates, recorded, cycle.first);
            const auto inLine = [&dates](velmora::Slot from, velmora::Slot to, sys_days day) {
                return day >= dates[from].Days() && day <= dates[to].Days();
            };
            for (Tally* tally : {&lines, &outlook})
                ++tally->forecasts;
            if (forecast.fertile)
                ++method.forecasts;
            for (sys_days day = ovulation - days{5}; day <= ovulation; day += days{1}) {
                ++lines.fertile;
                ++outlook.fertile;
                lines.calledSafe +=
                    inLine(velmora::Slot::FirstSafeFirst, velmora::Slot::FirstSafeLast, day) ||
                    inLine(velmora::Slot::SecondSafeFirst, velmora::Slot::SecondSafeLast, day);
                outlook.calledSafe += Safe(drawn.KindsOn(day));
                if (forecast.fertile) {
                    ++method.fertile;
                    method.calledSafe +=
                        day < forecast.fertile->first || day > forecast.fertile->last;
                }
            }
            // The run of fertile days each rule shows her in the cycle foretold.
            lines.runs.push_back(10);
            if (forecast.fertile)
                method.runs.push_back(
                    static_cast<int>((forecast.fertile->last - forecast.fertile->first).count()) +
                    1);
            int run = 0;
            for (sys_days day = cycle.first; day < forecast.range->first; day += days{1})
                run += (drawn.KindsOn(day) & velmora::kFertile) != 0;
            outlook.runs.push_back(run);
        }
    }
    std::printf("| rule | forecasts | fertile days called 安全期 | median fertile run |\n");
    std::printf("|---|---|---|---|\n");
    lines.Print("the six lines (按记录计算)");
    method.Print("her calendar method (six cycles counted)");
    outlook.Print("the outlook every face draws");
    return 0;
}
