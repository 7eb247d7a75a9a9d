// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How long her record takes at the most any face reads (1 MiB): a change to a record of ninety
// thousand days (read, add, written back, summed up), and a file taken in, drip's CSV of a
// lifetime or a single quoted field of a megabyte.
#include "calendar_date.h"
#include "record_history.h"
#include "record_import.h"

#include <benchmark/benchmark.h>

namespace {

using namespace std::chrono;

std::string LargestRecord()
{
    std::string record;
    for (sys_days day = sys_days{year{1700} / 1 / 1}; record.size() < velmora::kRecordLimit - 11;
         day += days{1}) {
        velmora::CalendarDate::FromDays(day)->AppendText(record);
        record += '\n';
    }
    return record;
}

void ChangeOfTheLargestRecord(benchmark::State& state)
{
    const std::string text = LargestRecord();
    for (auto _ : state) {
        velmora::PeriodRecord record = velmora::PeriodRecord::Read(text);
        record.Add(sys_days{year{9000} / 1 / 1});
        benchmark::DoNotOptimize(record.Text());
        benchmark::DoNotOptimize(velmora::HistoryOf(record.Days()));
    }
}
BENCHMARK(ChangeOfTheLargestRecord)->Unit(benchmark::kMillisecond);

void TakeInALargeFile(benchmark::State& state, bool drip)
{
    std::string file = drip ? "date,temperature.value,bleeding.value,bleeding.exclude\n" : "\"";
    for (sys_days day = sys_days{year{1700} / 1 / 1}; file.size() < velmora::kRecordLimit - 40;
         day += days{1}) {
        if (drip) {
            velmora::CalendarDate::FromDays(day)->AppendText(file);
            file += day.time_since_epoch().count() % 28 < 5 ? ",36.5,2,false\n" : ",36.5,,\n";
        } else {
            file += "a,\"\"\n";
        }
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(velmora::TakeIn(file));
}
BENCHMARK_CAPTURE(TakeInALargeFile, drip, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TakeInALargeFile, oneQuotedField, false)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
