// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// What her record shows: the days between her periods and, over the last few, the cycle length
// they make. The same answer and the same words on every face.
namespace velmora {

// A cycle longer than this most likely holds a period she did not record, and one shorter than
// the other a day recorded twice for one period: it is shown, but counts in none of the figures.
inline constexpr int kLongestCountedCycle = 45;
inline constexpr int kShortestCountedCycle = 15;
// The figures look at this many of the latest cycles.
inline constexpr std::size_t kCyclesAveraged = 6;

struct RecordedDay {
    std::chrono::sys_days day;
    std::optional<int> length; // the days since the recorded day before; none for the first
};

struct RecordHistory {
    std::vector<RecordedDay> days;
    // Over the last kCyclesAveraged lengths, those from kShortestCountedCycle to
    // kLongestCountedCycle days: their average (rounded half to even, as the cycle box is),
    // shortest and longest; nothing where none counts.
    std::optional<int> average;
    std::optional<int> shortest;
    std::optional<int> longest;
    int counted = 0; // the lengths they are made of
    int leftOut = 0; // the lengths of the last ones that were too short or too long to count
};

// The history of recorded days, earliest first, as PeriodRecord::Days() gives them.
RecordHistory HistoryOf(const std::vector<std::chrono::sys_days>& days);

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
    std::string useAverage; // 用平均周期 28 天, or nothing
};
RecordView ViewOf(const std::vector<std::chrono::sys_days>& days, std::size_t latest = kAllLines);

} // namespace velmora
