// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar_export.h"

#include "texts.h"

#include <algorithm>
#include <charconv>
#include <libical/ical.h>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace velmora {

namespace {

using namespace std::chrono;

// An all-day event's trigger counts from the midnight its day starts with: 15 hours before it
// is 09:00 the day before.
constexpr int kReminderBefore = 15 * 60 * 60;

// SEQUENCE counts the seconds since this moment, so that every later export has a higher one.
constexpr sys_seconds kSequenceEpoch = sys_days{2026y / January / 1};

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// The coming periods after the calculated next one that the calendar carries too, each as the
// month picture draws it: the second and the third.
constexpr int kComingPeriods[] = {2, 3};

// One all-day event: its days, its name and whether it reminds her the day before.
struct EventDays {
    CalendarDate first;
    CalendarDate end; // the day after its last
    std::string uid;
    std::string summary;
    bool reminder = false;
};

// The six phases, each named by the cycle's first day and its place, never the length, so that a
// re-export replaces what it exported before; then the coming periods, named by their place
// alone, so that a later export moves them instead of adding more. A coming period past the
// calendar's last day is left out.
std::vector<EventDays> EventsOf(const PhaseDates& dates)
{
    std::vector<EventDays> events;
    for (std::size_t place = 0; place < kPhases.size(); ++place) {
        const Phase& phase = kPhases[place];
        // The order check guarantees the day after the last one exists.
        events.push_back(
            {dates[phase.first], dates[phase.last].AddDays(1).value_or(CalendarDate{}),
             dates[Slot::PeriodFirst].Text() + '-' + std::to_string(place + 1) + "@velmora.org",
             std::string(phase.label), phase.first == Slot::NextPeriod});
    }
    const int length = CycleLengthDays(dates);
    for (const int coming : kComingPeriods) {
        const auto first = dates[Slot::PeriodFirst].AddDays(coming * length);
        const auto last = dates[Slot::PeriodLast].AddDays(coming * length);
        const auto end = last ? last->AddDays(1) : std::nullopt;
        if (first && end)
            events.push_back({*first, *end,
                              "coming-period-" + std::to_string(coming) + "@velmora.org",
                              std::string(texts::kComingPeriod), true});
    }
    return events;
}

// libical turns a date it is handed with a year past 3000 into a null date; parsed from its
// text, a date keeps any year up to 9999.
icalproperty* DateProperty(icalproperty_kind kind, const CalendarDate& date)
{
    std::string text = date.Text(); // YYYY-MM-DD
    text.erase(7, 1).erase(4, 1);
    icalproperty* property = icalproperty_new(kind);
    icalproperty_set_value(property, icalvalue_new_from_string(ICAL_DATE_VALUE, text.c_str()));
    return property;
}

bool IsDay(icaltimetype time, const CalendarDate& date)
{
    const year_month_day ymd = date.Ymd();
    return time.is_date && time.year == static_cast<int>(ymd.year()) &&
           time.month == static_cast<int>(static_cast<unsigned>(ymd.month())) &&
           time.day == static_cast<int>(static_cast<unsigned>(ymd.day()));
}

// Parses the text as a calendar program would and checks every event's days.
bool ReadsBack(const std::string& text, const std::vector<EventDays>& events)
{
    const Component calendar(icalparser_parse_string(text.c_str()));
    if (!calendar)
        return false;
    std::size_t place = 0;
    for (icalcomponent* event =
             icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
        icalproperty* start = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
        icalproperty* end = icalcomponent_get_first_property(event, ICAL_DTEND_PROPERTY);
        if (place == events.size() || !start || !end ||
            !IsDay(icalproperty_get_dtstart(start), events[place].first) ||
            !IsDay(icalproperty_get_dtend(end), events[place].end))
            return false;
        ++place;
    }
    return place == events.size();
}

icalcomponent* NewEvent(const EventDays& days, icaltimetype stamp, int sequence,
                        const std::string& description)
{
    // A published event must name an organizer; it is the program, never the user, so that no
    // calendar takes the events for an invitation she sent.
    icalproperty* organizer = icalproperty_new_organizer("mailto:calendar@velmora.org");
    icalproperty_add_parameter(organizer, icalparameter_new_cn("Velmora"));
    icalcomponent* component = icalcomponent_vanew(
        ICAL_VEVENT_COMPONENT, icalproperty_new_uid(days.uid.c_str()), organizer,
        icalproperty_new_dtstamp(stamp), icalproperty_new_lastmodified(stamp),
        icalproperty_new_sequence(sequence), DateProperty(ICAL_DTSTART_PROPERTY, days.first),
        DateProperty(ICAL_DTEND_PROPERTY, days.end), icalproperty_new_summary(days.summary.c_str()),
        icalproperty_new_description(description.c_str()),
        icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT), nullptr);
    if (days.reminder) {
        icalcomponent_add_component(
            component, icalcomponent_vanew(
                           ICAL_VALARM_COMPONENT, icalproperty_new_action(ICAL_ACTION_DISPLAY),
                           icalproperty_new_trigger(icaltriggertype_from_int(-kReminderBefore)),
                           icalproperty_new_description("明天是下次月经开始日"), nullptr));
    }
    return component;
}

