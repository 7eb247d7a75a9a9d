// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_change.h"

#include "calendar_date.h"
#include "texts.h"

#include <utility>

namespace velmora {

namespace {

using namespace std::chrono;

// The days a change was asked for, as its words name them: 2004-01-22、2004-02-19.
std::string DaysText(const std::vector<sys_days>& days)
{
    std::string text;
    for (const sys_days day : days)
        text += (text.empty() ? "" : "、") + DayText(day);
    return text;
}

RecordChange Refused(std::string words)
{
    return {.refused = true, .changed = false, .words = std::move(words)};
}

// The changed record takes the place of the old one only where it can be read back whole:
// a record past the limit could never be changed again.
RecordChange Keep(PeriodRecord& record, PeriodRecord&& changed, RecordChange outcome)
{
    if (outcome.refused || !outcome.changed)
        return outcome;
    if (changed.Text().size() > kRecordLimit)
        return Refused(texts::RecordFull(kRecordLimit));
    record = std::move(changed);
    return outcome;
}

} // namespace

DayOffer OfferFor(const PeriodRecord& record, sys_days day, std::optional<sys_days> today)
{
    if (record.Holds(day))
        return {DayAction::Forget, day, std::string(texts::kForgetDay), {}};
    if (const auto first = record.PeriodHolding(day))
        return {DayAction::ForgetPeriod, *first, texts::ForgetPeriod(DayText(*first)),
                texts::InsidePeriod(DayText(day), DayText(*first))};
    if (today && day > *today)
        return {DayAction::NotYet, day, texts::NotYet(DayText(day)), {}};
    return {DayAction::Record, day, std::string(texts::kRecordDay), {}};
}

RecordChange RecordDays(PeriodRecord& record, const std::vector<sys_days>& days,
                        std::optional<sys_days> today)
{
    PeriodRecord changed = record;
    RecordChange outcome;
    for (const sys_days day : days) {
        if (today && day > *today)
            return Refused(texts::NotYet(DayText(day)));
        if (const auto first = changed.PeriodHolding(day))
            return Refused(texts::InsidePeriod(DayText(day), DayText(*first)));
        outcome.changed = changed.Add(day) || outcome.changed;
    }
    outcome.words = texts::DaysRecorded(DaysText(days));
    return Keep(record, std::move(changed), std::move(outcome));
}

RecordChange ForgetDays(PeriodRecord& record, const std::vector<sys_days>& days)
{
    PeriodRecord changed = record;
    RecordChange outcome;
    for (const sys_days day : days) {
        if (!changed.Remove(day) && !record.Holds(day))
            return Refused(texts::NotRecorded(DayText(day)));
        outcome.changed = true;
    }
    outcome.words = texts::DaysForgotten(DaysText(days));
    return Keep(record, std::move(changed), std::move(outcome));
}

RecordChange TakeInto(PeriodRecord& record, const TakenIn& taken, std::optional<sys_days> today)
{
    if (taken.tooLarge)
        return Refused(texts::ImportTooLarge(kRecordLimit));
    if (taken.source == Source::kUnknown)
        return Refused(std::string(texts::kImportUnknown));
    // Each day as --record takes it: what has not happened yet is no period she had, and a day
    // inside a period already there is no new one; both are left out, and counted.
    PeriodRecord changed = record;
    int added = 0;
    int later = 0;
    int inside = 0;
    for (const sys_days day : taken.record.Days()) {
        if (today && day > *today)
            ++later;
        else if (changed.PeriodHolding(day))
            ++inside;
        else
            added += changed.Add(day) ? 1 : 0;
    }
    std::string words =
        taken.source == Source::kRecord
            ? texts::ImportReport(added, taken.notDates)
            : texts::TrackerReport(TrackerName(taken.source), added, taken.notDates);
    if (later > 0)
        words += texts::AfterToday(later);
    if (inside > 0)
        words += texts::InsideRecorded(inside);
    if (!taken.overlong.empty())
        words += texts::Overlong(static_cast<int>(taken.overlong.size()),
                                 DayText(taken.overlong.front()), kLongestPeriod);
    return Keep(record, std::move(changed),
                {.refused = false, .changed = added > 0, .words = std::move(words)});
}

} // namespace velmora
