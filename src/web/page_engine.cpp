// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "page_engine.h"

#include "calendar_export.h"
#include "kept_inputs.h"
#include "month_picture.h"
#include "record_change.h"
#include "record_history.h"
#include "record_import.h"
#include "result_lines.h"
#include "texts.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace velmora::web {

namespace {

// The length of the well-formed UTF-8 sequence at the start of `text` (no overlong form, no
// surrogate, nothing beyond U+10FFFF), or 0 where there is none.
std::size_t SequenceLength(std::string_view text)
{
    const auto byte = [&text](std::size_t at) {
        return static_cast<unsigned char>(text[at]);
    };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || text.size() < length)
        return 0;
    // The second byte's range narrows where the lead alone would allow what UTF-8 forbids.
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t at = 2; at < length; ++at)
        if (byte(at) < 0x80 || byte(at) > 0xBF)
            return 0;
    return length;
}

// A JSON string: quotes, backslashes and control characters escaped, every other character as
// it is, and each byte that begins no character of UTF-8 as U+FFFD: her record may hold any.
void AppendString(std::string& out, std::string_view text)
{
    out += '"';
    while (!text.empty()) {
        // A run of plain ASCII goes as it is, at once: a record of a lifetime is mostly that.
        const std::size_t plain = static_cast<std::size_t>(
            std::find_if(text.begin(), text.end(),
                         [](char c) { return c == '"' || c == '\\' || c < 0x20 || c > 0x7E; }) -
            text.begin());
        if (plain > 0) {
            out += text.substr(0, plain);
            text.remove_prefix(plain);
            continue;
        }
        const char c = text.front();
        const std::size_t length = SequenceLength(text);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += text.substr(0, length);
        }
        text.remove_prefix(std::max<std::size_t>(length, 1));
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

std::string MonthText(std::chrono::year_month month)
{
    return DayText(month / 1).substr(0, 7);
}

std::string MonthJson(const MonthPicture& picture)
{
    Object month;
    month.String("month", MonthText(picture.month));
    month.String("caption", picture.caption);
    AppendArray(month.Key("weekdays"), picture.weekdays);
    month.Key("firstWeekday") += std::to_string(picture.firstWeekday);
    std::string& days = month.Key("days");
    const char* comma = "[";
    for (const PictureDay& day : picture.days) {
        Object shown;
        shown.String("date", day.date.Text());
        shown.String("day", std::to_string(static_cast<unsigned>(day.date.Ymd().day())));
        shown.Key("kinds") += std::to_string(day.kinds);
        shown.Key("shown") += std::to_string(static_cast<unsigned>(day.Shown()));
        shown.Key("cycle") += std::to_string(day.cycle);
        shown.Key("today") += day.today ? "true" : "false";
        shown.String("name", day.Name());
        days += comma;
        days += shown.Close();
        comma = ",";
    }
    days += ']';
    return month.Close();
}

// The picture's months from `from`, or those shown first; "null" where there is none.
std::string Picture(const PhaseDates& dates, std::string_view cycleText,
                    std::optional<std::chrono::year_month> from,
                    std::optional<std::chrono::sys_days> today, std::string_view record)
{
    const std::vector<std::chrono::sys_days> recorded = PeriodRecord::Read(record).Days();
    if (PictureProblem(dates, cycleText))
        return "null";
    const std::vector<std::chrono::year_month> months =
        from ? MonthsFrom(dates, *from) : ShownMonths(dates, today);
    Object picture;
    std::string& list = picture.Key("months");
    const char* comma = "[";
    for (const std::chrono::year_month month : months) {
        list += comma;
        list += MonthJson(PictureOfMonth(dates, month, today, recorded));
        comma = ",";
    }
    list += ']';
    std::string& legend = picture.Key("legend");
    comma = "[";
    for (const KindLabel& entry : Legend()) {
        Object item;
        item.Key("kind") += std::to_string(static_cast<unsigned>(entry.kind));
        item.String("label", entry.label);
        legend += comma;
        legend += item.Close();
        comma = ",";
    }
    legend += ']';
    picture.String("recordedLabel", texts::kRecorded);
    picture.String("previous", MonthText(MovedMonth(months.front(), -1)));
    picture.String("next", MonthText(MovedMonth(months.front(), 1)));
    const std::optional<std::chrono::year_month_day> day =
        today ? std::optional(std::chrono::year_month_day{*today}) : std::nullopt;
    picture.String("today", day ? MonthText(day->year() / day->month()) : std::string());
    return picture.Close();
}

// The date box's day, or the earliest of all where it holds none: any recorded day is later.
std::chrono::sys_days DateBoxDay(std::string_view dateBox)
{
    const auto day = ReadPickerDay(dateBox);
    return day ? day->Days() : std::chrono::sys_days{std::chrono::days::min()};
}

// The record as the page shows it, added to `answer`: see RecordAnswer.
std::string RecordJson(const PeriodRecord& record, const RecordContext& context, Object answer = {})
{
    // Without a clock that reads, no day has passed: nothing is late.
    const RecordView view = ViewOf(
        record.Days(), context.today.value_or(std::chrono::sys_days{std::chrono::days::min()}),
        context.latest);
    AppendArray(answer.Key("lines"), view.lines);
    answer.Key("days") += std::to_string(view.days);
    answer.String("summary", view.summary);
    answer.String("note", view.note);
    // The average is offered once two days make a cycle that counts.
    if (view.average)
        answer.Key("average") += std::to_string(*view.average);
    else
        answer.Null("average");
    answer.String("useAverage", view.useAverage);
    AppendArray(answer.Key("forecast"), view.forecast);
    if (view.inputs) {
        Object inputs;
        inputs.String("firstDay", DayText(std::chrono::year_month_day{view.inputs->firstDay}));
        if (view.inputs->cycleLength)
            inputs.Key("cycle") += std::to_string(*view.inputs->cycleLength);
        else
            inputs.Null("cycle");
        answer.Key("fromRecord") += inputs.Close();
    } else {
        answer.Null("fromRecord");
    }
    answer.Key("offersCalculation") +=
        view.OffersCalculation(DateBoxDay(context.dateBox)) ? "true" : "false";
    return answer.Close();
}

// The same after a change, with "record": the text to keep, "refused": whether it was,
// "changed": whether the record differs, "words": what to tell her, and "recalculate".
std::string ChangeJson(const PeriodRecord& record, const RecordContext& context,
                       const RecordChange& outcome, bool recalculate = false)
{
    Object answer;
    answer.String("record", record.Text());
    answer.Key("refused") += outcome.refused ? "true" : "false";
    answer.Key("changed") += outcome.changed ? "true" : "false";
    answer.String("words", outcome.words);
    answer.Key("recalculate") += recalculate ? "true" : "false";
    return RecordJson(record, context, std::move(answer));
}

} // namespace

