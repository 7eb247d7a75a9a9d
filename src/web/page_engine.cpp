// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "page_engine.h"

#include "calendar_export.h"
#include "read_leading_number.h"
#include "result_lines.h"
#include "round_half_even.h"
#include "texts.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace velmora::web {

namespace {

// A JSON string: quotes, backslashes and control characters escaped, every other byte as it is.
void AppendString(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

template <typename Strings> void AppendArray(std::string& out, const Strings& strings)
{
    out += '[';
    const char* comma = "";
    for (const auto& text : strings) {
        out += comma;
        AppendString(out, text);
        comma = ",";
    }
    out += ']';
}

// Writes "name": and a value in a JSON object under construction.
class Object
{
public:
    std::string& Key(std::string_view name)
    {
        m_text += m_text.empty() ? '{' : ',';
        AppendString(m_text, name);
        m_text += ':';
        return m_text;
    }
    void String(std::string_view name, std::string_view value) { AppendString(Key(name), value); }
    void Null(std::string_view name) { Key(name) += "null"; }
    std::string Close() { return m_text.empty() ? "{}" : std::move(m_text) + '}'; }

private:
    std::string m_text;
};

std::string DayText(std::chrono::year_month_day day)
{
    const auto date = CalendarDate::FromDays(std::chrono::sys_days{day});
    return date ? date->Text() : std::string();
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The digits of text[at, at + count) as a number; nothing where any is not a digit.
std::optional<unsigned> Digits(std::string_view text, std::size_t at, std::size_t count)
{
    unsigned value = 0;
    for (const char c : text.substr(at, count)) {
        if (!IsDigit(c))
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

// A day as the date input gives it, YYYY-MM-DD, that the picker can hold.
std::optional<CalendarDate> PickerDay(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto y = Digits(text, 0, 4);
    const auto m = Digits(text, 5, 2);
    const auto d = Digits(text, 8, 2);
    if (!y || !m || !d)
        return std::nullopt;
    using namespace std::chrono;
    const year_month_day day{year{static_cast<int>(*y)}, month{*m}, std::chrono::day{*d}};
    if (!day.ok() || sys_days{day} < sys_days{kEarliestPickerDay} ||
        sys_days{day} > sys_days{kLatestPickerDay})
        return std::nullopt;
    return CalendarDate::FromDays(sys_days{day});
}

// The cycle box's text as a whole number of days, when all of it is one plain decimal number
// (blanks around it allowed): what dear.cfg keeps, or nothing.
std::optional<int> WholeCycleLength(std::string_view text)
{
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r';
    };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // digits, at most one full stop, then an optional exponent with digits
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && IsDigit(text[i]); ++i)
            ++digits;
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t exponentDigits = 0;
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i)
            ++exponentDigits;
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    // Now a plain number, which the engine's own reader reads exactly, too large or too small
    // alike.
    const auto value = ReadLeadingNumber(text);
    return value ? SavedCycleLength(negative ? -*value : *value) : std::nullopt;
}

} // namespace

std::string PageTexts(std::optional<std::chrono::sys_days> today)
{
    using namespace std::chrono;
    const bool pickable =
        today && *today >= sys_days{kEarliestPickerDay} && *today <= sys_days{kLatestPickerDay};
    Object page;
    page.String("programName", texts::kProgramName);
    page.String("dateCaption", texts::kDateCaption);
    page.String("cycleCaption", texts::kCycleCaption);
    page.String("calculate", texts::kCalculate);
    page.String("exportCalendar", texts::kExportCalendar);
    page.String("about", texts::kAbout);
    page.String("welcome", texts::kWelcome);
    page.String("emailLabel", texts::kEmailLabel);
    page.String("warning", texts::kWarning);
    page.String("ok", texts::kOk);
    page.String("makerEmail", texts::kMakerEmail);
    page.String("caution", texts::kCaution);
    page.String("cannotStart", texts::kCannotStart);
    page.String("newVersion", texts::kNewVersion);
    page.String("reload", texts::kReload);
    AppendArray(page.Key("helpLines"), texts::HelpLines());
    AppendArray(page.Key("helpParagraphs"), texts::HelpParagraphs());
    AppendArray(page.Key("aboutCredits"), texts::AboutCredits());
    std::vector<std::string_view> labels;
    for (const Phase& phase : kPhases)
        labels.push_back(phase.label);
    AppendArray(page.Key("phaseLabels"), labels);
    page.String("earliestDate", DayText(kEarliestPickerDay));
    page.String("latestDate", DayText(kLatestPickerDay));
    page.String("firstDay", DayText(pickable ? year_month_day{*today} : kDefaultFirstDay));
    page.String("cycleLength", kDefaultCycleLengthText);
    return page.Close();
}

std::string Calculation(std::string_view firstDay, std::string_view cycleText,
                        std::chrono::sys_seconds stamp)
{
    const PhaseDates dates =
        CalculatePhases(PickerDay(firstDay).value_or(CalendarDate{}), cycleText);
    Object result;
    AppendArray(result.Key("lines"), ResultLines(dates));
    std::string& lineParts = result.Key("lineParts");
    const char* comma = "[";
    for (const LineParts& parts : ResultLineParts(dates)) {
        lineParts += comma;
        AppendArray(lineParts, parts);
        comma = ",";
    }
    lineParts += ']';
    std::vector<std::string> slots;
    for (int slot = 1; slot <= 10; ++slot)
        slots.push_back(dates[static_cast<Slot>(slot)].Text());
    AppendArray(result.Key("dates"), slots);
    std::string& phases = result.Key("phases");
    phases += '[';
    for (const Phase& phase : kPhases) {
        Object span;
        span.String("first", dates[phase.first].Text());
        span.String("last", dates[phase.last].Text());
        phases += span.Close();
        phases += ',';
    }
    phases.back() = ']';

    auto refusal = ExportProblem(dates, cycleText);
    std::string calendar;
    if (!refusal) {
        CalendarExport exported = ExportCalendar(dates, stamp);
        refusal = exported.refusal;
        calendar = std::move(exported.text);
    }
    if (refusal) {
        result.Key("refusal") += std::to_string(static_cast<int>(*refusal));
        result.String("refusalWords", RefusalWords(*refusal));
    } else {
        result.Null("refusal");
        result.String("refusalWords", "");
    }
    result.String("calendar", calendar);
    return result.Close();
}

std::string Remembered(std::string_view firstDay, std::string_view cycleText)
{
    Object kept;
    const auto day = PickerDay(firstDay);
    kept.String("date", day ? day->Text() : std::string());
    const auto length = WholeCycleLength(cycleText);
    kept.String("cycle", length ? std::to_string(*length) : std::string());
    return kept.Close();
}

std::string Restored(std::string_view date, std::string_view cycle)
{
    Object restored;
    const auto day = PickerDay(date);
    // Without a date the record is not one of ours: nothing of it is taken. A date that is no
    // day of the picker still leaves the cycle, as in dear.cfg.
    const auto length = date.empty() ? std::nullopt : WholeCycleLength(cycle);
    if (day)
        restored.String("date", day->Text());
    else
        restored.Null("date");
    if (length)
        restored.String("cycle", std::to_string(*length));
    else
        restored.Null("cycle");
    return restored.Close();
}

} // namespace velmora::web
