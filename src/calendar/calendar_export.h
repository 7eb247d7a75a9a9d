// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "phase_calculation.h"

#include <chrono>
#include <string>

namespace velmora {

// A calculation as an iCalendar (RFC 5545) text, or the reason it cannot be one.
struct CalendarExport {
    std::string text;    // UTF-8, CR LF line ends; empty when refused
    std::string refusal; // empty when exported
};

// Six all-day events, one for each result line, that never show the user as busy, and a
// reminder the day before the next period. Each event's UID is derived from the first day, the
// cycle length and the event's place, so that importing the same calculation again updates the
// calendar instead of adding copies. `stamp` is the DTSTAMP of every event.
CalendarExport ExportCalendar(const PhaseDates& dates, std::chrono::sys_seconds stamp);

} // namespace velmora
