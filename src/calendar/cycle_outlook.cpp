// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cycle_outlook.h"

#include "kept_inputs.h"
#include "period_record.h"
#include "phase_order.h"
#include "texts.h"

#include <algorithm>

namespace velmora {

namespace {

using namespace std::chrono;

constexpr unsigned kSafe = kFirstSafe | kSecondSafe;

// Each kind is the phase that begins with its slot, wherever the table lists it.
constexpr std::array<std::pair<DayKind, Slot>, 6> kKindOf = {{
    {kPeriod, Slot::PeriodFirst},
    {kFirstSafe, Slot::FirstSafeFirst},
    {kFertile, Slot::DangerousFirst},
    {kSecondSafe, Slot::SecondSafeFirst},
    {kOvulation, Slot::Ovulation},
    {kNextPeriod, Slot::NextPeriod},
}};

bool Holds(DayRange range, sys_days day)
{
    return day >= range.first && day <= range.last;
}

// The kinds of a day `offset` days after the first day of a cycle like the calculated one.
unsigned KindsAt(const PhaseDates& dates, days offset)
{
    unsigned kinds = 0;
    const sys_days day = dates[Slot::PeriodFirst].Days() + offset;
    for (const auto& [kind, slot] : kKindOf)
        if (const Phase* phase = PhaseOf(kind);
            Holds({dates[phase->first].Days(), dates[phase->last].Days()}, day))
            kinds |= kind;
    return kinds;
}

} // namespace

const Phase* PhaseOf(DayKind kind)
{
    for (const auto& [each, slot] : kKindOf)
        if (each == kind)
            for (const Phase& phase : kPhases)
                if (phase.first == slot)
                    return &phase;
    return nullptr;
}

CycleOutlook::CycleOutlook(const std::optional<PhaseDates>& dates,
                           std::span<const sys_days> recorded, std::optional<sys_days> today)
    : m_dates(dates), m_recorded(recorded), m_today(today)
{
    std::optional<sys_days> latest;
    if (dates) {
        m_start = (*dates)[Slot::PeriodFirst].Days();
        m_length = std::max((*dates)[Slot::NextPeriod].Days() - m_start, days{0});
        latest = m_start;
    }
    const auto spread = SpreadOf(recorded);
    if (!spread)
        return;
    // The next period is foretold from the latest first day known: the one she recorded last,
    // or a later one she calculated from.
    if (!recorded.empty())
        latest = std::max(latest.value_or(recorded.back()), recorded.back());
    const DayRange likely{*latest + days{spread->earliest}, *latest + days{spread->latest}};
    if (!IsPickerDay(likely.last))
        return;
    m_spread = *spread;
    m_anchor = *latest;
    m_likely = likely;
    m_after = {likely.first + days{spread->earliest}, likely.last + days{spread->latest}};
    m_comingFertile = FertileDays(likely, *spread);
    m_late = today && *today > likely.last;
}

unsigned CycleOutlook::CalculatedKinds(sys_days day) const
{
    if (m_length <= days{0} || day < m_start)
        return 0;
    // Which cycle it lies in, and how far into it: the same arithmetic for the 1st and the
    // 10 000th.
    const auto cycle = (day - m_start) / m_length;
    const days offset = (day - m_start) % m_length;
    unsigned kinds = KindsAt(*m_dates, offset);
    if (offset == days{0} && cycle > 0)
        kinds |= kNextPeriod;
    // A cycle under 19 days has its 危险期 begin before its first day, in the days that end the
    // cycle before it.
    kinds |= KindsAt(*m_dates, offset - m_length) & kFertile;
    return kinds;
}

std::optional<sys_days> CycleOutlook::FirstDayBefore(sys_days day,
                                                     std::optional<sys_days> recordedBefore) const
{
    std::optional<sys_days> first = recordedBefore;
    if (m_dates && m_start <= day)
        first = std::max(first.value_or(m_start), m_start);
    return first;
}

unsigned CycleOutlook::ForetoldKinds(sys_days day) const
{
    if (Holds(*m_likely, day))
        return kLikelyPeriod;
    // Past it no cycle has begun while she is late: nothing is painted but that she is.
    if (m_late)
        return day <= *m_today ? unsigned{kLate} : 0u;
    // Nothing past the period after it: the coming cycle's days all end before it does.
    if (Holds(m_after, day))
        return kLikelyPeriod;
    if (Holds(m_comingFertile, day))
        return kFertile;
    // A coming cycle's 安全期 only beside a calculation, and only where it is one whatever day
    // within the range it begins on.
    if (m_length <= days{0})
        return 0;
    if (day >= m_likely->last + days{kRecordedPeriodDays} && day < m_comingFertile.first)
        return kFirstSafe;
    if (day > m_comingFertile.last && day < m_after.first)
        return kSecondSafe;
    return 0;
}

unsigned CycleOutlook::KindsOn(sys_days day) const
{
    unsigned kinds = 0;
    // The latest recorded first day up to this one, and whether this lies in its period.
    const auto after = std::upper_bound(m_recorded.begin(), m_recorded.end(), day);
    std::optional<sys_days> recordedBefore;
    if (after != m_recorded.begin())
        recordedBefore = *std::prev(after);
    if (recordedBefore && day - *recordedBefore < days{kRecordedPeriodDays})
        kinds |= day == *recordedBefore ? kRecordedPeriod | kRecordedFirst : kRecordedPeriod;
    if (m_likely && day >= m_likely->first)
        return kinds | ForetoldKinds(day);
    unsigned phases = CalculatedKinds(day);
    // Her fertile days in the cycle it lies in, and in a short next one that may begin soon:
    // from her latest first day on, and before it where the calculation paints a day.
    const auto first = FirstDayBefore(day, recordedBefore);
    if (m_likely && first && (day >= m_anchor || phases) &&
        (Holds(FertileDays({*first, *first}, m_spread), day) || Holds(m_comingFertile, day)))
        phases |= kFertile;
    // No day that may be fertile is called safe.
    if (phases & kFertile)
        phases &= ~kSafe;
    return kinds | phases;
}

int CycleOutlook::CycleOf(sys_days day) const
{
    if (m_length <= days{0} || day < m_start || (m_likely && day >= m_likely->first))
        return -1;
    return static_cast<int>((day - m_start) / m_length);
}

std::string SafeCaution(const PhaseDates& dates, std::string_view cycleLengthText,
                        const std::optional<CycleSpread>& spread)
{
    if (const auto problem = ExportProblem(dates, cycleLengthText);
        problem && problem != CalendarRefusal::OutOfOrder)
        return {};
    std::string words;
    if (dates[Slot::FirstSafeLast] < dates[Slot::FirstSafeFirst])
        words = texts::kNoSafeBeforeFertile;
    if (!spread)
        return words;
    const sys_days first = dates[Slot::PeriodFirst].Days();
    const DayRange fertile = FertileDays({first, first}, *spread);
    std::string held;
    for (const Phase* safe : {PhaseOf(kFirstSafe), PhaseOf(kSecondSafe)}) {
        const sys_days from = std::max(dates[safe->first].Days(), fertile.first);
        const sys_days to = std::min(dates[safe->last].Days(), fertile.last);
        if (from > to)
            continue;
        if (!held.empty())
            held += texts::kListSeparator;
        held += DayText(from);
        if (to > from)
            held += std::string(texts::kDayRangeTo) + DayText(to);
    }
    return held.empty() ? words : words + texts::AlsoFertile(held);
}

} // namespace velmora
