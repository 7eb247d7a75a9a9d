// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_reminder.h"

#include "calendar_date.h"
#include "texts.h"

#include <vector>

namespace velmora {

namespace {

using namespace std::chrono;

// The lines of `text`, without their ends.
std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// The cycle an event belongs to: what follows its kind.
std::string_view CycleOf(std::string_view event)
{
    const std::size_t space = event.find(' ');
    return space == std::string_view::npos ? std::string_view() : event.substr(space + 1);
}

} // namespace

std::optional<Reminder> DueReminder(const Forecast& forecast)
{
    if (!forecast.range || !forecast.last || forecast.sinceLast > 0)
        return std::nullopt;
    const std::string cycle = DayText(*forecast.last);
    // Compared before it is subtracted: a face that knows no today asks as of the first day
    // there is.
    const sys_days first = forecast.range->first;
    if (forecast.today < first && forecast.today >= first - days{kRemindDaysBefore})
        return Reminder{"coming " + cycle,
                        texts::ReminderComing(static_cast<int>((first - forecast.today).count()),
                                              DayText(first), DayText(forecast.range->last))};
    if (forecast.today > forecast.range->last)
        return Reminder{"late " + cycle, texts::ReminderLate(forecast.lateBy)};
    return std::nullopt;
}

bool WasTold(std::string_view told, const Reminder& reminder)
{
    for (const std::string_view line : Lines(told))
        if (line == reminder.event)
            return true;
    return false;
}

std::string ToldAfter(std::string_view told, const Reminder& reminder)
{
    std::string after;
    for (const std::string_view line : Lines(told))
        if (line != reminder.event && CycleOf(line) == CycleOf(reminder.event) &&
            (line.starts_with("coming ") || line.starts_with("late ")))
            after.append(line).push_back('\n');
    return after + reminder.event + '\n';
}

} // namespace velmora
