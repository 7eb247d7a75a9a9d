// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string_view>

namespace velmora {

// An ASCII digit: no locale's digits, whatever the C library would say.
constexpr bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads the number at the start of a text, the way a user's "28", "28.5 days" or
// "2 8" is meant:
//  - blanks, tabs and line feeds are dropped wherever they stand;
//  - an optional sign, digits with at most one full stop as the decimal point (whatever
//    the locale), and an optional exponent (E or D, an optional sign, digits);
//  - reading stops at the first character that cannot continue the number;
//  - "&H" or "&O" (either case) starts a hexadecimal or octal whole number, always
//    non-negative, read as an unsigned 64-bit value;
//  - a text that does not begin with a number reads as 0.
// Returns nothing when the number does not fit: a decimal number beyond the range of a
// double (a value too small to represent reads as 0), or hexadecimal or octal digits
// worth more than 2^64 - 1.
std::optional<double> ReadLeadingNumber(std::string_view text);

// Whether the text begins with a number at all: false where ReadLeadingNumber reads 0 only
// because no digit comes before the first character that stops it ("abc", "", "-", "&H").
bool BeginsWithNumber(std::string_view text);

} // namespace velmora
