// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record_import.h"

#include <optional>
#include <string_view>

namespace velmora {

// The JSON another tracker exports, read for its days of bleeding:
// - Clue (measurements.json): an array of measurements, each an object with "type", "date"
//   (YYYY-MM-DD) and "value"; a day of "type": "period" is a day of bleeding, whatever its
//   flow; spotting and every other type are not;
// - Flo: an object whose "operationalData" holds "cycles", each with a "period_start_date" and
//   a "period_end_date" written YYYY-MM-DD and a time, in any order;
// - Periodical (unpacked): an array of sections, one of them {"data": [...]}, whose events
//   each have an "eventtype" and an "eventdate" (YYYYMMDD), every value a string: type 1 is
//   the first day of a period, 2 a later day of it, any other (0 is a note) no bleeding.
// A value of another type than these is an entry not used. JSON nested deeper than any export
// is, or JSON of none of these shapes, is kUnknown, with nothing taken.
TakenIn TakeInJson(std::string_view text);

// One reader alone, as TakeInJson would read the text with it: nothing where the text is not
// that tracker's shape. TakeInJson parses once and asks each in this order.
enum class JsonReader { kPeriodical, kClue, kFlo };
std::optional<TakenIn> TakeInJsonAs(JsonReader reader, std::string_view text);

} // namespace velmora
