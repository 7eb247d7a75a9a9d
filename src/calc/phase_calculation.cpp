// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "phase_calculation.h"

#include "read_leading_number.h"

namespace velmora {

namespace {

// One step of the calculation: the target takes the moved date, or stays as it was when
// the move leaves the calendar.
void SetMoved(CalendarDate& target, CalendarDate from, int days)
{
    if (const auto moved = from.AddDays(days))
        target = *moved;
}

} // namespace

PhaseDates CalculatePhases(CalendarDate firstDay, std::string_view cycleLengthText)
{
    PhaseDates dates;
    CalendarDate working = firstDay;
    dates.Slot(1) = working;
    SetMoved(dates.Slot(2), working, 4);
    SetMoved(dates.Slot(3), dates.Slot(2), 1);

    // A length that cannot be read or added leaves the working date at the first day, so
    // the slots below come out as for a length of 0.
    if (const auto length = ReadLeadingNumber(cycleLengthText)) {
        if (const auto next = working.AddDays(*length))
            working = *next;
    }

    dates.Slot(10) = working;
    SetMoved(dates.Slot(9), working, -14);
    SetMoved(dates.Slot(5), dates.Slot(9), -5);
    SetMoved(dates.Slot(4), dates.Slot(5), -1);
    SetMoved(dates.Slot(6), dates.Slot(9), 4);
    SetMoved(dates.Slot(7), dates.Slot(6), 1);
    SetMoved(dates.Slot(8), dates.Slot(10), -1);
    return dates;
}

} // namespace velmora
