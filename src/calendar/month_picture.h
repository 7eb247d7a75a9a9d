// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cycle_outlook.h"
#include "phase_order.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Her cycle as months of days, each day in the phases it lies in: the calculated cycle and the
// ones coming after it, each repeating the calculation from the next period's first day with
// the same length, as far as the calendar reaches. One answer for every face.
namespace velmora {

// How each kind of day looks on every face, in the legend's order and the order a day's name
// lists them: the window paints it, the terminal marks it, the page styles it by its tokens,
// for each of which its CSS has a rule. A new kind is a row here, its words and that rule. The
// ovulation day names only 排卵日: it lies in the fertile days by definition. After the six
// phases (可能来月经 last) come a day of a period she recorded and today, which no phase looks
// like.
struct KindLook {
    unsigned kind;            // the DayKind a row stands for; kRecordedPeriod, 0 for today
    std::string_view label;   // its legend words
    char mark;                // the terminal's mark after the day's number; ' ' for none
    std::string_view colour;  // period, safe, fertile, next, likely; today's: none
    std::string_view pattern; // plain, dots, stripes, ringed, crosshatch, dashed, today
    std::string_view corner;  // a mark in the cell's corner, or none
};
inline constexpr std::size_t kPhaseLooks = 7; // the rows of the phases; then recorded, today

// A colour token of Looks() as each face paints it: the window's fill and the colour a day's
// number is written in on it (4.5:1 at least; the page's light scheme is the same), and the
// terminal's SGR parameters. Blue beside the fertile days' orange: the two a red-green
// colour-blind eye tells apart.
struct LookColour {
    std::string_view token;
    std::uint32_t fill; // 0xRRGGBB
    std::uint32_t ink;  // 0xRRGGBB
    std::string_view sgr;
};
inline constexpr std::array<LookColour, 5> kLookColours = {{
    {"period", 0xd7263d, 0xffffff, "41;97"},
    {"safe", 0x4a9be0, 0x10101a, "46;30"},
    {"fertile", 0xf08c00, 0x10101a, "43;30"},
    {"next", 0x8e44ad, 0xffffff, "45;97"},
    {"likely", 0xf6c1ca, 0x10101a, "101;30"}, // the period's colour, pale
}};
// The token's colours; nothing for none.
inline const LookColour* ColourOf(std::string_view token)
{
    for (const LookColour& colour : kLookColours)
        if (colour.token == token)
            return &colour;
    return nullptr;
}
const std::array<KindLook, kPhaseLooks + 2>& Looks();
const KindLook& RecordedLook();

struct PictureDay {
    CalendarDate date;
    unsigned kinds = 0; // DayKind bits; 0 for a day outside every cycle
    int cycle = -1;     // 0 the calculated cycle, k the k-th coming one, -1 none
    bool today = false;
    // The kind its cell shows: a recorded period's, else 可能来月经, else the first phase of
    // Looks() it lies in, or 0.
    DayKind Shown() const;
    // How it looks (a recorded day as RecordedLook()), or nothing outside every cycle; today's
    // look goes over it.
    const KindLook* Look() const;
    // "2004-03-20 星期六 下次月经开始日 月经期": its date and weekday (and 今天, today) and the
    // labels of the phases it lies in, a recorded period's days among the period's; each of those
    // ends in 已记下.
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
// record foretells it. The same cost whatever the cycle length. Without a calculation: her
// record alone, as a first visit shows it.
MonthPicture PictureOfMonth(const std::optional<PhaseDates>& dates, std::chrono::year_month month,
                            std::optional<std::chrono::sys_days> today,
                            std::span<const std::chrono::sys_days> recorded = {});

// The rows of Looks() that the months hold, in the legend's order: a legend shows these alone.
std::vector<std::size_t> LegendOf(std::span<const MonthPicture> months);

// The months shown at once: the calculated cycle's, from its first day's month, at most three;
// today's month first where today lies inside the cycle; today's alone without a calculation.
// MonthsFrom: as many from the month a face has moved to with 上个月, 下个月 or 今天. Never
// outside the picker's years.
std::vector<std::chrono::year_month> ShownMonths(const std::optional<PhaseDates>& dates,
                                                 std::optional<std::chrono::sys_days> today);
std::vector<std::chrono::year_month> MonthsFrom(const std::optional<PhaseDates>& dates,
                                                std::chrono::year_month from);

// The keys that move the day she stands on in the months, on every face: the arrows a day or a
// week, across the months' edges; Page Up and Page Down the same day a month before or after
// (the month's last where it has no such day); Home today; End the month's last day.
enum class DayKey { kLeft, kRight, kUp, kDown, kPageUp, kPageDown, kHome, kEnd };
// Where it moves to, and the first month to show so that it is in sight, the months moved as
// little as needed. It stays where the day would leave the picker's years.
struct DayMove {
    std::chrono::sys_days day;
    std::chrono::year_month first;
};
DayMove MoveByKey(const std::optional<PhaseDates>& dates, std::chrono::year_month first,
                  std::chrono::sys_days day, DayKey key, std::chrono::sys_days today);
// The first month to show for the day to be in sight, from months shown from `first`.
std::chrono::year_month FirstShownFor(const std::optional<PhaseDates>& dates,
                                      std::chrono::year_month first, std::chrono::sys_days day);

// The month a day lies in.
std::chrono::year_month MonthOf(std::chrono::sys_days day);

// One month on, or back, within the picker's years.
std::chrono::year_month MovedMonth(std::chrono::year_month month, int by);

} // namespace velmora
