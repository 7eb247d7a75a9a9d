// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "phase_calculation.h"

#include <optional>
#include <string_view>

namespace velmora {

// Why a calculation cannot be a calendar. The terminal program words it for itself; the
// window and the web page say RefusalWords.
enum class CalendarRefusal {
    NoNumber,       // the cycle length typed holds no number: the dates were computed with 0
    DateOutOfRange, // a step left the calendar, or the last phase ends on 9999-12-31
    OutOfOrder,     // the cycle is too short for its periods to follow each other
    NotReadBack,    // the calendar did not read back with the dates it was given
    TooShort,       // a cycle under 15 days, too short even for its months to be drawn
};

// Why the phases of a calculation cannot stand in a calendar, or nothing when they can: every
// step of the calculation succeeded, and the four periods follow each other without a gap or
// an overlap, each ending on or after the day it begins, with the ovulation day inside the
// dangerous period and the next period after the second safe one. The day after the last one
// must exist too, since a calendar ends an all-day event there.
std::optional<CalendarRefusal> PhaseOrderProblem(const PhaseDates& dates);

// Why the calculation of `cycleLengthText` cannot be a calendar, or nothing when it can: a text
// that holds no number, or one too large to add to the first day, would make a calendar of a
// cycle she never typed; then the phases themselves must be in order (PhaseOrderProblem).
std::optional<CalendarRefusal> ExportProblem(const PhaseDates& dates,
                                             std::string_view cycleLengthText);

// Why a calendar cannot be made, in the Chinese both the window and the web page show.
std::string_view RefusalWords(CalendarRefusal refusal);

// The cycle length in whole days that the dates were computed with.
int CycleLengthDays(const PhaseDates& dates);

} // namespace velmora
