// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How long an export takes to read the SEQUENCE of the file it replaces, when that file is the
// most a reader takes (1 MiB) of a hostile calendar: parameters by the hundred thousand. And
// how long the month picture takes to answer one month, for a short and two huge cycles.
#include "calendar_export.h"
#include "month_picture.h"

#include <benchmark/benchmark.h>

namespace {

void SequenceOfAHostileFile(benchmark::State& state)
{
    std::string calendar = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nX-P";
    while (calendar.size() < 1024 * 1024 - 64)
        calendar += ";A=1";
    calendar += ":x\r\nSEQUENCE:3\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(velmora::SequenceAfter(calendar));
}

BENCHMARK(SequenceOfAHostileFile)->Unit(benchmark::kMillisecond);

void MonthOfACycle(benchmark::State& state, const char* cycle)
{
    using namespace std::chrono;
    const auto first = velmora::CalendarDate::FromYmd(1601, 1, 1).value();
    const velmora::PhaseDates dates = velmora::CalculatePhases(first, cycle);
    const year_month_day next = dates[velmora::Slot::NextPeriod].Ymd();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            velmora::PictureOfMonth(dates, next.year() / next.month(), sys_days{}));
}

BENCHMARK_CAPTURE(MonthOfACycle, days28, "28")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MonthOfACycle, days32767, "32767")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(MonthOfACycle, days1e6, "1e6")->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
