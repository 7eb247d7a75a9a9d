// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_history.h"

#include "calendar_date.h"
#include "kept_inputs.h"
#include "record_reminder.h"
#include "texts.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <span>

namespace velmora {

namespace {

using namespace std::chrono;

bool Counts(int length)
{
    return length >= kShortestCountedCycle && length <= kLongestCountedCycle;
}

// The calendar method: the fertile days run from day (shortest - 18) to day (longest - 11) of a
// cycle, its first day being day 1.
constexpr int kMethodFromShortest = 18;
constexpr int kMethodFromLongest = 11;

// What is known of cycles in general, for a record that holds few: the mean cycle is 29.3 days
// (Bull et al. 2019), and the median woman's cycles stray about 2 to 3 days from her own mean
// (Fehring et al. 2006). Her estimate leans on them as if they were half a cycle and two cycles
// of hers; bench_forecast chose the weights.
constexpr double kTypicalCycle = 29.3;
constexpr double kTypicalCycleWeight = 0.5;
constexpr double kTypicalSpread = 2.5;
constexpr double kTypicalSpreadWeight = 2;
// No cycle moves her estimate by more than this many of her middle strays from her middle length.
constexpr double kStrayLimit = 1.5;
// A length within this share of her usual one from twice it is taken as two cycles.
constexpr double kTwiceWithin = 0.3;

template <typename Number> double Middle(std::vector<Number> values)
{
    const auto half = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), half, values.end());
    if (values.size() % 2)
        return *half;
    return (*half + *std::max_element(values.begin(), half)) / 2.0;
}

// Her usual length: the middle of the lengths that count, once two do.
std::optional<double> UsualOf(std::span<const int> lengths)
{
    std::vector<int> counted;
    std::copy_if(lengths.begin(), lengths.end(), std::back_inserter(counted), Counts);
    if (counted.size() < 2)
        return std::nullopt;
    return Middle(std::move(counted));
}

// About twice her usual length, and made of two lengths that count each.
bool TwoCycles(int length, std::optional<double> usual)
{
    return usual && std::abs(length - 2 * *usual) <= kTwiceWithin * *usual &&
           Counts(length / 2) && Counts(length - length / 2);
}

// Her cycles among `lengths`: each that counts, and both halves of one taken as two.
std::vector<double> CyclesOf(std::span<const int> lengths, std::optional<double> usual)
{
    std::vector<double> cycles;
    for (const int length : lengths) {
        if (TwoCycles(length, usual))
            cycles.insert(cycles.end(), 2, length / 2.0);
        else if (Counts(length))
            cycles.push_back(length);
    }
    return cycles;
}

// The length of her next cycle: the mean of her cycles with none counted further from their
// middle than kStrayLimit middle strays, leaning toward the typical cycle while they are few;
// and how far a cycle strays from it, her own spread beside the typical one, widened by how
// little a few cycles tell of their mean.
std::optional<CycleEstimate> EstimateOf(const std::vector<double>& cycles)
{
    if (cycles.size() < kForecastCycles)
        return std::nullopt;
    const double count = static_cast<double>(cycles.size());
    const double middle = Middle(cycles);
    std::vector<double> strays;
    for (const double cycle : cycles)
        strays.push_back(std::abs(cycle - middle));
    const double limit = kStrayLimit * std::max(Middle(std::move(strays)), 1.0);
    double held = 0;
    double sum = 0;
    for (const double cycle : cycles) {
        held += std::clamp(cycle, middle - limit, middle + limit);
        sum += cycle;
    }
    const double mean = sum / count;
    double squares = 0;
    for (const double cycle : cycles)
        squares += (cycle - mean) * (cycle - mean);
    const double variance = (squares + kTypicalSpreadWeight * kTypicalSpread * kTypicalSpread) /
                            (count - 1 + kTypicalSpreadWeight);
    const double length =
        (held + kTypicalCycleWeight * kTypicalCycle) / (count + kTypicalCycleWeight);
    return CycleEstimate{
        std::clamp(length, double{kShortestCountedCycle}, double{kLongestCountedCycle}),
        std::sqrt(variance * (1 + 1 / count))};
}

std::vector<int> LengthsOf(std::span<const sys_days> days)
{
    std::vector<int> lengths;
    for (std::size_t i = 1; i < days.size(); ++i)
        lengths.push_back(static_cast<int>((days[i] - days[i - 1]).count()));
    return lengths;
}

