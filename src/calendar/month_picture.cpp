// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "month_picture.h"

#include "kept_inputs.h"
#include "period_record.h"
#include "record_history.h"
#include "texts.h"

#include <algorithm>

namespace velmora {

namespace {

using namespace std::chrono;

std::string_view LabelOf(DayKind kind)
{
    const Phase* phase = PhaseOf(kind);
    return phase ? phase->label : std::string_view();
}

constexpr year_month kFirstMonth{kEarliestPickerDay.year() / kEarliestPickerDay.month()};
constexpr year_month kLastMonth{kLatestPickerDay.year() / kLatestPickerDay.month()};

// The bits a legend entry stands for: the safe entry for both safe periods.
unsigned BitsOf(unsigned kind)
{
    return kind == kFirstSafe ? kFirstSafe | kSecondSafe : kind;
}

} // namespace

year_month MonthOf(sys_days day)
{
    const year_month_day date{day};
    return date.year() / date.month();
}

const std::array<KindLook, kPhaseLooks + 2>& Looks()
{
    // The boundary of two cycles names the one ending before the one beginning; the two safe
    // periods share their row.
    static const std::array<KindLook, kPhaseLooks + 2> looks = {{
        {kNextPeriod, LabelOf(kNextPeriod), '>', "next", "crosshatch", "▶"},
        {kOvulation, LabelOf(kOvulation), '*', "fertile", "ringed", "★"},
        {kPeriod, LabelOf(kPeriod), '#', "period", "plain", ""},
        {kFertile, LabelOf(kFertile), '+', "fertile", "stripes", ""},
        {kFirstSafe, LabelOf(kFirstSafe), '.', "safe", "dots", ""},
        {kLikelyPeriod, texts::kLikelyPeriod, '?', "likely", "dashed", "?"},
        {kLate, texts::kLateDays, '!', "likely", "plain", "!"},
        {kRecordedPeriod, texts::kRecorded, '@', "period", "plain", "●"},
        {0, texts::kToday, ' ', "none", "today", ""},
    }};
    return looks;
}

const KindLook& RecordedLook()
{
    return Looks()[kPhaseLooks];
}

DayKind PictureDay::Shown() const
{
    if (kinds & kRecordedPeriod)
        return kPeriod;
    if (kinds & kLikelyPeriod)
        return kLikelyPeriod;
    for (std::size_t row = 0; row < kPhaseLooks; ++row)
        if (kinds & BitsOf(Looks()[row].kind))
            return DayKind(Looks()[row].kind);
    return DayKind{};
}

const KindLook* PictureDay::Look() const
{
    if (kinds & kRecordedPeriod)
        return &RecordedLook();
    const DayKind shown = Shown();
    for (std::size_t row = 0; row < kPhaseLooks; ++row)
        if (Looks()[row].kind == shown)
            return &Looks()[row];
    return nullptr;
}

std::string PictureDay::Name() const
{
    const unsigned weekday = std::chrono::weekday{date.Days()}.c_encoding();
    std::string name = date.Text() + ' ' + std::string(texts::kWeekdayPrefix) +
                       std::string(texts::kWeekdays[weekday]);
    if (today)
        name += ' ' + std::string(texts::kToday);
    const unsigned named = kinds & kRecordedPeriod ? kinds | kPeriod : kinds;
    for (std::size_t row = 0; row < kPhaseLooks; ++row) {
        const KindLook& look = Looks()[row];
        if ((named & BitsOf(look.kind)) && !(look.kind == kFertile && (named & kOvulation)))
            name += ' ' + std::string(look.label);
    }
    if (kinds & kRecordedPeriod)
        name += ' ' + std::string(texts::kRecorded);
    return name;
}

std::optional<CalendarRefusal> PictureProblem(const PhaseDates& dates,
                                              std::string_view cycleLengthText)
{
    // A cycle too short for a calendar's phases in order is still a cycle she may have: from
    // the shortest that counts in her record, its months are drawn, 危险期 over any 安全期.
    const auto problem = ExportProblem(dates, cycleLengthText);
    if (problem != CalendarRefusal::OutOfOrder)
        return problem;
    if (CycleLengthDays(dates) < kShortestCountedCycle)
        return CalendarRefusal::TooShort;
    return dates[Slot::NextPeriod].AddDays(1) ? std::nullopt
                                              : std::optional(CalendarRefusal::DateOutOfRange);
}

MonthPicture PictureOfMonth(const std::optional<PhaseDates>& dates, year_month month,
                            std::optional<sys_days> today, std::span<const sys_days> recorded)
{
    MonthPicture picture;
    picture.month = month;
    picture.caption =
        texts::MonthCaption(static_cast<int>(month.year()), static_cast<unsigned>(month.month()));
    std::copy(std::begin(texts::kWeekdays), std::end(texts::kWeekdays), picture.weekdays.begin());
    const sys_days first{month / 1};
    picture.firstWeekday = weekday{first}.c_encoding();
    const CycleOutlook outlook(dates, recorded, today);
    const sys_days end{month / last};
    for (sys_days day = first; day <= end; day += days{1}) {
        PictureDay& shown = picture.days.emplace_back();
        shown.date = CalendarDate::FromDays(day).value_or(CalendarDate{});
        shown.today = day == today;
        shown.kinds = outlook.KindsOn(day);
        shown.cycle = outlook.CycleOf(day);
    }
    return picture;
}

std::vector<std::size_t> LegendOf(std::span<const MonthPicture> months)
{
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < Looks().size(); ++row) {
        const KindLook& look = Looks()[row];
        const bool shown =
            std::any_of(months.begin(), months.end(), [&](const MonthPicture& month) {
                return std::any_of(month.days.begin(), month.days.end(),
                                   [&](const PictureDay& day) {
                                       return look.kind == 0 ? day.today : day.Look() == &look;
                                   });
            });
        if (shown)
            rows.push_back(row);
    }
    return rows;
}

