// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calendar_date.h"

#include "round_half_even.h"

#include <cmath>

namespace velmora {

namespace {

using namespace std::chrono;

constexpr sys_days kFirst{year{100} / January / 1};
constexpr sys_days kLast{year{9999} / December / 31};

// Writes `width` decimal digits of a non-negative value, zero-padded, ending before `end`.
void WriteDigits(char* end, unsigned value, int width)
{
    for (int i = 0; i < width; ++i) {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

} // namespace

std::optional<CalendarDate> CalendarDate::FromYmd(int y, unsigned m, unsigned d)
{
    const year_month_day ymd{year{y}, month{m}, day{d}};
    if (!ymd.ok())
        return std::nullopt;
    return FromDays(sys_days{ymd});
}

std::optional<CalendarDate> CalendarDate::FromDays(sys_days days)
{
    if (days < kFirst || days > kLast)
        return std::nullopt;
    return CalendarDate{static_cast<std::int32_t>((days - Zero()).count())};
}

std::optional<CalendarDate> CalendarDate::AddDays(double count) const
{
    if (!std::isfinite(count))
        return std::nullopt;
    const double whole = RoundHalfEven(count);
    // The whole valid range spans fewer than 3.7 million days; anything wider cannot land in it
    // and must not reach the integer conversion below.
    constexpr double kSpan = static_cast<double>((kLast - kFirst).count());
    if (std::fabs(whole) > kSpan)
        return std::nullopt;
    return FromDays(Days() + days{static_cast<std::int32_t>(whole)});
}

std::string CalendarDate::Text() const
{
    std::string text;
    AppendText(text);
    return text;
}

void CalendarDate::AppendText(std::string& out) const
{
    const year_month_day ymd = Ymd();
    // The valid range keeps the year within 100..9999, so four digits always hold it.
    char text[10] = {0, 0, 0, 0, '-', 0, 0, '-', 0, 0};
    WriteDigits(text + 4, static_cast<unsigned>(static_cast<int>(ymd.year())), 4);
    WriteDigits(text + 7, static_cast<unsigned>(ymd.month()), 2);
    WriteDigits(text + 10, static_cast<unsigned>(ymd.day()), 2);
    out.append(text, sizeof text);
}

std::string DayText(std::chrono::sys_days day)
{
    const auto date = CalendarDate::FromDays(day);
    return date ? date->Text() : std::string();
}

} // namespace velmora
