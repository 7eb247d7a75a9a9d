// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calendar_date.h"

#include <chrono>
#include <optional>
#include <string_view>

// What a store (dear.cfg, the page's local storage, any later one) keeps of her inputs and takes
// back: one rule for each, whatever face she typed them in.
namespace velmora {

// A day written YYYY-MM-DD: four, two and two ASCII digits joined by hyphen-minus, naming a day
// of the calendar. Nothing for any other text, blanks around it included.
std::optional<std::chrono::year_month_day> ReadDayText(std::string_view text);

// Whether the day is one the date picker can hold (1601-01-01 to 9999-12-31): the only days a
// store takes.
bool IsPickerDay(std::chrono::sys_days day);

// A day written as ReadDayText reads it, when it is a day of the picker.
std::optional<CalendarDate> ReadPickerDay(std::string_view text);

// How a locale writes a number, in UTF-8: its decimal separator and the separator that groups
// the digits before it by three.
struct NumberSymbols {
    std::string_view decimalPoint = ".";
    std::string_view groupSeparator = ",";
};

// The cycle length a store keeps of the text she typed: the whole text one number in the
// locale's `symbols` (blanks around it, an optional sign, digits grouped by three or not, a
// decimal separator, an optional exponent), rounded half to even, when that is a whole number
// from -32768 to 32767. Nothing for any other text: a unit after it, a hexadecimal number, a
// number too large.
std::optional<int> KeptCycleLength(std::string_view text, NumberSymbols symbols = {});

} // namespace velmora
