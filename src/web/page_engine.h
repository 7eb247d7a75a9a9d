// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record_history.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// What the web page asks of the engine, each answer one JSON object in UTF-8. The page only
// renders these: every date, line, rule and word comes from here. Above each function, each key
// its answer holds is named in double quotes, and nothing else is: a test holds this to what is
// sent, and what the page reads to this.
namespace velmora::web {

// The page's words, the picker's range and the inputs of a first visit, whose day is `today` on
// the device, or the window's first day where that is unknown or no day of the picker:
// {"programName", "dateCaption", "cycleCaption", "calculate", "exportCalendar", "about",
//  "welcome", "emailLabel", "warning", "ok", "makerEmail", "caution", "cannotStart",
//  "newVersion", "reload", "previousMonth", "nextMonth", "today", "recordDay", "recordToday",
//  "forgetDay", "recordTitle", "exportRecord", "importRecord", "clearRecord", "clearQuestion",
//  "close", "notKept", "showEarlier", "fromRecord", "importBroken", "recordCleared",
//  "recordLimit": the most bytes a file taken in may have, "helpLines": [...] (the window's
//  lines, for the tests), "helpParagraphs": [...], "aboutCredits": [...], "earliestDate",
//  "latestDate", "firstDay", "cycleLength"}
std::string PageTexts(std::optional<std::chrono::sys_days> today);

// One Calculate of a first day (YYYY-MM-DD, any other text is the zero date) and the cycle box's
// text as typed (any bytes):
// {"lineParts": [[first, separator, last, blanks, label]...6], together the window's six lines,
//  "safeCaution": what the lines' 安全期 are not, by `record` (SafeCaution), or empty,
//  "refusal": null or its code, "refusalWords": empty or why, "calendar": empty or the
//  iCalendar text stamped with `stamp`}
// and "picture": null where the calculation has none, else the months shown first (see Months).
// The picture draws the periods of her record, `record` as the page keeps it.
std::string Calculation(std::string_view firstDay, std::string_view cycleText,
                        std::chrono::sys_seconds stamp,
                        std::optional<std::chrono::sys_days> today = std::nullopt,
                        std::string_view record = {});

// The month picture of a calculation from the month `from` (YYYY-MM), as 上个月, 下个月 and
// 今天 move it: null where the calculation has none, else
// {"months": [{"month": YYYY-MM, "caption", "weekdays": [...7], "firstWeekday": 0 (Sunday)
//   to 6, "days": [{"date", "day": its number as text, "kinds": DayKind bits, "look": its row of
//   the legend or -1, "cycle": 0 calculated, k coming, -1 none, "today": bool, "name"}...]}...],
//  "legend": [{"label", "colour", "pattern", "corner", "shown": whether the months hold it}...]:
//  Looks(), each row's tokens,
//  "previous", "next", "today": the months to ask for, "todayDay": today, empty without a clock,
//  "recordToday": whether today is a day she can record as a first day}
// Without a first day (an empty text): her record alone, today's month first.
std::string Months(std::string_view firstDay, std::string_view cycleText, std::string_view from,
                   std::optional<std::chrono::sys_days> today, std::string_view record = {});

// Where a key (ArrowLeft, ArrowRight, ArrowUp, ArrowDown, PageUp, PageDown, Home, End, as the
// page's key events name them) moves the day (YYYY-MM-DD) she stands on in the months shown
// from `from`, for the same calculation as Months: {"day", "from": the first month to show for
// it to be in sight}; null for any other key, or a day or month that is none. Without a clock,
// Home stays.
std::string DayKeyMove(std::string_view firstDay, std::string_view cycleText, std::string_view from,
                       std::string_view day, std::string_view key,
                       std::optional<std::chrono::sys_days> today);

// Her record as the page keeps it in local storage (any text) and shows it, as of `today` and
// beside the date box's day `dateBox` (YYYY-MM-DD):
// {"lines": [...] of the latest `latest` days, "days": how many there are, "summary", "note",
//  "average": the cycle length it offers or null, "useAverage": 用平均周期 N 天 or empty,
//  "notice": a late period, or a record too old to foretell from, to say first, or empty,
//  "forecast": [...] its lines, "fromRecord": null or the inputs 按记录计算 takes, {"firstDay",
//  "cycle": the length or null for the cycle box as it is}, "offersCalculation": whether
//  按记录计算 is offered}
struct RecordContext {
    std::optional<std::chrono::sys_days> today;
    std::string_view dateBox;
    std::size_t latest = kAllLines;
};
std::string RecordAnswer(std::string_view record, const RecordContext& context);
// What choosing the day (YYYY-MM-DD) offers as of `today`: {"action": record, forget,
// forgetPeriod or notYet (a day after today, which the words say cannot be recorded),
// "day": the day the action changes, "words": the action's, "where": inside which recorded
// period the day lies, or empty}; null for a text that is no day.
std::string RecordOffer(std::string_view record, std::string_view day,
                        std::optional<std::chrono::sys_days> today);
// The same as RecordAnswer after recording the day or taking it out, with "record": the text to
// keep, "refused": whether it was (the record is then as it was), "changed" and "words": what
// to tell her, and "recalculate": whether the day recorded is later than the date box's, her
// period come, so that 按记录计算 follows at once.
std::string RecordDay(std::string_view record, std::string_view day, bool add,
                      const RecordContext& context);
// The same after taking in a file's bytes (a record or drip's CSV); "words" is the report.
std::string RecordTakenIn(std::string_view record, std::string_view file,
                          const RecordContext& context);

// What the device keeps of the inputs, as dear.cfg keeps them: {"date", "cycle"}, the cycle as a
// whole number from -32768 to 32767, empty when the text is none.
std::string Remembered(std::string_view firstDay, std::string_view cycleText);

// What a later visit takes back of what the device kept: {"date": null or the day,
// "cycle": null or the length}. A date that is not a day of the picker restores no date, but
// the cycle all the same, as dear.cfg's; without a date, nothing is restored.
std::string Restored(std::string_view date, std::string_view cycle);

} // namespace velmora::web