// A name or keyword in capitals, as iCalendar compares them.
std::string UpperCase(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// A content line's value: what follows the first colon outside a quoted parameter.
std::string ValueOf(const std::string& line)
{
    bool quoted = false;
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (line[at] == '"')
            quoted = !quoted;
        else if (line[at] == ':' && !quoted)
            return line.substr(at + 1);
    }
    return {};
}

// An INTEGER value that fits an int; nothing for any other text.
std::optional<int> WholeNumber(const std::string& text)
{
    int number = 0;
    const char* first = text.data() + (text.starts_with('+') ? 1 : 0);
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, number);
    return error == std::errc() && end == last && first != last ? std::optional<int>(number)
                                                                : std::nullopt;
}

} // namespace

int SequenceAfter(const std::string& calendar)
{
    // Read line by line rather than parsed whole: only the events' SEQUENCE lines matter, and
    // a hostile file of any size then costs one pass (libical's parameter handling grows with
    // the square of a line's parameters).
    std::vector<std::string> open; // the components the line stands in, outermost first
    int after = 0;
    const auto take = [&](const std::string& line) {
        const std::size_t nameEnd = std::min(line.find(';'), line.find(':'));
        const std::string name = UpperCase(line.substr(0, nameEnd));
        const std::string value = ValueOf(line);
        if (name == "BEGIN") {
            open.push_back(UpperCase(value));
        } else if (name == "END") {
            if (!open.empty())
                open.pop_back();
        } else if (name == "SEQUENCE" && open.size() == 2 && open.back() == "VEVENT") {
            const std::optional<int> sequence = WholeNumber(value);
            if (sequence && *sequence >= after && *sequence < std::numeric_limits<int>::max())
                after = *sequence + 1;
        }
    };
    // Content lines end in CR LF (or a bare LF); one that starts with a blank or a tab goes on
    // the line before it.
    std::string line;
    for (std::size_t at = 0; at < calendar.size();) {
        std::size_t end = calendar.find('\n', at);
        if (end == std::string::npos)
            end = calendar.size();
        std::string_view physical(calendar.data() + at, end - at);
        if (physical.ends_with('\r'))
            physical.remove_suffix(1);
        if (!physical.empty() && (physical.front() == ' ' || physical.front() == '\t')) {
            line.append(physical.substr(1));
        } else {
            take(line);
            line.assign(physical);
        }
        at = end + 1;
    }
    take(line);
    return after;
}

CalendarExport ExportCalendar(const PhaseDates& dates, sys_seconds stamp, int lowestSequence,
                              std::string_view herCaution)
{
    if (const auto problem = PhaseOrderProblem(dates))
        return {{}, problem};

    const icaltimetype stampTime = icaltime_from_timet_with_zone(
        static_cast<time_t>(stamp.time_since_epoch().count()), 0, icaltimezone_get_utc_timezone());
    // A clock set before the epoch counts as the epoch; one past 2094 stays at the top.
    const auto sequence = std::max(
        lowestSequence, static_cast<int>(std::clamp<sys_seconds::rep>(
                            (stamp - kSequenceEpoch).count(), 0, std::numeric_limits<int>::max())));
    const std::string description = "根据上次月经来潮日期 " + dates[Slot::PeriodFirst].Text() +
                                    " 和月经周期 " + std::to_string(CycleLengthDays(dates)) +
                                    " 天计算。" + std::string(texts::kMethodCaution) +
                                    std::string(herCaution);
    const std::string productId = "-//Velmora//Velmora " VELMORA_VERSION "//ZH";

    Component calendar(icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT,
                                           icalproperty_new_version("2.0"),
                                           icalproperty_new_prodid(productId.c_str()),
                                           icalproperty_new_method(ICAL_METHOD_PUBLISH), nullptr));
    const std::vector<EventDays> events = EventsOf(dates);
    for (const EventDays& event : events)
        icalcomponent_add_component(calendar.get(),
                                    NewEvent(event, stampTime, sequence, description));

    char* text = icalcomponent_as_ical_string_r(calendar.get());
    CalendarExport result{text, {}};
    icalmemory_free_buffer(text);
    if (!ReadsBack(result.text, events))
        return {{}, CalendarRefusal::NotReadBack};
    return result;
}

} // namespace velmora
