// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "page_engine.h"

#include "calendar_export.h"
#include "cycle_outlook.h"
#include "json_text.h"
#include "kept_inputs.h"
#include "month_picture.h"
#include "record_change.h"
#include "record_history.h"
#include "record_import.h"
#include "result_lines.h"
#include "texts.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

namespace velmora::web {

namespace {

// The one JSON type of the engine, the readers' too, so that the engine carries its code once.
using Json = nlohmann::json;

std::string Text(const Json& answer)
{
    return JsonText(answer);
}

// A string the engine took from outside (a string_view), as a JSON string.
Json String(std::string_view text)
{
    return Json(std::string(text));
}

template <typename List> Json Strings(const List& strings)
{
    Json array = Json::array();
    for (const auto& text : strings)
        array.push_back(String(text));
    return array;
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

Json MonthJson(const MonthPicture& picture)
{
    Json days = Json::array();
    for (const PictureDay& day : picture.days) {
        const KindLook* look = day.Look();
        Json& made = days.emplace_back();
        made["date"] = day.date.Text();
        made["day"] = std::to_string(static_cast<unsigned>(day.date.Ymd().day()));
        made["kinds"] = day.kinds;
        made["look"] = look ? look - Looks().data() : -1; // its row of the legend, -1 for none
        made["cycle"] = day.cycle;
        made["today"] = day.today;
        made["name"] = day.Name();
    }
    Json month;
    month["month"] = MonthText(picture.month);
    month["caption"] = picture.caption;
    month["weekdays"] = Strings(picture.weekdays);
    month["firstWeekday"] = picture.firstWeekday;
    month["days"] = std::move(days);
    return month;
}

// The calculation a picture is of; nothing, for her record alone, where there is no first day.
std::optional<PhaseDates> DatesOf(std::string_view firstDay, std::string_view cycleText)
{
    if (firstDay.empty())
        return std::nullopt;
    return CalculatePhases(ReadPickerDay(firstDay).value_or(CalendarDate{}), cycleText);
}

std::optional<std::chrono::year_month> ReadMonth(std::string_view month)
{
    const auto day = ReadPickerDay(std::string(month) + "-01");
    return day ? std::optional(day->Ymd().year() / day->Ymd().month()) : std::nullopt;
}

// The picture's months from `from`, or those shown first (today's alone for her record alone);
// null where there is none. `kept` is her record, read once by the caller.
Json Picture(const std::optional<PhaseDates>& dates, std::string_view cycleText,
             std::optional<std::chrono::year_month> from,
             std::optional<std::chrono::sys_days> today, const PeriodRecord& kept)
{
    if (dates && PictureProblem(*dates, cycleText))
        return nullptr;
    const std::vector<std::chrono::sys_days> recorded = kept.Days();
    const std::vector<std::chrono::year_month> months =
        from ? MonthsFrom(dates, *from) : ShownMonths(dates, today);
    std::vector<MonthPicture> pictures;
    Json shown = Json::array();
    for (const std::chrono::year_month month : months) {
        pictures.push_back(PictureOfMonth(dates, month, today, recorded));
        shown.push_back(MonthJson(pictures.back()));
    }
    // Every row, for the days name theirs; those the months hold are shown.
    const std::vector<std::size_t> held = LegendOf(pictures);
    Json legend = Json::array();
    for (std::size_t row = 0; row < Looks().size(); ++row) {
        const KindLook& look = Looks()[row];
        Json& entry = legend.emplace_back();
        entry["label"] = String(look.label);
        entry["colour"] = String(look.colour);
        entry["pattern"] = String(look.pattern);
        entry["corner"] = String(look.corner);
        entry["shown"] = std::find(held.begin(), held.end(), row) != held.end();
    }
    Json picture;
    picture["months"] = std::move(shown);
    picture["legend"] = std::move(legend);
    picture["previous"] = MonthText(MovedMonth(months.front(), -1));
    picture["next"] = MonthText(MovedMonth(months.front(), 1));
    picture["today"] = today ? MonthText(MonthOf(*today)) : std::string();
    picture["todayDay"] = today ? DayText(*today) : std::string();
    picture["recordToday"] =
        today && IsPickerDay(*today) && OfferFor(kept, *today, today).action == DayAction::Record;
    return picture;
}

// The date box's day, or the earliest of all where it holds none: any recorded day is later.
std::chrono::sys_days DateBoxDay(std::string_view dateBox)
{
    const auto day = ReadPickerDay(dateBox);
    return day ? day->Days() : std::chrono::sys_days{std::chrono::days::min()};
}

// The record as the page shows it, added to `answer`: see RecordAnswer.
std::string RecordJson(const PeriodRecord& record, const RecordContext& context,
                       Json answer = Json::object())
{
    // Without a clock that reads, no day has passed: nothing is late.
    const RecordView view = ViewOf(
        record.Days(), context.today.value_or(std::chrono::sys_days{std::chrono::days::min()}),
        context.latest);
    answer["lines"] = Strings(view.lines);
    answer["days"] = view.days;
    answer["summary"] = view.summary;
    answer["note"] = view.note;
    // The average is offered once two days make a cycle that counts.
    answer["average"] = view.average ? Json(*view.average) : Json(nullptr);
    answer["useAverage"] = view.useAverage;
    answer["notice"] = view.notice;
    answer["forecast"] = Strings(view.forecast);
    answer["fromRecord"] = nullptr;
    if (view.inputs) {
        Json& inputs = answer["fromRecord"];
        inputs["firstDay"] = DayText(view.inputs->firstDay);
        inputs["cycle"] =
            view.inputs->cycleLength ? Json(*view.inputs->cycleLength) : Json(nullptr);
    }
    answer["offersCalculation"] = view.OffersCalculation(DateBoxDay(context.dateBox));
    return Text(answer);
}

// The same after a change, with "record": the text to keep, "refused": whether it was,
// "changed": whether the record differs, "words": what to tell her, and "recalculate".
std::string ChangeJson(const PeriodRecord& record, const RecordContext& context,
                       const RecordChange& outcome, bool recalculate = false)
{
    Json answer;
    answer["record"] = record.Text();
    answer["refused"] = outcome.refused;
    answer["changed"] = outcome.changed;
    answer["words"] = outcome.words;
    answer["recalculate"] = recalculate;
    return RecordJson(record, context, std::move(answer));
}

} // namespace

std::string PageTexts(std::optional<std::chrono::sys_days> today)
{
    using namespace std::chrono;
    const bool pickable = today && IsPickerDay(*today);
    // The words, a table rather than code: each costs the download its bytes alone.
    static constexpr std::pair<const char*, std::string_view> kWords[] = {
        {"programName", texts::kProgramName},
        {"dateCaption", texts::kDateCaption},
        {"cycleCaption", texts::kCycleCaption},
        {"calculate", texts::kCalculate},
        {"exportCalendar", texts::kExportCalendar},
        {"about", texts::kAbout},
        {"welcome", texts::kWelcome},
        {"emailLabel", texts::kEmailLabel},
        {"warning", texts::kWarning},
        {"ok", texts::kOk},
        {"makerEmail", texts::kMakerEmail},
        {"caution", texts::kCaution},
        {"cannotStart", texts::kCannotStart},
        {"newVersion", texts::kNewVersion},
        {"reload", texts::kReload},
        {"previousMonth", texts::kPreviousMonth},
        {"nextMonth", texts::kNextMonth},
        {"today", texts::kToday},
        {"recordDay", texts::kRecordDay},
        {"recordToday", texts::kRecordToday},
        {"forgetDay", texts::kForgetDay},
        {"recordTitle", texts::kRecordTitle},
        {"exportRecord", texts::kExportRecord},
        {"importRecord", texts::kImportRecord},
        {"importBroken", texts::kImportBroken},
        {"clearRecord", texts::kClearRecord},
        {"clearQuestion", texts::kClearPageQuestion},
        {"recordCleared", texts::kRecordCleared},
        {"close", texts::kClose},
        {"notKept", texts::kNotKept},
        {"showEarlier", texts::kShowEarlier},
        {"fromRecord", texts::kFromRecord},
    };
    Json page = Json::object();
    for (const auto& [key, words] : kWords)
        page[key] = String(words);
    page["helpLines"] = Strings(texts::HelpLines());
    page["helpParagraphs"] = Strings(texts::HelpParagraphs());
    page["aboutCredits"] = Strings(texts::AboutCredits());
    page["recordLimit"] = kRecordLimit;
    page["earliestDate"] = DayText(kEarliestPickerDay);
    page["latestDate"] = DayText(kLatestPickerDay);
    page["firstDay"] = DayText(pickable ? year_month_day{*today} : kDefaultFirstDay);
    page["cycleLength"] = String(kDefaultCycleLengthText);
    return Text(page);
}

std::string Calculation(std::string_view firstDay, std::string_view cycleText,
                        std::chrono::sys_seconds stamp, std::optional<std::chrono::sys_days> today,
                        std::string_view record)
{
    const PhaseDates dates =
        CalculatePhases(ReadPickerDay(firstDay).value_or(CalendarDate{}), cycleText);
    Json lineParts = Json::array();
    for (const LineParts& parts : ResultLineParts(dates))
        lineParts.push_back(Strings(parts));
    // Her record, up to a megabyte, is read once for the caution and the picture.
    const PeriodRecord kept = PeriodRecord::Read(record);
    const std::string caution = SafeCaution(dates, cycleText, SpreadOf(kept.Days()));
    auto refusal = ExportProblem(dates, cycleText);
    std::string calendar;
    if (!refusal) {
        CalendarExport exported = ExportCalendar(dates, stamp, 0, caution);
        refusal = exported.refusal;
        calendar = std::move(exported.text);
    }
    Json answer;
    answer["lineParts"] = std::move(lineParts);
    answer["safeCaution"] = caution;
    answer["refusal"] = refusal ? Json(static_cast<int>(*refusal)) : Json(nullptr);
    answer["refusalWords"] = refusal ? RefusalWords(*refusal) : std::string();
    answer["calendar"] = std::move(calendar);
    answer["picture"] = Picture(dates, cycleText, std::nullopt, today, kept);
    return Text(answer);
}

std::string Months(std::string_view firstDay, std::string_view cycleText, std::string_view from,
                   std::optional<std::chrono::sys_days> today, std::string_view record)
{
    return Text(Picture(DatesOf(firstDay, cycleText), cycleText, ReadMonth(from), today,
                        PeriodRecord::Read(record)));
}

std::string DayKeyMove(std::string_view firstDay, std::string_view cycleText, std::string_view from,
                       std::string_view day, std::string_view key,
                       std::optional<std::chrono::sys_days> today)
{
    // The page's names of the keys, as its key events give them.
    constexpr std::pair<std::string_view, DayKey> kKeys[] = {
        {"ArrowLeft", DayKey::kLeft}, {"ArrowRight", DayKey::kRight},
        {"ArrowUp", DayKey::kUp},     {"ArrowDown", DayKey::kDown},
        {"PageUp", DayKey::kPageUp},  {"PageDown", DayKey::kPageDown},
        {"Home", DayKey::kHome},      {"End", DayKey::kEnd}};
    const auto first = ReadMonth(from);
    const auto date = ReadPickerDay(day);
    if (!first || !date)
        return "null";
    for (const auto& [name, each] : kKeys)
        if (name == key) {
            const DayMove move = MoveByKey(DatesOf(firstDay, cycleText), *first, date->Days(), each,
                                           today.value_or(date->Days()));
            Json answer;
            answer["day"] = DayText(move.day);
            answer["from"] = MonthText(move.first);
            return Text(answer);
        }
    return "null";
}

std::string RecordAnswer(std::string_view record, const RecordContext& context)
{
    return RecordJson(PeriodRecord::Read(record), context);
}

std::string RecordOffer(std::string_view record, std::string_view day,
                        std::optional<std::chrono::sys_days> today)
{
    const auto date = ReadPickerDay(day);
    if (!date)
        return "null";
    const DayOffer offer = OfferFor(PeriodRecord::Read(record), date->Days(), today);
    constexpr std::string_view kActions[] = {"record", "forget", "forgetPeriod", "notYet"};
    Json answer;
    answer["action"] = String(kActions[static_cast<std::size_t>(offer.action)]);
    answer["day"] = DayText(offer.day);
    answer["words"] = offer.words;
    answer["where"] = offer.where;
    return Text(answer);
}

std::string RecordDay(std::string_view record, std::string_view day, bool add,
                      const RecordContext& context)
{
    PeriodRecord kept = PeriodRecord::Read(record);
    const auto date = ReadPickerDay(day);
    if (!date)
        return ChangeJson(kept, context, {.refused = true, .changed = false, .words = {}});
    const std::vector<std::chrono::sys_days> days = {date->Days()};
    const RecordChange outcome =
        add ? RecordDays(kept, days, context.today) : ForgetDays(kept, days);
    return ChangeJson(kept, context, outcome,
                      add && outcome.changed &&
                          PeriodCame(date->Days(), DateBoxDay(context.dateBox)));
}

std::string RecordTakenIn(std::string_view record, std::string_view file,
                          const RecordContext& context)
{
    PeriodRecord kept = PeriodRecord::Read(record);
    const RecordChange outcome = TakeInto(kept, TakeIn(file), context.today);
    return ChangeJson(kept, context, outcome);
}

std::string Remembered(std::string_view firstDay, std::string_view cycleText)
{
    const auto day = ReadPickerDay(firstDay);
    const auto length = WholeCycleLength(cycleText);
    Json answer;
    answer["date"] = day ? day->Text() : std::string();
    answer["cycle"] = length ? std::to_string(*length) : std::string();
    return Text(answer);
}

std::string Restored(std::string_view date, std::string_view cycle)
{
    const auto day = ReadPickerDay(date);
    // Without a date the record is not one of ours: nothing of it is taken. A date that is no
    // day of the picker still leaves the cycle, as in dear.cfg.
    const auto length = date.empty() ? std::nullopt : WholeCycleLength(cycle);
    Json answer;
    answer["date"] = day ? Json(day->Text()) : Json(nullptr);
    answer["cycle"] = length ? Json(std::to_string(*length)) : Json(nullptr);
    return Text(answer);
}

} // namespace velmora::web
