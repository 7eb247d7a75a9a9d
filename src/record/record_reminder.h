// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record_history.h"

#include <optional>
#include <string>
#include <string_view>

// What her record tells her before she asks: that her next period may begin in a day or two, or
// that it is late. Each is told once a cycle, a cycle being known by her latest first day, so
// that a reminder run twice a day, after a restart or with the clock set back never tells twice.
namespace velmora {

// Told on either of the days before her earliest likely day.
inline constexpr int kRemindDaysBefore = 2;

struct Reminder {
    // What is told, of which cycle: "coming 2026-11-20", "late 2026-11-20". A line of what
    // remembers the reminders told.
    std::string event;
    std::string words;
};

// What is due on the forecast's today: that her period may begin in kRemindDaysBefore days or
// fewer, with its days; or, past her latest likely day, that it is late, by as many days as the
// record's notice says. Nothing otherwise, without a forecast, or from a record too old for one.
std::optional<Reminder> DueReminder(const Forecast& forecast);

// Whether the reminders told (a line an event, as ToldAfter writes them) hold this one. Lines it
// does not know tell nothing: a damaged file costs at most one reminder told again.
bool WasTold(std::string_view told, const Reminder& reminder);
// The reminders told once this one is: those of its cycle, and it; older cycles are forgotten.
std::string ToldAfter(std::string_view told, const Reminder& reminder);

} // namespace velmora
