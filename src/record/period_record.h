// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Her record: the first days of the periods she had, one YYYY-MM-DD a line, in a plain UTF-8 text
// she may also edit by hand. The window and the terminal keep it in a file beside dear.cfg, the
// page in its local storage; all of them read and write it here.
namespace velmora {

// The most any face reads of a record, or of a file she takes in. A record that grew beyond it
// is not rewritten: what lies past the limit would be lost.
inline constexpr std::size_t kRecordLimit = 1 << 20;

// What Windows editors put before a UTF-8 text; skipped where a file begins with it.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The text without the blanks, tabs and line ends around it: how every reader of hers takes a
// line, a field or a whole file.
std::string_view TrimBlanks(std::string_view text);

// A recorded period: the first day she recorded and the days after it, as the month picture
// draws it. A day inside it is no new period.
inline constexpr int kRecordedPeriodDays = 5;

class PeriodRecord
{
public:
    // Any bytes. A line that is a day of the date picker (blanks around it, a CR before its LF
    // and a byte-order mark before the first line forgiven) is a recorded day; a day written
    // twice is one day. Every other line is hers and kept byte for byte, after the day it
    // follows.
    static PeriodRecord Read(std::string_view text);

    // The text to keep: her lines before the first day, then each day in order, followed by
    // the lines that followed it. LF ends every line. Empty for an empty record.
    std::string Text() const;

    // The recorded days, earliest first.
    std::vector<std::chrono::sys_days> Days() const;
    bool Holds(std::chrono::sys_days day) const { return m_days.contains(day); }
    // The recorded first day of the period `day` lies in after its first day, if any.
    std::optional<std::chrono::sys_days> PeriodHolding(std::chrono::sys_days day) const;
    bool Empty() const { return m_days.empty() && m_head.empty(); }

    // How many of her own lines hold more than blanks.
    int LinesNotBlank() const;

    // Adds a day of the picker; false when it is there already or is no such day.
    bool Add(std::chrono::sys_days day);
    // Takes a day out; the lines that followed it now follow the day before. False when it was
    // not there.
    bool Remove(std::chrono::sys_days day);
    // Adds the other record's days (none of its other lines); how many were new.
    int Merge(const PeriodRecord& other);

private:
    std::vector<std::string>& LinesBefore(std::chrono::sys_days day);

    std::vector<std::string> m_head;                                  // before the first day
    std::map<std::chrono::sys_days, std::vector<std::string>> m_days; // each with what follows
    // How her file was written, and is written again: a byte-order mark first, and the line
    // end of her first line for the days it writes.
    bool m_byteOrderMark = false;
    std::string_view m_lineEnd = "\n";
};

} // namespace velmora
