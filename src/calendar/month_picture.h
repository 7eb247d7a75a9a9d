// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "phase_order.h"

#include <array>
#include <chrono>
#include <span>
#include <string>
#include <vector>

// Her cycle as months of days, each day in the phases it lies in: the calculated cycle and the
// ones coming after it, each repeating the calculation from the next period's first day with
// the same length, as far as the calendar reaches. One answer for every face.
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
};

// The kinds in the order a day's name lists them, each with its label; the legend shows them
// in this order too. The ovulation day names only 排卵日: it lies in the fertile days by
// definition. 可能来月经 comes last.
struct KindLabel {
    DayKind kind;
    std::string_view label;
};
const std::array<KindLabel, 6>& Legend();

struct PictureDay {
    CalendarDate date;
    unsigned kinds = 0; // DayKind bits; 0 for a day outside every cycle
    int cycle = -1;     // 0 the calculated cycle, k the k-th coming one, -1 none
    bool today = false;
    // The kind its cell shows: a recorded period's, else 可能来月经, else the first of Legend() it
    // lies in, or 0.
    DayKind Shown() const;
    // "2004-03-20 下次月经开始日 月经期": its date (and 今天, today) and the labels of the phases
    // it lies in, a recorded period's days among the period's; each of those ends in 已记下.
    std::string Name() const;
};

struct MonthPicture {
    std::chrono::year_month month;
    std::string caption;                      // 2004年2月
    std::array<std::string_view, 7> weekdays; // Sunday first
    unsigned firstWeekday = 0;                // of the 1st; 0 for Sunday
    std::vector<PictureDay> days;             // the 1st to the last
};

// Why a calculation has no picture (as for a calendar), or nothing when it has one.
std::optional<CalendarRefusal> PictureProblem(const PhaseDates& dates,
                                              std::string_view cycleLengthText);

// One month of a calculation that has a picture, with the periods of her record (its days,
// earliest first) wherever they lie, and the days her next period may begin on where the
// record foretells it. The same cost whatever the cycle length.
MonthPicture PictureOfMonth(const PhaseDates& dates, std::chrono::year_month month,
                            std::optional<std::chrono::sys_days> today,
                            std::span<const std::chrono::sys_days> recorded = {});

// The months shown at once: the calculated cycle's, from its first day's month, at most three;
// today's month first where today lies inside the cycle. MonthsFrom: as many from the month a
// face has moved to with 上个月, 下个月 or 今天. Never outside the picker's years.
std::vector<std::chrono::year_month> ShownMonths(const PhaseDates& dates,
                                                 std::optional<std::chrono::sys_days> today);
std::vector<std::chrono::year_month> MonthsFrom(const PhaseDates& dates,
                                                std::chrono::year_month from);

// The month a day lies in.
std::chrono::year_month MonthOf(std::chrono::sys_days day);

// One month on, or back, within the picker's years.
std::chrono::year_month MovedMonth(std::chrono::year_month month, int by);

} // namespace velmora
