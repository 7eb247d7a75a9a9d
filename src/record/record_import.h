// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "period_record.h"

#include <chrono>
#include <string_view>
#include <vector>

namespace velmora {

// Where a file she takes in (导入记录) came from, told by its content alone.
enum class Source {
    kRecord,     // a record of ours: one day a line
    kDrip,       // drip's CSV export
    kClue,       // Clue's data export (measurements.json)
    kFlo,        // Flo's data export
    kPeriodical, // Periodical's backup, once unpacked
    kDatesCsv,   // any CSV with a column of dates
    kUnknown,    // none of those: nothing of it is taken
};

// The name she knows another tracker by; empty for a record of ours and for none.
constexpr std::string_view TrackerName(Source source)
{
    switch (source) {
    case Source::kDrip:
        return "drip";
    case Source::kClue:
        return "Clue";
    case Source::kFlo:
        return "Flo";
    case Source::kPeriodical:
        return "Periodical";
    case Source::kDatesCsv:
        return "CSV";
    case Source::kRecord:
    case Source::kUnknown:
        break;
    }
    return {};
}

// What a file she takes in holds.
struct TakenIn {
    PeriodRecord record; // its days only
    // A record's lines that name no day of the picker (blank ones aside); another tracker's
    // entries that gave no day of bleeding.
    int notDates = 0;
    bool tooLarge = false; // over kRecordLimit: nothing of it is taken
    Source source = Source::kRecord;
    // The first days of another tracker's periods longer than any period (kLongestPeriod): each
    // is taken as a first day alone, and said.
    std::vector<std::chrono::sys_days> overlong;
};

// No period lasts longer: an entry of another tracker that does (an end date mistyped) gives its
// first day alone, and never swallows the periods after it.
inline constexpr int kLongestPeriod = 15;

// Days she bled, first to last, as another tracker lists them.
struct Bleeding {
    std::chrono::sys_days first;
    std::chrono::sys_days last;
};

// The first days of her periods in what another tracker lists: a day of bleeding starts a
// period when none lies in the ten days before it, so that a day she did not log, or spotting,
// never splits a period in two. Spans may come in any order and overlap; one longer than
// kLongestPeriod is its first day alone, which `overlong` gets.
PeriodRecord PeriodsOf(std::vector<Bleeding> bleeding,
                       std::vector<std::chrono::sys_days>& overlong);

// Any bytes; more than kRecordLimit of them are refused whole. A file is read by what it
// holds, never by its name:
// - JSON is Clue's, Flo's or Periodical's export (TakeInJson), or unknown;
// - a CSV whose header is drip's (date,…,bleeding.value,…,bleeding.exclude,…) gives the days of
//   bleeding 1 to 3 not excluded (0 is spotting);
// - a CSV whose header names a column of dates (date, start, start_date, startDate, 开始 or
//   日期, in any case; commas, semicolons or tabs between fields) gives each date in it,
//   YYYY-MM-DD or YYYY/MM/DD, as a day of bleeding;
// - any other file is read as a record, or is unknown when no line of it is a day.
// Nothing else of any file is read; a quote that never closes counts the lines it took as not
// dates. Periodical's backup is gzip: each face unpacks it before it comes here.
TakenIn TakeIn(std::string_view bytes);

} // namespace velmora
