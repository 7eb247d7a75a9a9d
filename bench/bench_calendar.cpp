// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How long an export takes to read the SEQUENCE of the file it replaces, when that file is the
// most a reader takes (1 MiB) of a hostile calendar: parameters by the hundred thousand.
#include "calendar_export.h"

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

} // namespace

BENCHMARK_MAIN();
