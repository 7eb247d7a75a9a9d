// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

// A Gregorian date counted in whole days, valid from 100-01-01 to 9999-12-31.
// A date that was never assigned is the zero date 1899-12-30. Day arithmetic that
// would leave the valid range fails (returns nothing) instead of wrapping or clamping.
class CalendarDate
{
public:
    constexpr CalendarDate() = default;

    static std::optional<CalendarDate> FromYmd(int year, unsigned month, unsigned day);
    static std::optional<CalendarDate> FromDays(std::chrono::sys_days days);

    // The date `days` whole days away; a fractional count is first rounded to the
    // nearest whole number, a count exactly halfway to the even neighbour.
    std::optional<CalendarDate> AddDays(double days) const;
    std::optional<CalendarDate> AddDays(int days) const
    {
        return AddDays(static_cast<double>(days));
    }

    std::chrono::sys_days Days() const { return Zero() + std::chrono::days{offset_}; }
    std::chrono::year_month_day Ymd() const { return std::chrono::year_month_day{Days()}; }

    // "YYYY-MM-DD", zero-padded; years below 1000 get leading zeros too (0999-01-01).
    std::string Text() const;
    // Appends the same ten characters to `out`.
    void AppendText(std::string& out) const;

    friend constexpr auto operator<=>(CalendarDate, CalendarDate) = default;

private:
    static constexpr std::chrono::sys_days Zero()
    {
        using namespace std::chrono;
        return sys_days{year{1899} / December / 30};
    }
    explicit constexpr CalendarDate(std::int32_t offset) : offset_(offset) {}

    std::int32_t offset_ = 0; // days after 1899-12-30
};

// The first days the date picker can hold, on every face: saved inputs and the command line
// take no others.
inline constexpr std::chrono::year_month_day kEarliestPickerDay{std::chrono::year{1601} /
                                                                std::chrono::January / 1};
inline constexpr std::chrono::year_month_day kLatestPickerDay{std::chrono::year{9999} /
                                                              std::chrono::December / 31};
// The first day shown until she saves her own.
inline constexpr std::chrono::year_month_day kDefaultFirstDay{std::chrono::year{2003} /
                                                              std::chrono::December / 17};

// A day's text, as Text() writes it; empty for a day outside the calendar's years.
std::string DayText(std::chrono::sys_days day);
inline std::string DayText(std::chrono::year_month_day day)
{
    return DayText(std::chrono::sys_days{day});
}

} // namespace velmora
