// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "period_record.h"

namespace velmora {

// What a file she takes in (导入记录) holds: a record of ours, or the CSV that drip exports.
struct TakenIn {
    PeriodRecord record; // its days only
    int notDates = 0; // its lines, or CSV rows, that name no day of the picker (blank ones aside)
    bool tooLarge = false; // over kRecordLimit: nothing of it is taken
};

// Any bytes; more than kRecordLimit of them are refused whole. A file whose first line is drip's
// header (date,…,bleeding.value,…,bleeding.exclude,…) gives the first days of its periods: a day of
// bleeding 1 to 3 not excluded, whose day before is no such day (0 is spotting). Nothing else
// of that file is read. Any other file is read as a record.
TakenIn TakeIn(std::string_view bytes);

} // namespace velmora