std::optional<CycleSpread> SpreadOf(const RecordHistory& history)
{
    if (history.counted < kForecastCycles)
        return std::nullopt;
    const CycleEstimate& estimate = *history.estimate;
    const auto after = [&estimate](double strays) {
        return static_cast<int>(std::lround(estimate.length + strays * estimate.spread));
    };
    const int likeliest = after(0);
    // At least a day either side, and never before a cycle too short to count.
    return CycleSpread{.shortest = *history.shortest,
                       .longest = *history.longest,
                       .earliest = std::clamp(after(-kRangeEarly),
                                              std::min(kShortestCountedCycle, likeliest - 1),
                                              likeliest - 1),
                       .likeliest = likeliest,
                       .latest = std::max(after(kRangeLate), likeliest + 1)};
}

template <typename T> std::span<const T> Latest(std::span<const T> all, std::size_t count)
{
    return all.last(std::min(all.size(), count));
}

} // namespace

RecordHistory HistoryOf(std::span<const sys_days> days)
{
    RecordHistory history;
    const std::vector<int> lengths = LengthsOf(days);
    const std::optional<double> usual =
        UsualOf(Latest(std::span<const int>(lengths), kCyclesForecast));
    for (std::size_t i = 0; i < days.size(); ++i) {
        RecordedDay& recorded = history.days.emplace_back(RecordedDay{days[i], std::nullopt});
        if (i > 0) {
            recorded.length = lengths[i - 1];
            recorded.twoCycles = TwoCycles(lengths[i - 1], usual);
        }
    }
    long long sum = 0;
    const auto count = [&history, &sum](int length, int cycles) {
        history.counted += cycles;
        sum += length;
        const int shortest = length / cycles;
        const int longest = length - shortest * (cycles - 1);
        history.shortest = std::min(history.shortest.value_or(shortest), shortest);
        history.longest = std::max(history.longest.value_or(longest), longest);
    };
    for (const int length : Latest(std::span<const int>(lengths), kCyclesAveraged)) {
        if (TwoCycles(length, usual))
            count(length, 2);
        else if (Counts(length))
            count(length, 1);
        else
            ++history.leftOut;
    }
    if (history.counted > 0) {
        // Half to even in whole numbers: no rounding error can move a half.
        const long long whole = sum / history.counted;
        const long long twiceRest = 2 * (sum % history.counted);
        const bool up = twiceRest > history.counted || (twiceRest == history.counted && whole % 2);
        history.average = static_cast<int>(whole + (up ? 1 : 0));
    }
    if (history.counted >= kForecastCycles)
        history.estimate =
            EstimateOf(CyclesOf(Latest(std::span<const int>(lengths), kCyclesForecast), usual));
    return history;
}

