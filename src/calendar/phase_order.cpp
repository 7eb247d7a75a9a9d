// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "phase_order.h"

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

int CycleLengthDays(const PhaseDates& dates)
{
    return static_cast<int>(
        (dates[Slot::NextPeriod].Days() - dates[Slot::PeriodFirst].Days()).count());
}

} // namespace velmora
