// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How often each rule calls one of her fertile days 安全期, on a year of cycles of each of many
// women generated from published figures (generated_cycles.h), and how long a run of fertile days
// the rule shows her. Her fertile days are the ovulation day and the five before it. Each forecast
// is made on the first day of a recorded period, from the record up to that day, as 按记录计算
// makes it: the six lines of her latest first day and the length her record foretells.
//
// The rules: the six lines' two 安全期; the calendar method her record gives once six cycles
// count (every day of the cycle outside its fertile days taken as safe); and the outlook every
// face draws. Prints a table; the seed of the generator is fixed, so it prints the same table.
#include "cycle_outlook.h"
#include "generated_cycles.h"
#include "phase_calculation.h"
#include "record_history.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace std::chrono;
using velmora::DayRange;

constexpr int kWomen = 4000;
constexpr int kCyclesEach = 13;

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
        const std::vector<bench::Cycle> cycles = bench::Woman(random, kCyclesEach);
        std::vector<sys_days> recorded;
        for (std::size_t k = 0; k + 1 < cycles.size(); ++k) {
            const bench::Cycle& cycle = cycles[k];
            if (!cycle.recorded)
                continue;
            recorded.push_back(cycle.first);
            const velmora::RecordHistory history = velmora::HistoryOf(recorded);
            const velmora::Forecast forecast = velmora::ForecastOf(history, cycle.first);
            if (!forecast.next)
                continue;
            const sys_days next = cycles[k + 1].first;
            const sys_days ovulation = next - days{cycle.luteal};
            const velmora::PhaseDates dates =
                velmora::CalculatePhases(*velmora::CalendarDate::FromDays(cycle.first),
                                         std::to_string((*forecast.next - cycle.first).count()));
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
