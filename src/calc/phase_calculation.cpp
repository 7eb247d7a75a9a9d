// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "phase_calculation.h"

#include "read_leading_number.h"

namespace velmora {

PhaseDates CalculatePhases(CalendarDate firstDay, std::string_view cycleLengthText)
{
    PhaseDates dates;
    dates[Slot::PeriodFirst] = firstDay;
    // A length that cannot be read or added leaves the next period on the first day, so the
    // slots derived from it come out as for a length of 0.
    dates[Slot::NextPeriod] = firstDay;
    if (const auto length = ReadLeadingNumber(cycleLengthText)) {
        if (const auto next = firstDay.AddDays(*length))
            dates[Slot::NextPeriod] = *next;
    }
    // A step whose date leaves the calendar leaves its slot as it was.
    for (const PhaseStep& step : kPhaseSteps) {
        if (const auto moved = dates[step.from].AddDays(step.days))
            dates[step.slot] = *moved;
    }
    return dates;
}

} // namespace velmora
