// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>
#include <span>
#include <string>
#include <vector>

// What her record shows: the days between her periods and, over the last few, the cycle length
// they make. The same answer and the same words on every face.
namespace velmora {

// A cycle longer than this most likely holds a period she did not record, and one shorter than
// the other a day recorded twice for one period: it is shown, but counts in none of the figures.
// A length about twice her usual one is the plainest case of a period not recorded: it counts as
// two cycles of half its length.
inline constexpr int kLongestCountedCycle = 45;
inline constexpr int kShortestCountedCycle = 15;
// The figures look at this many of the latest cycles, the forecast at twice as many.
inline constexpr std::size_t kCyclesAveraged = 6;
inline constexpr std::size_t kCyclesForecast = 12;

struct RecordedDay {
    std::chrono::sys_days day;
    std::optional<int> length; // the days since the recorded day before; none for the first
    bool twoCycles = false;    // about twice her usual length: a period she did not record
};

// What her latest cycles say of the next: its length, as a day count that need not be whole,
// and how far a cycle of hers strays from it.
struct CycleEstimate {
    double length = 0;
    double spread = 0;
};

struct RecordHistory {
    std::vector<RecordedDay> days;
    // Over the last kCyclesAveraged lengths, those from kShortestCountedCycle to
    // kLongestCountedCycle days: their average (rounded half to even, as the cycle box is),
    // shortest and longest; nothing where none counts.
    std::optional<int> average;
    std::optional<int> shortest;
    std::optional<int> longest;
    int counted = 0; // the cycles they are made of (a length taken as two counts twice)
    int leftOut = 0; // the lengths of the last ones that were too short or too long to count
    // Of the last kCyclesForecast lengths, once kForecastCycles count.
    std::optional<CycleEstimate> estimate;
};

// The history of recorded days, earliest first, as PeriodRecord::Days() gives them.
RecordHistory HistoryOf(std::span<const std::chrono::sys_days> days);

// What her record foretells: it needs two counted lengths, and then once six count, it also
// gives the calendar method's fertile days.
inline constexpr int kForecastCycles = 2;
inline constexpr int kCalendarMethodCycles = 6;

// The days her next period may begin on, which hold it in about kRangeShare per cent of cycles
// like hers (bench_forecast measures it): around her last recorded first day plus her estimate,
// kRangeEarly of her spread before it and kRangeLate after it, and at least a day either side.
// Nothing before the record foretells, or past the picker's years.
inline constexpr int kRangeShare = 80;
inline constexpr double kRangeEarly = 0.9;
inline constexpr double kRangeLate = 1.1;
struct DayRange {
    std::chrono::sys_days first;
    std::chrono::sys_days last;
};
std::optional<DayRange> NextPeriodRange(std::span<const std::chrono::sys_days> days);

// Her cycles as the outlook reads them: her shortest and longest counted cycle, which say her
// fertile days, and the days after a first day that the next may begin on (see NextPeriodRange).
struct CycleSpread {
    int shortest = 0;
    int longest = 0;
    int earliest = 0;
    int likeliest = 0;
    int latest = 0;
};
// Once her record foretells (kForecastCycles count), of its latest lengths.
std::optional<CycleSpread> SpreadOf(std::span<const std::chrono::sys_days> recorded);

// Her fertile days in a cycle that begins on one of the days `firsts`: from the earliest first
// day plus her shortest cycle less kFertileBeforeShortest, to the latest plus her longest less
// kFertileBeforeLongest. The calculation's 危险期 is the same rule for one length (19 and 10);
// the margins are wider because ovulation comes 7 to 17 days before the next period, not always
// 14. bench_outlook measures what they cost and catch: wider margins, or margins that grow while
// few cycles count, catch hardly more for days more of 危险期.
inline constexpr int kFertileBeforeShortest = 21;
inline constexpr int kFertileBeforeLongest = 9;
DayRange FertileDays(DayRange firsts, const CycleSpread& spread);

struct Forecast {
    // How many more first days it needs before it foretells; 0 once it does.
    int firstDaysNeeded = 0;
    std::optional<std::chrono::sys_days> last; // her latest recorded first day
    // Last plus her estimate, and the range (see NextPeriodRange); neither where they would lie
    // past the picker's years.
    std::optional<std::chrono::sys_days> next;
    std::optional<DayRange> range;
    std::chrono::sys_days today{}; // as of which it foretells
    int lateBy = 0;                // once today is past range->last: the days since `next`
    int sinceLast = 0; // once `last` is over kStaleCycles longest cycles ago: the days since
    std::optional<DayRange> fertile; // the calendar method's days, once kCalendarMethodCycles count
    int counted = 0;
};

// A last period that began longer ago than this many of her longest cycles explains nothing
// of today: she most likely had a period she did not record.
inline constexpr int kStaleCycles = 2;

// From her record and today. A last first day after today foretells from it all the same.
Forecast ForecastOf(const RecordHistory& history, std::chrono::sys_days today);
// Its words: the next day (or, once it has passed, when it was due) and its range, the calendar
// method or why not yet; nothing where the notice says her record is too old to foretell.
std::vector<std::string> ForecastLines(const Forecast& forecast);
// What she must see first: a late period, when it was due and by how many days, or a last
// period so long ago that her latest first day is asked for; empty otherwise.
std::string ForecastNotice(const Forecast& forecast);

// What 按记录计算 puts in the inputs: her latest recorded first day and, once her record
// foretells, the length that foretells her next period; before that the cycle box stays as it is
// (no length).
struct RecordInputs {
    std::chrono::sys_days firstDay;
    std::optional<int> cycleLength;
};

// A face that shows every day, not only the latest.
inline constexpr std::size_t kAllLines = std::size_t(-1);

// Its words: a line a day ("2004-03-18  28 天") of the latest `latest` days, then what the
// figures are, or why there are none; and, where lengths were left out, why.
std::vector<std::string> HistoryLines(const RecordHistory& history, std::size_t latest = kAllLines);
std::string HistorySummary(const RecordHistory& history);
std::string HistoryNote(const RecordHistory& history);

// Her record as every face shows it: a line a day (of the latest `latest` days, where a face
// shows a long record in parts), what the figures are, why some lengths are left out, and the
// average cycle it offers for the cycle box, with its words.
struct RecordView {
    std::vector<std::string> lines;
    std::size_t days = 0; // recorded, lines shown or not
    std::string summary;
    std::string note;
    std::optional<int> average;
    std::string useAverage;             // 用平均周期 28 天, or nothing
    // ForecastNotice, as of today, or a period that may begin in a day or two: shown first.
    std::string notice;
    std::vector<std::string> forecast;  // ForecastLines, as of today
    std::optional<RecordInputs> inputs; // what 按记录计算 takes; none for an empty record
    std::optional<CycleSpread> spread;  // once it foretells: what says her fertile days

    // Whether 按记录计算 is offered beside a date box holding `dateBoxDay`: once the record
    // foretells, or while its latest first day is later than that day (her period came).
    bool OffersCalculation(std::chrono::sys_days dateBoxDay) const
    {
        return inputs && (inputs->cycleLength || inputs->firstDay > dateBoxDay);
    }
};
// Recording `day` while the date box holds `dateBoxDay` is her period coming when the day is the
// later one: 按记录计算 follows at once. An earlier day changes no input.
inline bool PeriodCame(std::chrono::sys_days day, std::chrono::sys_days dateBoxDay)
{
    return day > dateBoxDay;
}

RecordView ViewOf(const std::vector<std::chrono::sys_days>& days, std::chrono::sys_days today,
                  std::size_t latest = kAllLines);

} // namespace velmora
