// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "page_engine.h"

#include "calendar_export.h"
#include "kept_inputs.h"
#include "result_lines.h"
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

// What the page keeps of the cycle box: the rule of every store, in zh-CN's way of writing
// numbers, the page's language.
std::optional<int> WholeCycleLength(std::string_view text)
{
    return KeptCycleLength(text, {.decimalPoint = ".", .groupSeparator = ","});
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
        CalculatePhases(ReadPickerDay(firstDay).value_or(CalendarDate{}), cycleText);
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
    const auto day = ReadPickerDay(firstDay);
    kept.String("date", day ? day->Text() : std::string());
    const auto length = WholeCycleLength(cycleText);
    kept.String("cycle", length ? std::to_string(*length) : std::string());
    return kept.Close();
}

std::string Restored(std::string_view date, std::string_view cycle)
{
    Object restored;
    const auto day = ReadPickerDay(date);
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
