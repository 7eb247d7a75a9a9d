// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "phase_calculation.h"

#include <optional>

namespace velmora {

// Why a calculation cannot be a calendar; each program words it for its own user.
enum class CalendarRefusal {
    DateOutOfRange, // a step left the calendar, or the last phase ends on 9999-12-31
    OutOfOrder,     // the cycle is too short for its periods to follow each other
    NotReadBack,    // the calendar did not read back with the dates it was given
};

// Why the phases of a calculation cannot stand in a calendar, or nothing when they can: every
// step of the calculation succeeded, and the four periods follow each other without a gap or
// an overlap, each ending on or after the day it begins, with the ovulation day inside the
// dangerous period and the next period after the second safe one. The day after the last one
// must exist too, since a calendar ends an all-day event there.
std::optional<CalendarRefusal> PhaseOrderProblem(const PhaseDates& dates);

// The cycle length in whole days that the dates were computed with.
int CycleLengthDays(const PhaseDates& dates);

} // namespace velmora
