// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "phase_calculation.h"

#include <optional>
#include <string>

namespace velmora {

// Why the phases of a calculation cannot stand in a calendar, or nothing when they can: every
// step of the calculation succeeded, and the four periods follow each other without a gap or
// an overlap, each ending on or after the day it begins, with the ovulation day inside the
// dangerous period and the next period after the second safe one.
std::optional<std::string> PhaseOrderProblem(const PhaseDates& dates);

// The cycle length in whole days that the dates were computed with.
int CycleLengthDays(const PhaseDates& dates);

} // namespace velmora
