// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The first day (from the first four bytes) and any cycle-length text (the rest) always give
// six lines of the fixed shape.
#include "fuzz_check.h"
#include "phase_calculation.h"
#include "read_leading_number.h"
#include "result_lines.h"

#include <algorithm>
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

    // Four periods, then two single days, each label after 33 characters; '#' is any digit.
    static const std::string day = "####-##-##", range = day + "    --    " + day + "   ";
    const auto lines = velmora::ResultLines(dates);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const velmora::Phase& phase = velmora::kPhases[i];
        const std::string shape = (i < 4 ? range : day + std::string(23, ' ')) +
                                  std::string(phase.label) +
                                  std::string(std::size_t(phase.lineTrailingBlanks), ' ');
        FUZZ_CHECK(std::equal(lines[i].begin(), lines[i].end(), shape.begin(), shape.end(),
                              [](char c, char expected) {
                                  return expected == '#' ? c >= '0' && c <= '9' : c == expected;
                              }));
    }
    return 0;
}
