// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How many calculations (the ten dates and the six lines) one core does a second.
#include "phase_calculation.h"
#include "result_lines.h"

#include <benchmark/benchmark.h>

namespace {

void CalculateAndRender(benchmark::State& state, const char* text)
{
    const auto firstDay = velmora::CalendarDate::FromYmd(2004, 2, 19).value();
    for (auto _ : state) {
        auto lines = velmora::ResultLines(velmora::CalculatePhases(firstDay, text));
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK_CAPTURE(CalculateAndRender, typical, "30");
BENCHMARK_CAPTURE(CalculateAndRender, fraction, "28.6");

} // namespace

BENCHMARK_MAIN();
