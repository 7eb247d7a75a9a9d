// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar_export.h"

#include <algorithm>
#include <libical/ical.h>
#include <limits>
#include <memory>

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

// The exclusive end of an event; the order check guarantees the day after the last one exists.
CalendarDate EndOf(const PhaseDates& dates, const Phase& phase)
{
    return dates[phase.last].AddDays(1).value_or(CalendarDate{});
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
bool ReadsBack(const std::string& text, const PhaseDates& dates)
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
        if (place == kPhases.size() || !start || !end ||
            !IsDay(icalproperty_get_dtstart(start), dates[kPhases[place].first]) ||
            !IsDay(icalproperty_get_dtend(end), EndOf(dates, kPhases[place])))
            return false;
        ++place;
    }
    return place == kPhases.size();
}

icalcomponent* NewEvent(const PhaseDates& dates, std::size_t place, icaltimetype stamp,
                        int sequence, const std::string& description)
{
    const Phase& phase = kPhases[place];
    // The cycle and the place, never the length: a re-export replaces what it exported before.
    const std::string uid =
        dates[Slot::PeriodFirst].Text() + '-' + std::to_string(place + 1) + "@velmora.org";
    const std::string summary(phase.label);

    // A published event must name an organizer; it is the program, never the user, so that no
    // calendar takes the events for an invitation she sent.
    icalproperty* organizer = icalproperty_new_organizer("mailto:calendar@velmora.org");
    icalproperty_add_parameter(organizer, icalparameter_new_cn("Velmora"));
    icalcomponent* component =
        icalcomponent_vanew(ICAL_VEVENT_COMPONENT, icalproperty_new_uid(uid.c_str()), organizer,
                            icalproperty_new_dtstamp(stamp), icalproperty_new_lastmodified(stamp),
                            icalproperty_new_sequence(sequence),
                            DateProperty(ICAL_DTSTART_PROPERTY, dates[phase.first]),
                            DateProperty(ICAL_DTEND_PROPERTY, EndOf(dates, phase)),
                            icalproperty_new_summary(summary.c_str()),
                            icalproperty_new_description(description.c_str()),
                            icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT), nullptr);
    if (phase.first == Slot::NextPeriod) {
        icalcomponent_add_component(
            component, icalcomponent_vanew(
                           ICAL_VALARM_COMPONENT, icalproperty_new_action(ICAL_ACTION_DISPLAY),
                           icalproperty_new_trigger(icaltriggertype_from_int(-kReminderBefore)),
                           icalproperty_new_description("明天是下次月经开始日"), nullptr));
    }
    return component;
}

} // namespace

int SequenceAfter(const std::string& calendar)
{
    const Component parsed(icalparser_parse_string(calendar.c_str()));
    if (!parsed)
        return 0;
    int after = 0;
    for (icalcomponent* event =
             icalcomponent_get_first_component(parsed.get(), ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(parsed.get(), ICAL_VEVENT_COMPONENT)) {
        const int sequence = icalcomponent_get_sequence(event);
        if (sequence >= after && sequence < std::numeric_limits<int>::max())
            after = sequence + 1;
    }
    return after;
}

CalendarExport ExportCalendar(const PhaseDates& dates, sys_seconds stamp, int lowestSequence)
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
                                    " 天计算。";
    const std::string productId = "-//Velmora//Velmora " VELMORA_VERSION "//ZH";

    Component calendar(icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT,
                                           icalproperty_new_version("2.0"),
                                           icalproperty_new_prodid(productId.c_str()),
                                           icalproperty_new_method(ICAL_METHOD_PUBLISH), nullptr));
    for (std::size_t place = 0; place < kPhases.size(); ++place)
        icalcomponent_add_component(calendar.get(),
                                    NewEvent(dates, place, stampTime, sequence, description));

    char* text = icalcomponent_as_ical_string_r(calendar.get());
    CalendarExport result{text, {}};
    icalmemory_free_buffer(text);
    if (!ReadsBack(result.text, dates))
        return {{}, CalendarRefusal::NotReadBack};
    return result;
}

} // namespace velmora