year_month MovedMonth(year_month month, int by)
{
    const year_month moved = month + months{by};
    return std::clamp(moved, kFirstMonth, kLastMonth);
}

std::vector<year_month> MonthsFrom(const std::optional<PhaseDates>& dates, year_month from)
{
    int count = 1;
    if (dates) {
        const year_month first = MonthOf((*dates)[Slot::PeriodFirst].Days());
        const year_month last = MonthOf((*dates)[Slot::NextPeriod].Days());
        count = std::clamp(static_cast<int>((last - first).count()) + 1, 1, 3);
    }
    // The last of them ends the picker's years at the latest.
    const year_month start = std::min(MovedMonth(from, 0), MovedMonth(kLastMonth, 1 - count));
    std::vector<year_month> shown;
    for (int i = 0; i < count; ++i)
        shown.push_back(start + months{i});
    return shown;
}

std::vector<year_month> ShownMonths(const std::optional<PhaseDates>& dates,
                                    std::optional<sys_days> today)
{
    if (!dates)
        return MonthsFrom(dates, MonthOf(today.value_or(sys_days{})));
    const sys_days start = (*dates)[Slot::PeriodFirst].Days();
    const bool inside = today && *today >= start && *today < (*dates)[Slot::NextPeriod].Days();
    return MonthsFrom(dates, MonthOf(inside ? *today : start));
}

year_month FirstShownFor(const std::optional<PhaseDates>& dates, year_month first, sys_days day)
{
    const year_month month = MonthOf(day);
    const std::vector<year_month> shown = MonthsFrom(dates, first);
    if (month < shown.front())
        return MonthsFrom(dates, month).front();
    if (month > shown.back())
        return MonthsFrom(dates, shown.front() + (month - shown.back())).front();
    return shown.front();
}

DayMove MoveByKey(const std::optional<PhaseDates>& dates, year_month first, sys_days day,
                  DayKey key, sys_days today)
{
    const year_month_day date{day};
    sys_days to = day;
    switch (key) {
    case DayKey::kLeft:
    case DayKey::kRight:
    case DayKey::kUp:
    case DayKey::kDown: {
        constexpr int kSteps[] = {-1, 1, -7, 7};
        to = day + days{kSteps[static_cast<int>(key)]};
        break;
    }
    case DayKey::kPageUp:
    case DayKey::kPageDown: {
        const year_month month =
            date.year() / date.month() + months{key == DayKey::kPageUp ? -1 : 1};
        to = sys_days{month / std::min(date.day(), year_month_day_last{month / last}.day())};
        break;
    }
    case DayKey::kHome:
        to = today;
        break;
    case DayKey::kEnd:
        to = sys_days{date.year() / date.month() / last};
        break;
    }
    if (!IsPickerDay(to))
        to = day;
    return {to, FirstShownFor(dates, first, to)};
}

} // namespace velmora
