// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "kept_inputs.h"

#include "decimal_text.h"
#include "read_leading_number.h"
#include "round_half_even.h"

#include <array>
#include <string>

namespace velmora {

namespace {

using namespace std::chrono;

// The digits of text[at, at + count) as a number; nothing where any is not a digit.
std::optional<unsigned> Digits(std::string_view text, std::size_t at, std::size_t count)
{
    unsigned value = 0;
    for (const char c : text.substr(at, count)) {
        if (!IsDigit(c))
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

// The blanks a text may have around its number: every white space of Unicode, the ideographic
// space a Chinese keyboard types among them.
constexpr std::array<std::string_view, 25> kBlanks = {
    "\t",     "\n",     "\v",     "\f",     "\r",     " ",      "\u0085", "\u00A0", "\u1680",
    "\u2000", "\u2001", "\u2002", "\u2003", "\u2004", "\u2005", "\u2006", "\u2007", "\u2008",
    "\u2009", "\u200A", "\u2028", "\u2029", "\u202F", "\u205F", "\u3000",
};

bool StartsWithBlank(std::string_view text, std::size_t& length)
{
    for (const std::string_view blank : kBlanks)
        if (text.starts_with(blank))
            return length = blank.size(), true;
    return false;
}

bool EndsWithBlank(std::string_view text, std::size_t& length)
{
    for (std::size_t size = 1; size <= 3 && size <= text.size(); ++size)
        if (std::size_t found = 0;
            StartsWithBlank(text.substr(text.size() - size), found) && found == size)
            return length = size, true;
    return false;
}

std::string_view Trimmed(std::string_view text)
{
    for (std::size_t length = 0; StartsWithBlank(text, length);)
        text.remove_prefix(length);
    for (std::size_t length = 0; EndsWithBlank(text, length);)
        text.remove_suffix(length);
    return text;
}

// Takes `what` off the front of `text` where it stands there.
bool Take(std::string_view& text, std::string_view what)
{
    if (what.empty() || !text.starts_with(what))
        return false;
    text.remove_prefix(what.size());
    return true;
}

// Moves the leading digits of `text` to `plain`; how many there were.
std::size_t TakeDigits(std::string_view& text, std::string& plain)
{
    std::size_t count = 0;
    while (count < text.size() && IsDigit(text[count]))
        plain += text[count++];
    text.remove_prefix(count);
    return count;
}

} // namespace

std::optional<year_month_day> ReadDayText(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto y = Digits(text, 0, 4);
    const auto m = Digits(text, 5, 2);
    const auto d = Digits(text, 8, 2);
    if (!y || !m || !d)
        return std::nullopt;
    const year_month_day day{year{static_cast<int>(*y)}, month{*m}, std::chrono::day{*d}};
    return day.ok() ? std::optional<year_month_day>(day) : std::nullopt;
}

bool IsPickerDay(sys_days day)
{
    return day >= sys_days{kEarliestPickerDay} && day <= sys_days{kLatestPickerDay};
}

std::optional<CalendarDate> ReadPickerDay(std::string_view text)
{
    const auto day = ReadDayText(text);
    if (!day || !IsPickerDay(sys_days{*day}))
        return std::nullopt;
    return CalendarDate::FromDays(sys_days{*day});
}

std::optional<int> KeptCycleLength(std::string_view text, NumberSymbols symbols)
{
    text = Trimmed(text);
    // Rewritten as a plain number ("-3000.5e1") for the one conversion every face uses.
    std::string plain;
    if (Take(text, "-") || Take(text, "\u2212"))
        plain += '-';
    else
        Take(text, "+");
    // Digits before the decimal separator, grouped by three or not at all. A locale that groups
    // with a no-break space is also written with a plain one.
    const bool spaceGroups =
        symbols.groupSeparator == "\u00A0" || symbols.groupSeparator == "\u202F";
    std::size_t digits = TakeDigits(text, plain);
    const bool grouped = digits > 0 && digits <= 3;
    while (grouped && (Take(text, symbols.groupSeparator) || (spaceGroups && Take(text, " ")))) {
        if (TakeDigits(text, plain) != 3)
            return std::nullopt;
        digits += 3;
    }
    if (Take(text, symbols.decimalPoint)) {
        plain += '.';
        digits += TakeDigits(text, plain);
    }
    if (digits == 0)
        return std::nullopt;
    if (Take(text, "e") || Take(text, "E")) {
        plain += 'e';
        if (Take(text, "-") || Take(text, "\u2212"))
            plain += '-';
        else
            Take(text, "+");
        if (TakeDigits(text, plain) == 0)
            return std::nullopt;
    }
    if (!text.empty())
        return std::nullopt;
    const auto value = DecimalTextToDouble(plain);
    return value ? SavedCycleLength(*value) : std::nullopt;
}

} // namespace velmora
