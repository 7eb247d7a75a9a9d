// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar_export.h"

#include "phase_order.h"

#include <array>
#include <libical/ical.h>
#include <memory>

namespace velmora {

namespace {

struct Event {
    int first; // slot of the first day
    int last;  // slot of the last day
    const char* summary;
};
constexpr std::array<Event, 6> kEvents{{
    {1, 2, "月经期"},
    {3, 4, "安全期"},
    {5, 6, "危险期"},
    {7, 8, "安全期"},
    {9, 9, "排卵日"},
    {10, 10, "下次月经开始日"},
}};

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

icaltimetype AllDay(const CalendarDate& date)
{
    const std::chrono::year_month_day ymd = date.Ymd();
    icaltimetype time = icaltime_null_date();
    time.year = static_cast<int>(ymd.year());
    time.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    time.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    return time;
}

icalcomponent* NewEvent(const PhaseDates& dates, std::size_t place, icaltimetype stamp,
                        const std::string& description)
{
    const Event& event = kEvents[place];
    const CalendarDate first = dates.Slot(event.first);
    // The order check guarantees the day after the last one exists.
    const CalendarDate end = dates.Slot(event.last).AddDays(1).value_or(first);
    // The same calculation gives the same UIDs, whenever it is exported.
    const std::string uid = dates.Slot(1).Text() + '-' + std::to_string(CycleLengthDays(dates)) +
                            '-' + std::to_string(place + 1) + "@velmora.org";

    // A published event must name an organizer; it is the program, never the user, so that no
    // calendar takes the events for an invitation she sent.
    icalproperty* organizer = icalproperty_new_organizer("mailto:calendar@velmora.org");
    icalproperty_add_parameter(organizer, icalparameter_new_cn("Velmora"));
    icalcomponent* component = icalcomponent_vanew(
        ICAL_VEVENT_COMPONENT, icalproperty_new_uid(uid.c_str()), organizer,
        icalproperty_new_dtstamp(stamp), icalproperty_new_dtstart(AllDay(first)),
        icalproperty_new_dtend(AllDay(end)), icalproperty_new_summary(event.summary),
        icalproperty_new_description(description.c_str()),
        icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT), nullptr);
    if (place + 1 == kEvents.size()) {
        icaltriggertype trigger = icaltriggertype_from_int(-24 * 60 * 60);
        icalcomponent_add_component(
            component,
            icalcomponent_vanew(ICAL_VALARM_COMPONENT, icalproperty_new_action(ICAL_ACTION_DISPLAY),
                                icalproperty_new_trigger(trigger),
                                icalproperty_new_description("明天是下次月经开始日"), nullptr));
    }
    return component;
}

} // namespace

CalendarExport ExportCalendar(const PhaseDates& dates, std::chrono::sys_seconds stamp)
{
    if (auto problem = PhaseOrderProblem(dates))
        return {{}, std::move(*problem)};

    const icaltimetype stampTime = icaltime_from_timet_with_zone(
        static_cast<time_t>(stamp.time_since_epoch().count()), 0, icaltimezone_get_utc_timezone());
    const std::string description = "根据上次月经来潮日期 " + dates.Slot(1).Text() +
                                    " 和月经周期 " + std::to_string(CycleLengthDays(dates)) +
                                    " 天计算。";
    const std::string productId = "-//Velmora//Velmora " VELMORA_VERSION "//ZH";

    Component calendar(icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT,
                                           icalproperty_new_version("2.0"),
                                           icalproperty_new_prodid(productId.c_str()),
                                           icalproperty_new_method(ICAL_METHOD_PUBLISH), nullptr));
    for (std::size_t place = 0; place < kEvents.size(); ++place)
        icalcomponent_add_component(calendar.get(), NewEvent(dates, place, stampTime, description));

    char* text = icalcomponent_as_ical_string_r(calendar.get());
    CalendarExport result{text, {}};
    icalmemory_free_buffer(text);
    return result;
}

} // namespace velmora
