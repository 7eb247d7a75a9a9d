// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "period_record.h"
#include "record_import.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// What a change to her record comes to, the same on every face: which action a chosen day is
// offered, and what recording, taking out or taking a file in did, or why it was refused. Every
// change stays within what every face reads back.
namespace velmora {

enum class DayAction {
    Record,       // 这天月经来了
    Forget,       // a recorded first day: 删除这天的记录
    ForgetPeriod, // a later day of a recorded period: no new period, but its first day can go
    NotYet,       // a day after today: nothing has happened on it to record
};

struct DayOffer {
    DayAction action;
    std::chrono::sys_days day; // the day the action changes: for ForgetPeriod, the first day
    std::string words;         // the action, as its button or menu entry says it
    std::string where;         // for ForgetPeriod, the period the day lies in; else nothing
};

// `today` where the clock reads: only what has happened is recorded.
DayOffer OfferFor(const PeriodRecord& record, std::chrono::sys_days day,
                  std::optional<std::chrono::sys_days> today);

// A change's outcome. Refused: the record is as it was, and `words` say why.
struct RecordChange {
    bool refused = false;
    bool changed = false;
    std::string words; // what to tell her: why it was refused, or what a file brought
};

// Records first days, all or none: a day inside a recorded period (or inside one of the others)
// is no new period, and a day after today has not happened; either refuses them all. A day
// already recorded stays once.
RecordChange RecordDays(PeriodRecord& record, const std::vector<std::chrono::sys_days>& days,
                        std::optional<std::chrono::sys_days> today);
// Takes recorded days out, all or none: a day that is not recorded refuses them all.
RecordChange ForgetDays(PeriodRecord& record, const std::vector<std::chrono::sys_days>& days);
// Adds the days a file brought, but those after today, which the report counts; a file over the
// limit brings nothing.
RecordChange TakeInto(PeriodRecord& record, const TakenIn& taken,
                      std::optional<std::chrono::sys_days> today);

} // namespace velmora
