// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_import.h"

#include "kept_inputs.h"

#include <algorithm>
#include <optional>
#include <set>

namespace velmora {

namespace {

using namespace std::chrono;

// A day of bleeding starts a period only when none lies in this many days before it: a day
// she did not log, or spotting, inside a period never splits it in two.
constexpr days kPeriodGap{10};

struct Row {
    std::vector<std::string> fields;
    int unclosedLines = 0; // the lines a quote that never closed took in, this one included
};

// One CSV row of `text`, which it consumes: commas between fields, a field in double quotes may
// hold commas, line breaks and doubled quotes. The row ends at LF or CR LF.
Row NextRow(std::string_view& text)
{
    Row row;
    std::vector<std::string>& fields = row.fields;
    fields.emplace_back();
    bool quoted = false;
    std::size_t at = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (quoted) {
            if (c != '"')
                fields.back() += c;
            else if (at + 1 < text.size() && text[at + 1] == '"')
                fields.back() += text[++at];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c == '\n') {
            break;
        } else if (c != '\r') {
            fields.back() += c;
        }
    }
    if (quoted) { // it ran to the end of the file: its own line and every one after it
        const std::string& rest = fields.back();
        row.unclosedLines = 1 + static_cast<int>(std::count(rest.begin(), rest.end(), '\n')) -
                            (rest.ends_with('\n') ? 1 : 0);
    }
    text.remove_prefix(std::min(at + 1, text.size()));
    return row;
}

// Where the header names the column; past every row's last field where it names none.
std::size_t Column(const std::vector<std::string>& header, std::string_view name)
{
    return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
}

// drip's export, from the row after its header, whose first column is the date.
TakenIn FromDrip(std::string_view rows, std::size_t value, std::size_t exclude)
{
    TakenIn taken;
    std::set<sys_days> bleeding;
    while (!rows.empty()) {
        const Row next = NextRow(rows);
        const std::vector<std::string>& row = next.fields;
        if (next.unclosedLines > 0) {
            taken.notDates += next.unclosedLines;
            break;
        }
        if (row.size() == 1 && row[0].empty())
            continue;
        const auto day = ReadPickerDay(row.front());
        if (!day) {
            ++taken.notDates;
            continue;
        }
        const std::string_view strength =
            value < row.size() ? std::string_view(row[value]) : std::string_view();
        const bool excluded = exclude < row.size() && row[exclude] == "true";
        if ((strength == "1" || strength == "2" || strength == "3") && !excluded)
            bleeding.insert(day->Days());
    }
    std::optional<sys_days> before;
    for (const sys_days day : bleeding) {
        if (!before || day - *before > kPeriodGap)
            taken.record.Add(day);
        before = day;
    }
    return taken;
}

} // namespace

TakenIn TakeIn(std::string_view bytes)
{
    if (bytes.size() > kRecordLimit) {
        TakenIn refused;
        refused.tooLarge = true;
        return refused;
    }
    std::string_view rest = bytes;
    if (rest.starts_with(kByteOrderMark))
        rest.remove_prefix(kByteOrderMark.size());
    // Its header, quoted or not.
    if (rest.starts_with("date,") || rest.starts_with("\"date\",")) {
        const std::vector<std::string> header = NextRow(rest).fields;
        const std::size_t value = Column(header, "bleeding.value");
        if (value < header.size())
            return FromDrip(rest, value, Column(header, "bleeding.exclude"));
    }
    PeriodRecord record = PeriodRecord::Read(bytes);
    const int notDates = record.LinesNotBlank();
    return {std::move(record), notDates, false};
}

} // namespace velmora
