// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The first day (from the first four bytes) and any cycle-length text (the rest) always give
// ten dates and six lines, without a crash or undefined behaviour, the first day in slot 1.
#include "fuzz_check.h"
#include "phase_calculation.h"
#include "read_leading_number.h"
#include "result_lines.h"

#include <cstdint>
#include <cstring>
#include <string>

using namespace std::chrono;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    std::uint32_t raw = 0;
    std::memcpy(&raw, data, 4);
    constexpr sys_days kFirst{year{100} / January / 1};
    constexpr auto kSpan = (sys_days{year{9999} / December / 31} - kFirst).count() + 1;
    const auto firstDay = velmora::CalendarDate::FromDays(kFirst + days{raw % kSpan});
    FUZZ_CHECK(firstDay.has_value());

    const std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);
    const velmora::PhaseDates dates = velmora::CalculatePhases(*firstDay, text);
    FUZZ_CHECK(dates[velmora::Slot::PeriodFirst] == *firstDay);
    if (!velmora::ReadLeadingNumber(text)) // an unreadable length counts as 0
        FUZZ_CHECK(dates[velmora::Slot::NextPeriod] == *firstDay);

    velmora::ResultLines(dates); // under the sanitizers: no overflow, however odd the dates
    return 0;
}
