// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "result_lines.h"

namespace velmora {

namespace {

constexpr std::string_view kSeparator = "    --    ";
constexpr std::string_view kMenstrual = "   月经期";
constexpr std::string_view kSafe = "   安全期      ";
constexpr std::string_view kDangerous = "   危险期    ";
constexpr std::string_view kOvulationGap = "                ";
constexpr std::string_view kOvulation = "       排卵日   ";
constexpr std::string_view kNextGap = "                      ";
constexpr std::string_view kNextPeriod = " 下次月经开始日";

// A line is built in one string: the dates are written straight into it.
std::string Range(const PhaseDates& dates, int from, int to, std::string_view label)
{
    std::string line;
    line.reserve(64);
    dates.Slot(from).AppendText(line);
    line += kSeparator;
    dates.Slot(to).AppendText(line);
    line += label;
    return line;
}

std::string Single(const CalendarDate& date, std::string_view gap, std::string_view label)
{
    std::string line;
    line.reserve(64);
    date.AppendText(line);
    line += gap;
    line += label;
    return line;
}

} // namespace

std::array<std::string, 6> ResultLines(const PhaseDates& dates)
{
    return {
        Range(dates, 1, 2, kMenstrual),
        Range(dates, 3, 4, kSafe),
        Range(dates, 5, 6, kDangerous),
        Range(dates, 7, 8, kSafe),
        Single(dates.Slot(9), kOvulationGap, kOvulation),
        Single(dates.Slot(10), kNextGap, kNextPeriod),
    };
}

} // namespace velmora
