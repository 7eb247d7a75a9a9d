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
// header (date,…,bleeding.value,…,bleeding.exclude,…, quoted or not) gives the first days of its
// periods: a day of bleeding 1 to 3 not excluded (0 is spotting) with no such day in the ten
// days before it. Nothing else of that file is read; a quote that never closes counts the lines
// it took as not dates. Any other file is read as a record.
TakenIn TakeIn(std::string_view bytes);

} // namespace velmora
