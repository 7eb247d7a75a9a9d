// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_import.h"

#include "kept_inputs.h"

#include <algorithm>
#include <set>

namespace velmora {

namespace {

using namespace std::chrono;

// One CSV row of `text`, which it consumes: commas between fields, a field in double quotes may
// hold commas, line breaks and doubled quotes. The row ends at LF or CR LF.
std::vector<std::string> NextRow(std::string_view& text)
{
    std::vector<std::string> fields(1);
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
    text.remove_prefix(std::min(at + 1, text.size()));
    return fields;
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
        const std::vector<std::string> row = NextRow(rows);
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
    for (const sys_days day : bleeding)
        if (!bleeding.contains(day - days{1}))
            taken.record.Add(day);
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
    if (rest.starts_with("date,")) {
        const std::vector<std::string> header = NextRow(rest);
        const std::size_t value = Column(header, "bleeding.value");
        if (value < header.size())
            return FromDrip(rest, value, Column(header, "bleeding.exclude"));
    }
    PeriodRecord record = PeriodRecord::Read(bytes);
    const int notDates = record.LinesNotBlank();
    return {std::move(record), notDates, false};
}

} // namespace velmora
