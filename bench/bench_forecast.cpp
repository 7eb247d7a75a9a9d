// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How near her next first day each way of foretelling it comes, and how often its range holds
// that day, on a year of cycles of each of many women generated from published figures
// (generated_cycles.h): her own mean and spread, the odd long cycle, the period she did not
// record. Each forecast is made on a recorded first day, from the record up to it, once the
// engine foretells; it is judged by the day her next period really began.
//
// Beside the engine: what Velmora did before (the mean of the last six counted cycles, the range
// from the shortest to the longest), the trackers' ways (the mean of all cycles, rounded as drip
// does or truncated as Periodical does; the truncated mean of the last five, as Mensinator and
// Euki do; the last cycle alone), with drip's range of two days either side, and a mean known in
// advance, which no method can beat. Then the engine alone on other women: more and less regular,
// none odd. Prints tables; the seed of the generator is fixed, so it prints the same tables.
#include "generated_cycles.h"
#include "record_history.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numeric>
#include <vector>

namespace {

using namespace std::chrono;

constexpr int kWomen = 4000;
constexpr int kCyclesEach = 13;
constexpr int kTrackerRange = 2;

struct Foretold {
    sys_days next;
    sys_days first;
    sys_days last;
};

struct Tally {
    explicit Tally(const char* name) : method(name) {}
    const char* method;
    long forecasts = 0;
    long missed = 0; // days, summed
    long held = 0;
    std::vector<int> widths;

