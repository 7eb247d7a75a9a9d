// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_import.h"

#include "kept_inputs.h"
#include "tracker_json.h"

#include <algorithm>
#include <optional>
#include <set>

namespace velmora {

namespace {

using namespace std::chrono;

// A day of bleeding starts a period only when none lies in this many days before it.
constexpr days kPeriodGap{10};

struct Row {
    std::vector<std::string> fields;
    int unclosedLines = 0; // the lines a quote that never closed took in, this one included
};

// One CSV row of `text`, which it consumes: `separator` between fields, a field in double
// quotes may hold separators, line breaks and doubled quotes. The row ends at LF or CR LF.
Row NextRow(std::string_view& text, char separator = ',')
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
        } else if (c == separator) {
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

// The column a plain CSV's header names as its dates, by any of the names trackers and
// spreadsheets give it, in any case.
std::size_t DateColumn(const std::vector<std::string>& header)
{
    static constexpr std::string_view kNames[] = {"date",      "start", "start_date",
                                                  "startdate", "开始",  "日期"};
    for (std::size_t at = 0; at < header.size(); ++at) {
        std::string name(TrimBlanks(header[at]));
        std::transform(name.begin(), name.end(), name.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        });
        if (std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames))
            return at;
    }
    return header.size();
}

// A date of a plain CSV: YYYY-MM-DD or YYYY/MM/DD, blanks around it aside.
std::optional<sys_days> CsvDate(std::string_view field)
{
    std::string text(TrimBlanks(field));
    if (text.size() == 10 && text[4] == '/' && text[7] == '/')
        text[4] = text[7] = '-';
    const auto day = ReadPickerDay(text);
    return day ? std::optional(day->Days()) : std::nullopt;
}

// The rows after a CSV's header, each to a day of bleeding or none; rows left blank aside.
template <typename DayOfRow>
TakenIn FromCsv(std::string_view rows, char separator, Source source, const DayOfRow& dayOf)
{
    TakenIn taken;
    taken.source = source;
    std::vector<Bleeding> bleeding;
    while (!rows.empty()) {
        const Row next = NextRow(rows, separator);
        if (next.unclosedLines > 0) {
            taken.notDates += next.unclosedLines;
            break;
        }
        if (next.fields.size() == 1 && TrimBlanks(next.fields[0]).empty())
            continue;
        if (const std::optional<sys_days> day = dayOf(next.fields))
            bleeding.push_back({*day, *day});
        else
            ++taken.notDates;
    }
    taken.record = PeriodsOf(std::move(bleeding), taken.overlong);
    return taken;
}

// drip's export, from the row after its header, whose first column is the date.
TakenIn FromDrip(std::string_view rows, std::size_t value, std::size_t exclude)
{
    return FromCsv(
        rows, ',', Source::kDrip,
        [value, exclude](const std::vector<std::string>& row) -> std::optional<sys_days> {
            const auto day = ReadPickerDay(row.front());
            const std::string_view strength =
                value < row.size() ? std::string_view(row[value]) : std::string_view();
            const bool excluded = exclude < row.size() && row[exclude] == "true";
            if (!day || excluded || (strength != "1" && strength != "2" && strength != "3"))
                return std::nullopt;
            return day->Days();
        });
}

// The separator a plain CSV's header line uses: a comma unless it has none but a semicolon or
// a tab, as spreadsheets write in locales whose decimal point is a comma.
char SeparatorOf(std::string_view text)
{
    const std::string_view header = text.substr(0, text.find('\n'));
    if (header.find(',') != std::string_view::npos)
        return ',';
    if (header.find(';') != std::string_view::npos)
        return ';';
    return header.find('\t') != std::string_view::npos ? '\t' : ',';
}

} // namespace

PeriodRecord PeriodsOf(std::vector<Bleeding> bleeding, std::vector<sys_days>& overlong)
{
    for (Bleeding& span : bleeding)
        if (span.last - span.first >= days{kLongestPeriod}) {
            overlong.push_back(span.first);
            span.last = span.first;
        }
    std::sort(overlong.begin(), overlong.end());
    std::sort(bleeding.begin(), bleeding.end(),
              [](const Bleeding& a, const Bleeding& b) { return a.first < b.first; });
    PeriodRecord record;
    std::optional<sys_days> lastBled;
    for (const Bleeding& span : bleeding) {
        if (!lastBled || span.first - *lastBled > kPeriodGap)
            record.Add(span.first);
        const sys_days end = std::max(span.first, span.last);
        lastBled = std::max(lastBled.value_or(end), end);
    }
    return record;
}

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
    const std::string_view content = TrimBlanks(rest);
    if (content.starts_with('{') || content.starts_with('['))
        return TakeInJson(content);
    const char separator = SeparatorOf(rest);
    std::string_view rows = rest;
    const std::vector<std::string> header = NextRow(rows, separator).fields;
    // drip's header, quoted or not.
    if (separator == ',' && !header.empty() && header.front() == "date") {
        const std::size_t value = Column(header, "bleeding.value");
        if (value < header.size())
            return FromDrip(rows, value, Column(header, "bleeding.exclude"));
    }
    if (const std::size_t dates = DateColumn(header); dates < header.size())
        return FromCsv(rows, separator, Source::kDatesCsv,
                       [dates](const std::vector<std::string>& row) {
                           return dates < row.size() ? CsvDate(row[dates]) : std::nullopt;
                       });
    TakenIn taken;
    taken.record = PeriodRecord::Read(bytes);
    taken.notDates = taken.record.LinesNotBlank();
    if (taken.record.Days().empty() && taken.notDates > 0)
        taken.source = Source::kUnknown;
    return taken;
}

} // namespace velmora
