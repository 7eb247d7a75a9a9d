// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The first day (from the first four bytes) and any cycle-length text (the rest) always give
// six lines of the fixed shape.
#include "fuzz_check.h"
#include "phase_calculation.h"
#include "read_leading_number.h"
#include "result_lines.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

using namespace std::chrono;

// "YYYY-MM-DD": digits but for the two hyphens.
bool IsDateText(std::string_view text)
{
    constexpr std::string_view kShape = "0000-00-00";
    bool shaped = text.size() == kShape.size();
    for (std::size_t i = 0; shaped && i < text.size(); ++i)
        shaped = kShape[i] == '-' ? text[i] == '-' : text[i] >= '0' && text[i] <= '9';
    return shaped;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    std::uint32_t raw = 0;
    std::memcpy(&raw, data, 4);
    constexpr sys_days kFirst{year{100} / January / 1};
    constexpr sys_days kLast{year{9999} / December / 31};
    const auto span = static_cast<std::uint32_t>((kLast - kFirst).count() + 1);
    const auto firstDay = velmora::CalendarDate::FromDays(kFirst + days{raw % span});
    FUZZ_CHECK(firstDay.has_value());

    const std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);
    const velmora::PhaseDates dates = velmora::CalculatePhases(*firstDay, text);
    FUZZ_CHECK(dates.Slot(1) == *firstDay);
    if (!velmora::ReadLeadingNumber(text))
        FUZZ_CHECK(dates.Slot(10) == *firstDay); // an unreadable length counts as 0

    const auto lines = velmora::ResultLines(dates);
    static constexpr std::string_view kTails[] = {
        "   月经期",
        "   安全期      ",
        "   危险期    ",
        "   安全期      ",
        "                       排卵日   ",
        "                       下次月经开始日",
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t tail = i < 4 ? 30 : 10;
        FUZZ_CHECK(IsDateText(line.substr(0, 10)) && line.substr(tail) == kTails[i]);
        if (i < 4)
            FUZZ_CHECK(line.substr(10, 10) == "    --    " && IsDateText(line.substr(20, 10)));
    }
    return 0;
}
