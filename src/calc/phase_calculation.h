// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calendar_date.h"

#include <array>
#include <string_view>

namespace velmora {

// The ten dates of one cycle, in slots numbered 1 to 10 as the result lines name them:
//  1 first day of the period      2 its last day (P + 4)
//  3 first safe period begins     4 ... ends (P + n - 20)
//  5 dangerous period begins      6 ... ends (P + n - 10)
//  7 second safe period begins    8 ... ends (P + n - 1)
//  9 ovulation day (P + n - 14)  10 first day of the next period (P + n)
// A slot that could not be computed keeps the zero date 1899-12-30.
class PhaseDates
{
public:
    CalendarDate& Slot(int number) { return slots_.at(static_cast<std::size_t>(number - 1)); }
    const CalendarDate& Slot(int number) const
    {
        return slots_.at(static_cast<std::size_t>(number - 1));
    }

private:
    std::array<CalendarDate, 10> slots_{};
};

// Derives the ten dates from the first day P and the typed cycle length. Nothing is
// validated and nothing is reported: a step whose date arithmetic fails simply leaves its
// slot as it was, and the later steps go on from what there is.
PhaseDates CalculatePhases(CalendarDate firstDay, std::string_view cycleLengthText);

} // namespace velmora
