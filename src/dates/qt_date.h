// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <chrono>
#include <optional>

namespace velmora {

// A day of the calendar as Qt holds it.
inline QDate ToQDate(std::chrono::year_month_day day)
{
    return QDate(static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
                 static_cast<int>(static_cast<unsigned>(day.day())));
}

// And back: nothing for a QDate that is no date.
inline std::optional<std::chrono::sys_days> DayOf(QDate date)
{
    // Qt counts days from the Julian day number, the standard library from 1970-01-01.
    constexpr qint64 kJulianDayOf1970 = 2440588;
    if (!date.isValid())
        return std::nullopt;
    return std::chrono::sys_days{std::chrono::days{date.toJulianDay() - kJulianDayOf1970}};
}

} // namespace velmora
