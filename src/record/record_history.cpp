// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_history.h"

#include "calendar_date.h"
#include "kept_inputs.h"
#include "texts.h"

#include <algorithm>
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

} // namespace

RecordHistory HistoryOf(std::span<const sys_days> days)
{
    RecordHistory history;
    for (std::size_t i = 0; i < days.size(); ++i) {
        RecordedDay& recorded = history.days.emplace_back(RecordedDay{days[i], std::nullopt});
        if (i > 0)
            recorded.length = static_cast<int>((days[i] - days[i - 1]).count());
    }
    long long sum = 0;
    const std::size_t lengths = days.empty() ? 0 : days.size() - 1;
    for (std::size_t i = days.size() - std::min(lengths, kCyclesAveraged); i < days.size(); ++i) {
        const int length = *history.days[i].length;
        if (!Counts(length)) {
            ++history.leftOut;
            continue;
        }
        ++history.counted;
        sum += length;
        history.shortest = std::min(history.shortest.value_or(length), length);
        history.longest = std::max(history.longest.value_or(length), length);
    }
    if (history.counted > 0) {
        // Half to even in whole numbers: no rounding error can move a half.
        const long long whole = sum / history.counted;
        const long long twiceRest = 2 * (sum % history.counted);
        const bool up = twiceRest > history.counted || (twiceRest == history.counted && whole % 2);
        history.average = static_cast<int>(whole + (up ? 1 : 0));
    }
    return history;
}

std::vector<std::string> HistoryLines(const RecordHistory& history, std::size_t latest)
{
    std::vector<std::string> lines;
    const std::size_t from = history.days.size() - std::min(latest, history.days.size());
    for (const RecordedDay& recorded : std::span(history.days).subspan(from)) {
        std::string line = DayText(recorded.day);
        if (recorded.length)
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
        return std::string(history.leftOut > 0 ? texts::kNoCycleCounted : texts::kNoAverageYet);
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
    const DayRange range{last + days{*history.shortest}, last + days{*history.longest}};
    if (!IsPickerDay(range.last))
        return forecast;
    forecast.next = last + days{*history.average};
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

// The history of the latest days alone: the figures look no further back than their lengths,
// so a record of a lifetime costs the same.
RecordHistory LatestHistory(std::span<const sys_days> days)
{
    return HistoryOf(days.last(std::min(days.size(), kCyclesAveraged + 1)));
}

std::optional<CycleSpread> SpreadOf(const RecordHistory& history)
{
    if (history.counted < kForecastCycles)
        return std::nullopt;
    return CycleSpread{*history.shortest, *history.longest};
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
    if (forecast.range->first != forecast.range->last)
        lines.push_back(
            texts::ForecastRange(DayText(forecast.range->first), DayText(forecast.range->last)));
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
    std::optional<RecordInputs> inputs;
    if (!days.empty())
        inputs = RecordInputs{days.back(), forecast.next ? history.average : std::nullopt};
    return {.lines = HistoryLines(history, latest),
            .days = days.size(),
            .summary = HistorySummary(history),
            .note = HistoryNote(history),
            .average = history.average,
            .useAverage = history.average ? texts::UseAverage(*history.average) : std::string(),
            .notice = ForecastNotice(forecast),
            .forecast = ForecastLines(forecast),
            .inputs = inputs,
            .spread = SpreadOf(history)};
}

} // namespace velmora
