// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "phase_order.h"

#include "read_leading_number.h"

namespace velmora {

std::optional<CalendarRefusal> PhaseOrderProblem(const PhaseDates& dates)
{
    // A step that failed leaves its slot off the chain.
    for (const PhaseStep& step : kPhaseSteps) {
        if (dates[step.from].AddDays(step.days) != dates[step.slot])
            return CalendarRefusal::DateOutOfRange;
    }
    // With every link intact, the periods can only fail to follow each other by a cycle too
    // short for them: the first safe period then ends before it begins.
    if (dates[Slot::FirstSafeLast] < dates[Slot::FirstSafeFirst])
        return CalendarRefusal::OutOfOrder;
    // In order, the next period is the latest day of all.
    if (!dates[Slot::NextPeriod].AddDays(1))
        return CalendarRefusal::DateOutOfRange;
    return std::nullopt;
}

std::optional<CalendarRefusal> ExportProblem(const PhaseDates& dates,
                                             std::string_view cycleLengthText)
{
    if (!BeginsWithNumber(cycleLengthText))
        return CalendarRefusal::NoNumber;
    const auto length = ReadLeadingNumber(cycleLengthText);
    if (!length || !dates[Slot::PeriodFirst].AddDays(*length))
        return CalendarRefusal::DateOutOfRange;
    return PhaseOrderProblem(dates);
}

std::string_view RefusalWords(CalendarRefusal refusal)
{
    switch (refusal) {
    case CalendarRefusal::NoNumber:
        return "月经周期不是数字，不能导出到日历。";
    case CalendarRefusal::DateOutOfRange:
        return "有日期超出日历的100年至9999年，不能导出到日历。";
    case CalendarRefusal::OutOfOrder:
        return "月经周期短于25天，各期的先后次序不对，不能导出到日历。";
    case CalendarRefusal::TooShort:
        return "月经周期短于15天，画不出月历。";
    case CalendarRefusal::NotReadBack:
        break;
    }
    return "日历中的日期未能正确写出。";
}

int CycleLengthDays(const PhaseDates& dates)
{
    return static_cast<int>(
        (dates[Slot::NextPeriod].Days() - dates[Slot::PeriodFirst].Days()).count());
}

} // namespace velmora
