// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "phase_calculation.h"
#include "phase_order.h"

#include <chrono>
#include <optional>
#include <string>

namespace velmora {

// A calculation as an iCalendar (RFC 5545) text, or the reason it cannot be one.
struct CalendarExport {
    std::string text; // UTF-8, CR LF line ends; empty when refused
    std::optional<CalendarRefusal> refusal;
};

// Six all-day events, one for each result line, then the second and third coming periods (each
// repeating the cycle from the next period, as the month picture draws them), none of which shows
// the user as busy, and a reminder at 09:00 the day before each coming period. Each phase's UID
// names the cycle's first day and the event's place, so that importing a later export of the
// same cycle, even with a corrected length, updates the six events instead of adding copies; a
// coming period's names its place alone, so that a later export moves it; its SEQUENCE and
// LAST-MODIFIED grow with `stamp`, the time of the export, so that the later one wins. SEQUENCE
// is never below `lowestSequence`. The text is read back before it is returned: a date that
// does not read back as it was given is refused, never written. Each event says what it is not:
// a calendar-method estimate, no contraception, and `herCaution` (SafeCaution) after that.
CalendarExport ExportCalendar(const PhaseDates& dates, std::chrono::sys_seconds stamp,
                              int lowestSequence = 0, std::string_view herCaution = {});

// One more than the highest SEQUENCE of the events in a calendar's text; 0 when it has none.
// An export that replaces the file then always carries a higher one, even within the same
// second or after the clock was set back.
int SequenceAfter(const std::string& calendar);

} // namespace velmora
