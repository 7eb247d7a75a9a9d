// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calendar_date.h"

#include <array>
#include <string_view>

namespace velmora {

// The ten dates of one cycle, numbered 1 to 10 as the result lines have always named them.
// P is the first day of the period and n the cycle length.
enum class Slot {
    PeriodFirst = 1,     // P
    PeriodLast = 2,      // P + 4
    FirstSafeFirst = 3,  // P + 5
    FirstSafeLast = 4,   // P + n - 20
    DangerousFirst = 5,  // P + n - 19
    DangerousLast = 6,   // P + n - 10
    SecondSafeFirst = 7, // P + n - 9
    SecondSafeLast = 8,  // P + n - 1
    Ovulation = 9,       // P + n - 14
    NextPeriod = 10,     // P + n
};

// One step of the calculation: `slot` is the date `days` away from `from`.
struct PhaseStep {
    Slot slot;
    Slot from;
    int days;
};

// How every slot but the first day and the next period follows from another, in the order the
// calculation takes them. A step's date is computed from the one before it in the chain, never
// from P or n directly, so that a step that fails shows in every slot derived from it.
inline constexpr std::array<PhaseStep, 8> kPhaseSteps{{
    {.slot = Slot::PeriodLast, .from = Slot::PeriodFirst, .days = 4},
    {.slot = Slot::FirstSafeFirst, .from = Slot::PeriodLast, .days = 1},
    {.slot = Slot::Ovulation, .from = Slot::NextPeriod, .days = -14},
    {.slot = Slot::DangerousFirst, .from = Slot::Ovulation, .days = -5},
    {.slot = Slot::FirstSafeLast, .from = Slot::DangerousFirst, .days = -1},
    {.slot = Slot::DangerousLast, .from = Slot::Ovulation, .days = 4},
    {.slot = Slot::SecondSafeFirst, .from = Slot::DangerousLast, .days = 1},
    {.slot = Slot::SecondSafeLast, .from = Slot::NextPeriod, .days = -1},
}};

// One of the six phases a calculation shows: a line of the list and an event of the calendar.
struct Phase {
    Slot first;
    Slot last; // the same as `first` for a single day
    std::string_view label;
    int lineTrailingBlanks; // the blanks its result line ends in
};

// The six phases in the order they are listed; the ovulation day comes after the second safe
// period, although it lies inside the dangerous one.
inline constexpr std::array<Phase, 6> kPhases{{
    // first slot, last slot, label, blanks after the label in its line
    {Slot::PeriodFirst, Slot::PeriodLast, "月经期", 0},
    {Slot::FirstSafeFirst, Slot::FirstSafeLast, "安全期", 6},
    {Slot::DangerousFirst, Slot::DangerousLast, "危险期", 4},
    {Slot::SecondSafeFirst, Slot::SecondSafeLast, "安全期", 6},
    {Slot::Ovulation, Slot::Ovulation, "排卵日", 3},
    {Slot::NextPeriod, Slot::NextPeriod, "下次月经开始日", 0},
}};

// The ten dates of one calculation. A slot that could not be computed keeps the zero date
// 1899-12-30.
class PhaseDates
{
public:
    CalendarDate& operator[](Slot slot) { return slots_[Index(slot)]; }
    const CalendarDate& operator[](Slot slot) const { return slots_[Index(slot)]; }

private:
    static std::size_t Index(Slot slot) { return static_cast<std::size_t>(slot) - 1; }

    std::array<CalendarDate, 10> slots_{};
};

// The cycle length shown until she saves her own.
inline constexpr std::string_view kDefaultCycleLengthText = "30";

// Derives the ten dates from the first day P and the typed cycle length. Nothing is
// validated and nothing is reported: a step whose date arithmetic fails simply leaves its
// slot as it was, and the later steps go on from what there is.
PhaseDates CalculatePhases(CalendarDate firstDay, std::string_view cycleLengthText);

} // namespace velmora
