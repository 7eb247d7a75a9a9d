// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_history.h"

#include "calendar_date.h"
#include "texts.h"

#include <algorithm>
#include <span>

namespace velmora {

namespace {

bool Counts(int length)
{
    return length >= kShortestCountedCycle && length <= kLongestCountedCycle;
}

} // namespace

RecordHistory HistoryOf(const std::vector<std::chrono::sys_days>& days)
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
        std::string line = CalendarDate::FromDays(recorded.day).value_or(CalendarDate{}).Text();
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

RecordView ViewOf(const std::vector<std::chrono::sys_days>& days, std::size_t latest)
{
    const RecordHistory history = HistoryOf(days);
    return {.lines = HistoryLines(history, latest),
            .days = days.size(),
            .summary = HistorySummary(history),
            .note = HistoryNote(history),
            .average = history.average,
            .useAverage = history.average ? texts::UseAverage(*history.average) : std::string()};
}

} // namespace velmora