std::string PageTexts(std::optional<std::chrono::sys_days> today)
{
    using namespace std::chrono;
    const bool pickable = today && IsPickerDay(*today);
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
    page.String("previousMonth", texts::kPreviousMonth);
    page.String("nextMonth", texts::kNextMonth);
    page.String("today", texts::kToday);
    page.String("recordDay", texts::kRecordDay);
    page.String("forgetDay", texts::kForgetDay);
    page.String("recordTitle", texts::kRecordTitle);
    page.String("exportRecord", texts::kExportRecord);
    page.String("importRecord", texts::kImportRecord);
    page.String("clearRecord", texts::kClearRecord);
    page.String("clearQuestion", texts::kClearPageQuestion);
    page.String("close", texts::kClose);
    page.String("notKept", texts::kNotKept);
    page.String("showEarlier", texts::kShowEarlier);
    page.String("fromRecord", texts::kFromRecord);
    page.Key("recordLimit") += std::to_string(kRecordLimit);
    page.String("earliestDate", DayText(kEarliestPickerDay));
    page.String("latestDate", DayText(kLatestPickerDay));
    page.String("firstDay", DayText(pickable ? year_month_day{*today} : kDefaultFirstDay));
    page.String("cycleLength", kDefaultCycleLengthText);
    return page.Close();
}

std::string Calculation(std::string_view firstDay, std::string_view cycleText,
                        std::chrono::sys_seconds stamp, std::optional<std::chrono::sys_days> today,
                        std::string_view record)
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
    result.Key("picture") += Picture(dates, cycleText, std::nullopt, today, record);
    return result.Close();
}

std::string Months(std::string_view firstDay, std::string_view cycleText, std::string_view from,
                   std::optional<std::chrono::sys_days> today, std::string_view record)
{
    const PhaseDates dates =
        CalculatePhases(ReadPickerDay(firstDay).value_or(CalendarDate{}), cycleText);
    const auto month = ReadDayText(std::string(from) + "-01");
    return Picture(dates, cycleText,
                   month ? std::optional(month->year() / month->month()) : std::nullopt, today,
                   record);
}

std::string RecordAnswer(std::string_view record, const RecordContext& context)
{
    return RecordJson(PeriodRecord::Read(record), context);
}

std::string RecordOffer(std::string_view record, std::string_view day)
{
    const auto date = ReadPickerDay(day);
    if (!date)
        return "null";
    const DayOffer offer = OfferFor(PeriodRecord::Read(record), date->Days());
    constexpr std::string_view kActions[] = {"record", "forget", "forgetPeriod"};
    Object answer;
    answer.String("action", kActions[static_cast<std::size_t>(offer.action)]);
    answer.String("day", DayText(std::chrono::year_month_day{offer.day}));
    answer.String("words", offer.words);
    answer.String("where", offer.where);
    return answer.Close();
}

std::string RecordDay(std::string_view record, std::string_view day, bool add,
                      const RecordContext& context)
{
    PeriodRecord kept = PeriodRecord::Read(record);
    const auto date = ReadPickerDay(day);
    if (!date)
        return ChangeJson(kept, context, {.refused = true, .changed = false, .words = {}});
    const std::vector<std::chrono::sys_days> days = {date->Days()};
    const RecordChange outcome = add ? RecordDays(kept, days) : ForgetDays(kept, days);
    return ChangeJson(kept, context, outcome,
                      add && outcome.changed &&
                          PeriodCame(date->Days(), DateBoxDay(context.dateBox)));
}

std::string RecordTakenIn(std::string_view record, std::string_view file,
                          const RecordContext& context)
{
    PeriodRecord kept = PeriodRecord::Read(record);
    const RecordChange outcome = TakeInto(kept, TakeIn(file));
    return ChangeJson(kept, context, outcome);
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