std::vector<std::string> HistoryLines(const RecordHistory& history, std::size_t latest)
{
    std::vector<std::string> lines;
    const std::size_t from = history.days.size() - std::min(latest, history.days.size());
    for (const RecordedDay& recorded : std::span(history.days).subspan(from)) {
        std::string line = DayText(recorded.day);
        if (recorded.twoCycles)
            line += texts::TwoCyclesLength(*recorded.length);
        else if (recorded.length)
            line += texts::RecordedLength(*recorded.length, Counts(*recorded.length));
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string HistorySummary(const RecordHistory& history)
{
    if (history.days.empty())
        return std::string(texts::kRecordEmpty);
    if (!history.average)
        return history.leftOut > 0
                   ? texts::NoCycleCounted(kShortestCountedCycle, kLongestCountedCycle)
                   : std::string(texts::kNoAverageYet);
    return texts::RecordFigures(history.counted, *history.average, *history.shortest,
                                *history.longest);
}

std::string HistoryNote(const RecordHistory& history)
{
    return history.leftOut > 0
               ? texts::LeftOutNote(history.leftOut, kShortestCountedCycle, kLongestCountedCycle)
               : std::string();
}

Forecast ForecastOf(const RecordHistory& history, sys_days today)
{
    Forecast forecast;
    forecast.counted = history.counted;
    if (!history.days.empty())
        forecast.last = history.days.back().day;
    if (history.counted < kForecastCycles) {
        // Each first day to come adds a length, at best one that counts.
        const int recorded = static_cast<int>(std::min<std::size_t>(history.days.size(), 3));
        forecast.firstDaysNeeded =
            std::max(kForecastCycles + 1 - recorded, kForecastCycles - history.counted);
        return forecast;
    }
    const sys_days last = *forecast.last;
    const CycleSpread spread = *SpreadOf(history);
    const DayRange range{last + days{spread.earliest}, last + days{spread.latest}};
    if (!IsPickerDay(range.last))
        return forecast;
    forecast.next = last + days{spread.likeliest};
    forecast.range = range;
    forecast.today = today;
    if (today > range.last) {
        forecast.lateBy = static_cast<int>((today - *forecast.next).count());
        // Longer ago than two of her longest cycles: a period she did not record, most likely.
        if (today - last > days{kStaleCycles * *history.longest})
            forecast.sinceLast = static_cast<int>((today - last).count());
    }
    if (history.counted >= kCalendarMethodCycles)
        forecast.fertile =
            DayRange{last + days{std::max(*history.shortest - kMethodFromShortest, 1) - 1},
                     last + days{*history.longest - kMethodFromLongest - 1}};
    return forecast;
}

namespace {

// The history of the latest days alone: the figures and the forecast look no further back than
// their lengths, so a record of a lifetime costs the same.
RecordHistory LatestHistory(std::span<const sys_days> days)
{
    return HistoryOf(Latest(days, kCyclesForecast + 1));
}

} // namespace

std::optional<DayRange> NextPeriodRange(std::span<const sys_days> days)
{
    return ForecastOf(LatestHistory(days), sys_days{}).range;
}

std::optional<CycleSpread> SpreadOf(std::span<const sys_days> recorded)
{
    return SpreadOf(LatestHistory(recorded));
}

DayRange FertileDays(DayRange firsts, const CycleSpread& spread)
{
    return {firsts.first + days{spread.shortest - kFertileBeforeShortest},
            firsts.last + days{spread.longest - kFertileBeforeLongest}};
}

std::vector<std::string> ForecastLines(const Forecast& forecast)
{
    if (forecast.firstDaysNeeded > 0)
        return {texts::ForecastNeeds(forecast.firstDaysNeeded)};
    if (!forecast.next || !forecast.range)
        return {std::string(texts::kForecastPastCalendar)};
    // So long after her last period, what it foretold says nothing: the notice asks for her
    // latest first day.
    if (forecast.sinceLast > 0)
        return {};
    std::vector<std::string> lines;
    // No day already past is named the next; a late period's notice says when it was due.
    if (forecast.today <= *forecast.next)
        lines.push_back(texts::ForecastNext(DayText(*forecast.next)));
    else if (forecast.lateBy <= 0)
        lines.push_back(texts::ForecastDue(DayText(*forecast.next)));
    lines.push_back(texts::ForecastRange(DayText(forecast.range->first),
                                         DayText(forecast.range->last), kRangeShare));
    if (forecast.fertile) {
        lines.push_back(texts::FertileByMethod(DayText(forecast.fertile->first),
                                               DayText(forecast.fertile->last)));
        lines.emplace_back(texts::kMethodCaution);
    } else {
        lines.push_back(texts::MethodNeeds(kCalendarMethodCycles, forecast.counted));
    }
    return lines;
}

std::string ForecastNotice(const Forecast& forecast)
{
    if (forecast.sinceLast > 0)
        return texts::LastBegan(DayText(*forecast.last), forecast.sinceLast);
    if (forecast.lateBy > 0)
        return texts::Overdue(DayText(*forecast.next), forecast.lateBy);
    return {};
}

RecordView ViewOf(const std::vector<sys_days>& days, sys_days today, std::size_t latest)
{
    const RecordHistory history = HistoryOf(days);
    const Forecast forecast = ForecastOf(history, today);
    // A period that may begin in a day or two is said first too, as the reminder says it.
    std::string notice = ForecastNotice(forecast);
    if (const auto due = DueReminder(forecast); notice.empty() && due)
        notice = due->words;
    std::optional<RecordInputs> inputs;
    if (!days.empty())
        inputs = RecordInputs{days.back(), std::nullopt};
    if (forecast.next)
        inputs->cycleLength = static_cast<int>((*forecast.next - days.back()).count());
    return {.lines = HistoryLines(history, latest),
            .days = days.size(),
            .summary = HistorySummary(history),
            .note = HistoryNote(history),
            .average = history.average,
            .useAverage = history.average ? texts::UseAverage(*history.average) : std::string(),
            .notice = std::move(notice),
            .forecast = ForecastLines(forecast),
            .inputs = inputs,
            .spread = SpreadOf(history)};
}

} // namespace velmora
