// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fuzz_check.h"
#include "kept_inputs.h"
#include "record_change.h"
#include "record_import.h"
#include "tracker_json.h"

#include <algorithm>
#include <cstdint>

// What any reader takes in from any file: days of the picker only, each the first of a period
// no closer than the gap to the one before; nothing from a file it does not know; and, taken
// into a record, a change all or nothing.
inline void CheckTakenIn(const velmora::TakenIn& taken)
{
    using namespace std::chrono;
    const std::vector<sys_days> firsts = taken.record.Days();
    FUZZ_CHECK(std::all_of(firsts.begin(), firsts.end(), velmora::IsPickerDay));
    if (taken.source != velmora::Source::kRecord)
        FUZZ_CHECK(std::adjacent_find(firsts.begin(), firsts.end(), [](sys_days a, sys_days b) {
                       return b - a <= days{10};
                   }) == firsts.end());
    if (taken.source == velmora::Source::kUnknown || taken.tooLarge)
        FUZZ_CHECK(firsts.empty());
    velmora::PeriodRecord record;
    const velmora::RecordChange outcome = velmora::TakeInto(record, taken, std::nullopt);
    FUZZ_CHECK(outcome.refused == (taken.source == velmora::Source::kUnknown || taken.tooLarge));
    // Into an empty record every first day comes, but a day of a record of ours inside the
    // period of the one before it.
    FUZZ_CHECK(outcome.refused ? record.Days().empty()
                               : taken.source == velmora::Source::kRecord
                                     ? record.Days().size() <= firsts.size()
                                     : record.Days().size() == firsts.size());
}

// The bytes read by one JSON reader alone, where they are its shape, and by every reader.
inline int FuzzReader(std::optional<velmora::JsonReader> reader, std::string_view bytes)
{
    if (const auto taken = reader ? velmora::TakeInJsonAs(*reader, bytes) : std::nullopt)
        CheckTakenIn(*taken);
    CheckTakenIn(velmora::TakeIn(bytes));
    return 0;
}