    void Add(const Foretold& foretold, sys_days truth)
    {
        ++forecasts;
        missed += std::abs((foretold.next - truth).count());
        held += truth >= foretold.first && truth <= foretold.last;
        widths.push_back(static_cast<int>((foretold.last - foretold.first).count()) + 1);
    }
    void Print()
    {
        std::sort(widths.begin(), widths.end());
        std::printf("| %s | %ld | %.2f days | %.1f %% | %d days |\n", method, forecasts,
                    static_cast<double>(missed) / static_cast<double>(forecasts),
                    100.0 * static_cast<double>(held) / static_cast<double>(forecasts),
                    widths[widths.size() / 2]);
    }
};

// The lengths of her recorded cycles.
std::vector<int> Lengths(const std::vector<sys_days>& recorded)
{
    std::vector<int> lengths;
    for (std::size_t i = 1; i < recorded.size(); ++i)
        lengths.push_back(static_cast<int>((recorded[i] - recorded[i - 1]).count()));
    return lengths;
}

Foretold Around(sys_days last, int length)
{
    const sys_days next = last + days{length};
    return {next, next - days{kTrackerRange}, next + days{kTrackerRange}};
}

double Mean(std::vector<int>::const_iterator from, std::vector<int>::const_iterator to)
{
    return std::accumulate(from, to, 0.0) / static_cast<double>(to - from);
}

// What Velmora foretold before: the mean of the last six cycles of 15 to 45 days, half to even,
// and the range from the shortest of them to the longest.
std::optional<Foretold> Before(sys_days last, const std::vector<int>& lengths)
{
    std::vector<int> counted;
    for (auto length = lengths.end() - std::min<std::ptrdiff_t>(6, std::ssize(lengths));
         length != lengths.end(); ++length)
        if (*length >= 15 && *length <= 45)
            counted.push_back(*length);
    if (counted.size() < 2)
        return std::nullopt;
    const int sum = std::accumulate(counted.begin(), counted.end(), 0);
    const int count = static_cast<int>(counted.size());
    const int whole = sum / count;
    const int twiceRest = 2 * (sum % count);
    const int mean = whole + (twiceRest > count || (twiceRest == count && whole % 2));
    return Foretold{last + days{mean},
                    last + days{*std::min_element(counted.begin(), counted.end())},
                    last + days{*std::max_element(counted.begin(), counted.end())}};
}

struct Run {
    Tally engine{"Velmora"};
    Tally before{"Velmora before (mean of the last six counted)"};
    Tally all{"drip: mean of all cycles, rounded"};
    Tally truncated{"Periodical: mean of all cycles, truncated"};
    Tally lastFive{"Mensinator, Euki: mean of the last five, truncated"};
    Tally lastOne{"the last cycle alone"};
    Tally known{"a mean known in advance"};
    // The engine's, by the cycles its forecast counts: two, three, four, five, and six or more.
    std::vector<Tally> byCount{Tally("2"), Tally("3"), Tally("4"), Tally("5"), Tally("6 or more")};
};

// Every forecast over kWomen women of `population`, from at least `fromCycles` recorded cycles.
Run Measure(bench::Population population, std::size_t fromCycles)
{
    std::mt19937 random(2026);
    Run run;
    for (int woman = 0; woman < kWomen; ++woman) {
        const std::vector<bench::Cycle> cycles = bench::Woman(random, kCyclesEach, population);
        double herMean = 0;
        for (const bench::Cycle& cycle : cycles)
            herMean += cycle.length;
        herMean /= static_cast<double>(cycles.size());
        std::vector<sys_days> recorded;
        for (std::size_t k = 0; k + 1 < cycles.size(); ++k) {
            if (!cycles[k].recorded)
                continue;
            const sys_days last = cycles[k].first;
            recorded.push_back(last);
            const velmora::Forecast forecast =
                velmora::ForecastOf(velmora::HistoryOf(recorded), last);
            if (!forecast.next || recorded.size() < fromCycles + 1)
                continue;
            const sys_days truth = cycles[k + 1].first;
            const std::vector<int> lengths = Lengths(recorded);
            const Foretold foretold{*forecast.next, forecast.range->first, forecast.range->last};
            run.engine.Add(foretold, truth);
            run.byCount[static_cast<std::size_t>(std::min(forecast.counted, 6) - 2)].Add(foretold,
                                                                                         truth);
            if (const auto before = Before(last, lengths))
                run.before.Add(*before, truth);
            std::vector<int> upTo99;
            std::copy_if(lengths.begin(), lengths.end(), std::back_inserter(upTo99),
                         [](int length) { return length <= 99; });
            const double mean = Mean(upTo99.begin(), upTo99.end());
            run.all.Add(Around(last, static_cast<int>(std::lround(mean))), truth);
            run.truncated.Add(Around(last, static_cast<int>(mean)), truth);
            run.lastFive.Add(
                Around(last, static_cast<int>(Mean(
                                 lengths.end() - std::min<std::ptrdiff_t>(5, std::ssize(lengths)),
                                 lengths.end()))),
                truth);
            run.lastOne.Add(Around(last, lengths.back()), truth);
            run.known.Add(Around(last, static_cast<int>(std::lround(herMean))), truth);
        }
    }
    return run;
}

void Header(const char* title)
{
    std::printf("\n%s\n\n| method | forecasts | mean absolute error | range holds | median "
                "range |\n|---|---|---|---|---|\n",
                title);
}

} // namespace

int main()
{
    std::printf("The engine's range says it holds about %d %%.\n", velmora::kRangeShare);
    for (const std::size_t fromCycles : {std::size_t{2}, std::size_t{3}}) {
        Run run = Measure({}, fromCycles);
        Header(fromCycles == 2 ? "Every forecast the engine makes (two or more cycles):"
                               : "From at least three earlier cycles:");
        for (Tally* tally : {&run.engine, &run.before, &run.all, &run.truncated, &run.lastFive,
                             &run.lastOne, &run.known})
            tally->Print();
        if (fromCycles == 2) {
            Header("The engine's forecasts by the cycles they count:");
            for (Tally& tally : run.byCount)
                tally.Print();
        }
    }
    Header("The engine on other women (trackers' ranges left out):");
    const struct {
        const char* who;
        bench::Population population;
    } others[] = {
        {"Velmora: more regular women, fewer odd cycles", {1.3, 0.03, 0.01}},
        {"Velmora: a middle spread of 1.5 days, more odd cycles", {1.5, 0.05, 0.01}},
        {"Velmora: less regular women, more odd and unrecorded", {2.2, 0.05, 0.03}},
        {"Velmora: no odd cycle, none unrecorded", {1.8, 0, 0}},
    };
    for (const auto& other : others) {
        Run run = Measure(other.population, 2);
        run.engine.method = other.who;
        run.engine.Print();
    }
    return 0;
}
