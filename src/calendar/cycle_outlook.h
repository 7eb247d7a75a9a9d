// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "phase_calculation.h"
#include "record_history.h"

#include <chrono>
#include <optional>
#include <span>
#include <string>

// One outlook of her cycle, decided here once and drawn by every face: the calculated cycle's
// phases where nothing better is known, and once her record foretells, her own fertile days
// (never called safe), the days her next period may begin on, the cycle after it and a late
// period, with nothing painted of a cycle that has not begun.
namespace velmora {

// What a day lies in, a bit each. The values never change: a face may keep them.
enum DayKind : unsigned {
    kPeriod = 1,
    kFirstSafe = 2,
    kFertile = 4,
    kSecondSafe = 8,
    kOvulation = 16,
    kNextPeriod = 32,
    kRecordedPeriod = 64, // one of the days from a first day she recorded
    kRecordedFirst = 128, // the first day she recorded itself
    kLikelyPeriod = 256,  // a day her record says her next period may begin on, not recorded
    kLate = 512,          // a day past the last one her next period was likely to begin on
};

// The phase of the calculation whose first slot a kind stands for; nothing for her record's.
const Phase* PhaseOf(DayKind kind);

class CycleOutlook
{
public:
    // Of a calculation (or none, for her record alone), her recorded first days, earliest first,
    // and today where the clock reads.
    CycleOutlook(const std::optional<PhaseDates>& dates,
                 std::span<const std::chrono::sys_days> recorded,
                 std::optional<std::chrono::sys_days> today);

    // The DayKind bits of a day, the recorded ones among them.
    unsigned KindsOn(std::chrono::sys_days day) const;
    // The calculated cycle a day lies in: 0 the calculated one, k the k-th coming one, -1 none.
    int CycleOf(std::chrono::sys_days day) const;

private:
    unsigned CalculatedKinds(std::chrono::sys_days day) const;
    unsigned ForetoldKinds(std::chrono::sys_days day) const;
    std::optional<std::chrono::sys_days>
    FirstDayBefore(std::chrono::sys_days day,
                   std::optional<std::chrono::sys_days> recordedBefore) const;

    std::optional<PhaseDates> m_dates;
    std::chrono::sys_days m_start{};
    std::chrono::days m_length{0}; // 0 where no calculated cycle is drawn
    std::span<const std::chrono::sys_days> m_recorded;
    std::optional<std::chrono::sys_days> m_today;
    // Once her record foretells: her shortest and longest counted cycle, the days the next
    // period may begin on (from the latest first day known, recorded or calculated), the days of
    // the period after it, and her fertile days in the cycle between.
    CycleSpread m_spread;
    std::chrono::sys_days m_anchor{}; // the latest first day known
    std::optional<DayRange> m_likely;
    DayRange m_after{};
    DayRange m_comingFertile{};
    bool m_late = false; // today is past the last day the next period was likely to begin on
};

// What the six lines' 安全期 are not: where a line's range ends before it begins (a cycle under 25
// days), that the cycle has no 安全期 before its 危险期; and once her record foretells, the days
// the lines call 安全期 that her fertile days hold. Empty where there is nothing to say, or where
// the calculation has no picture. `spread` is her record's (SpreadOf).
std::string SafeCaution(const PhaseDates& dates, std::string_view cycleLengthText,
                        const std::optional<CycleSpread>& spread);

} // namespace velmora
