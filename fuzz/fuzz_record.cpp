// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as her record, or as a file she takes in: nothing she wrote is lost on a rewrite,
// only days of the picker are taken, the figures stay within the cycles they sum up, and what
// they foretell stays within the calendar.
#include "fuzz_check.h"
#include "kept_inputs.h"
#include "record_change.h"
#include "record_history.h"
#include "record_import.h"

#include <algorithm>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace std::chrono;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    velmora::PeriodRecord record = velmora::PeriodRecord::Read(bytes);
    const std::string text = record.Text();
    // Written once, it reads back as the same record and the same text.
    FUZZ_CHECK(velmora::PeriodRecord::Read(text).Text() == text);
    const std::vector<sys_days> days = record.Days();
    FUZZ_CHECK(std::is_sorted(days.begin(), days.end()) &&
               std::adjacent_find(days.begin(), days.end()) == days.end());
    FUZZ_CHECK(std::all_of(days.begin(), days.end(), velmora::IsPickerDay));

    const velmora::TakenIn taken = velmora::TakeIn(bytes);
    FUZZ_CHECK(!taken.tooLarge || taken.record.Days().empty());
    std::vector<sys_days> union_ = days;
    for (const sys_days day : taken.record.Days()) {
        FUZZ_CHECK(velmora::IsPickerDay(day));
        union_.push_back(day);
    }
    std::sort(union_.begin(), union_.end());
    union_.erase(std::unique(union_.begin(), union_.end()), union_.end());
    // Taken in as a change: within what every face reads back, or nothing changed at all.
    velmora::PeriodRecord changed = record;
    const velmora::RecordChange outcome = velmora::TakeInto(changed, taken, std::nullopt);
    FUZZ_CHECK(outcome.refused
                   ? changed.Text() == text
                   : !outcome.changed || changed.Text().size() <= velmora::kRecordLimit);
    const int added = record.Merge(taken.record);
    FUZZ_CHECK(added == static_cast<int>(union_.size() - days.size()) && record.Days() == union_);

    const velmora::RecordHistory history = velmora::HistoryOf(union_);
    // A length taken as two cycles counts twice.
    const auto window =
        std::span(history.days).last(std::min(velmora::kCyclesAveraged, history.days.size()));
    const auto twice = std::count_if(window.begin(), window.end(),
                                     [](const velmora::RecordedDay& day) { return day.twoCycles; });
    FUZZ_CHECK(history.counted + history.leftOut - twice <=
               static_cast<int>(std::min(velmora::kCyclesAveraged, union_.size())));
    if (history.average)
        FUZZ_CHECK(velmora::kShortestCountedCycle <= *history.shortest &&
                   *history.shortest <= *history.average && *history.average <= *history.longest &&
                   *history.longest <= velmora::kLongestCountedCycle);
    else
        FUZZ_CHECK(history.counted == 0);
    // A forecast, on any day, is days of the picker in order after her last first day.
    const velmora::Forecast forecast =
        velmora::ForecastOf(history, union_.empty() ? sys_days{} : union_.front());
    if (forecast.range)
        FUZZ_CHECK(
            *forecast.last < forecast.range->first && forecast.range->first <= *forecast.next &&
            *forecast.next <= forecast.range->last && velmora::IsPickerDay(forecast.range->last) &&
            (!forecast.fertile || (forecast.fertile->first <= forecast.fertile->last &&
                                   forecast.fertile->first >= *forecast.last &&
                                   forecast.fertile->last <
                                       *forecast.last + std::chrono::days{*history.longest})));
    return 0;
}
