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
    FUZZ_CHECK(dates.Slot(1) == *firstDay);
    if (!velmora::ReadLeadingNumber(text))
        FUZZ_CHECK(dates.Slot(10) == *firstDay); // an unreadable length counts as 0

    // '#' stands for any digit.
    static const std::string day = "####-##-##", range = day + "    --    " + day + "   ";
    static const char* const kTails[] = {"月经期",       "安全期      ", "危险期    ",
                                         "安全期      ", "排卵日   ",    "下次月经开始日"};
    const auto lines = velmora::ResultLines(dates);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string shape = (i < 4 ? range : day + std::string(23, ' ')) + kTails[i];
        FUZZ_CHECK(std::equal(lines[i].begin(), lines[i].end(), shape.begin(), shape.end(),
                              [](char c, char expected) {
                                  return expected == '#' ? c >= '0' && c <= '9' : c == expected;
                              }));
    }
    return 0;
}
