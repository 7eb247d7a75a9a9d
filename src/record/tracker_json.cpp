// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tracker_json.h"

#include "kept_inputs.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

namespace velmora {

namespace {

using nlohmann::json;
using std::chrono::sys_days;

// No export nests deeper than four; a file that does is no export, and is never parsed.
constexpr int kDeepestExport = 16;

// Whether arrays and objects nest deeper than `limit` anywhere in the text (brackets inside
// strings aside): one pass, so that a million '[' cost no more than their bytes.
bool NestsDeeperThan(std::string_view text, int limit)
{
    int depth = 0;
    bool inString = false;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (inString) {
            if (c == '\\')
                ++at;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit)
                return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

// The member's string, when the value is an object that has one by that name.
std::optional<std::string_view> StringAt(const json& value, const char* name)
{
    if (!value.is_object())
        return std::nullopt;
    const auto member = value.find(name);
    if (member == value.end() || !member->is_string())
        return std::nullopt;
    return std::string_view(member->get_ref<const std::string&>());
}

std::optional<sys_days> DayOf(std::string_view text)
{
    const auto day = ReadPickerDay(text);
    return day ? std::optional(day->Days()) : std::nullopt;
}

// A day written YYYY-MM-DD and then, perhaps, a time ("2024-03-05 00:00:00").
std::optional<sys_days> DayBeforeTime(std::string_view text)
{
    if (text.size() > 10 && text[10] != ' ' && text[10] != 'T')
        return std::nullopt;
    return DayOf(text.substr(0, 10));
}

// A day written YYYYMMDD.
std::optional<sys_days> CompactDay(std::string_view text)
{
    if (text.size() != 8)
        return std::nullopt;
    const std::string dashed = std::string(text.substr(0, 4)) + '-' +
                               std::string(text.substr(4, 2)) + '-' + std::string(text.substr(6));
    return DayOf(dashed);
}

// What one tracker's entries gave: its days of bleeding and how many gave none.
struct Entries {
    std::vector<Bleeding> bleeding;
    int notUsed = 0;

    void Take(std::optional<sys_days> first, std::optional<sys_days> last = std::nullopt)
    {
        if (first)
            bleeding.push_back({*first, last && *last > *first ? *last : *first});
        else
            ++notUsed;
    }
    TakenIn Taken(Source source) &&
    {
        TakenIn taken;
        taken.notDates = notUsed;
        taken.source = source;
        taken.record = PeriodsOf(std::move(bleeding), taken.overlong);
        return taken;
    }
};

// Periodical's backup: its events are the array under "data" of a section.
std::optional<TakenIn> FromPeriodical(const json& file)
{
    if (!file.is_array())
        return std::nullopt;
    const auto section = std::find_if(file.begin(), file.end(), [](const json& section) {
        return section.is_object() && section.contains("data") && section["data"].is_array();
    });
    if (section == file.end())
        return std::nullopt;
    Entries entries;
    for (const json& event : (*section)["data"]) {
        const auto type = StringAt(event, "eventtype");
        const auto date = StringAt(event, "eventdate");
        entries.Take(type && (*type == "1" || *type == "2") && date ? CompactDay(*date)
                                                                    : std::nullopt);
    }
    return std::move(entries).Taken(Source::kPeriodical);
}

// Clue's measurements: recognised by one entry that has both a type and a date.
std::optional<TakenIn> FromClue(const json& file)
{
    if (!file.is_array())
        return std::nullopt;
    Entries entries;
    bool recognised = false;
    for (const json& measurement : file) {
        const auto type = StringAt(measurement, "type");
        const auto date = StringAt(measurement, "date");
        recognised = recognised || (type && date);
        entries.Take(type == "period" && date ? DayOf(*date) : std::nullopt);
    }
    if (!recognised)
        return std::nullopt;
    return std::move(entries).Taken(Source::kClue);
}

std::optional<TakenIn> FromFlo(const json& file)
{
    if (!file.is_object())
        return std::nullopt;
    const auto data = file.find("operationalData");
    if (data == file.end() || !data->is_object())
        return std::nullopt;
    const auto cycles = data->find("cycles");
    if (cycles == data->end() || !cycles->is_array())
        return std::nullopt;
    Entries entries;
    for (const json& cycle : *cycles) {
        const auto start = StringAt(cycle, "period_start_date");
        const auto end = StringAt(cycle, "period_end_date");
        entries.Take(start ? DayBeforeTime(*start) : std::nullopt,
                     end ? DayBeforeTime(*end) : std::nullopt);
    }
    return std::move(entries).Taken(Source::kFlo);
}

// The text's JSON; discarded where it is none, or nests deeper than an export.
json Parsed(std::string_view text)
{
    if (NestsDeeperThan(text, kDeepestExport))
        return json(json::value_t::discarded);
    // Built by the library's own builder, without the filtering one that a callback would ask
    // for: the web engine then carries one parser, not two.
    json parsed;
    nlohmann::detail::json_sax_dom_parser<json> builder(parsed, /*allow_exceptions=*/false);
    if (!json::sax_parse(text, &builder, json::input_format_t::json, /*strict=*/true) ||
        builder.is_errored())
        return json(json::value_t::discarded);
    return parsed;
}

std::optional<TakenIn> Read(JsonReader reader, const json& file)
{
    if (file.is_discarded())
        return std::nullopt;
    switch (reader) {
    case JsonReader::kPeriodical:
        return FromPeriodical(file);
    case JsonReader::kClue:
        return FromClue(file);
    case JsonReader::kFlo:
        return FromFlo(file);
    }
    return std::nullopt;
}

} // namespace

TakenIn TakeInJson(std::string_view text)
{
    const json file = Parsed(text);
    for (const JsonReader reader : {JsonReader::kPeriodical, JsonReader::kClue, JsonReader::kFlo})
        if (auto taken = Read(reader, file))
            return std::move(*taken);
    TakenIn unknown;
    unknown.source = Source::kUnknown;
    return unknown;
}

std::optional<TakenIn> TakeInJsonAs(JsonReader reader, std::string_view text)
{
    return Read(reader, Parsed(text));
}

} // namespace velmora
