// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "read_leading_number.h"

#include "decimal_text.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace velmora {

namespace {

// Walks the text as the reader sees it: with blanks, tabs and line feeds left out.
class Cursor
{
public:
    explicit Cursor(std::string_view text) : text_(text) {}

    char Peek()
    {
        while (pos_ < text_.size() && IsDropped(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void Next() { ++pos_; }

private:
    static bool IsDropped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

    std::string_view text_;
    std::size_t pos_ = 0;
};

int DigitValue(char c, int base)
{
    int value = -1;
    if (IsDigit(c))
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

std::optional<double> ReadWholeNumber(Cursor& cursor, int base)
{
    std::uint64_t value = 0;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    for (int digit = DigitValue(cursor.Peek(), base); digit >= 0;
         cursor.Next(), digit = DigitValue(cursor.Peek(), base)) {
        const auto b = static_cast<std::uint64_t>(base);
        if (value > (kMax - static_cast<std::uint64_t>(digit)) / b)
            return std::nullopt;
        value = value * b + static_cast<std::uint64_t>(digit);
    }
    return static_cast<double>(value);
}

// More significant digits than this never change the nearest double; beyond them only
// "is anything non-zero left" matters, which one extra digit records.
constexpr std::size_t kKeptDigits = 800;
// A decimal exponent beyond this overflows or underflows a double whatever the digits.
constexpr std::int64_t kExponentLimit = 400;
// Exponents are counted exactly up to this, far beyond any text's length, and held there.
constexpr std::int64_t kExponentClamp = 1'000'000'000'000'000;

// An exponent written after the digits (E or D, as in 1E3 and 1D3), held at the clamp; 0 where
// none is.
std::int64_t ReadExponent(Cursor& cursor)
{
    const char c = cursor.Peek();
    if (c != 'E' && c != 'e' && c != 'D' && c != 'd')
        return 0;
    cursor.Next();
    bool negative = false;
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
        negative = cursor.Peek() == '-';
        cursor.Next();
    }
    std::int64_t written = 0;
    for (char digit = cursor.Peek(); IsDigit(digit); cursor.Next(), digit = cursor.Peek())
        written = std::min<std::int64_t>(written * 10 + (digit - '0'), kExponentClamp);
    return negative ? -written : written;
}

std::optional<double> ReadDecimal(Cursor& cursor)
{
    bool negative = false;
    if (cursor.Peek() == '+' || cursor.Peek() == '-') {
        negative = cursor.Peek() == '-';
        cursor.Next();
    }

    // The value is 0.<significant> x 10^exponent.
    std::string significant;
    std::int64_t exponent = 0;
    bool sticky = false;
    bool seenPoint = false;
    for (char c = cursor.Peek(); IsDigit(c) || (c == '.' && !seenPoint); c = cursor.Peek()) {
        cursor.Next();
        if (c == '.') {
            seenPoint = true;
        } else if (significant.empty() && c == '0') {
            if (seenPoint)
                exponent = std::max(exponent - 1, -kExponentClamp);
        } else {
            if (significant.size() < kKeptDigits)
                significant += c;
            else
                sticky = sticky || c != '0';
            if (!seenPoint)
                exponent = std::min(exponent + 1, kExponentClamp);
        }
    }

    exponent += ReadExponent(cursor);

    const double zero = negative ? -0.0 : 0.0;
    if (significant.empty() || exponent < -kExponentLimit)
        return zero;
    if (exponent > kExponentLimit)
        return std::nullopt;

    std::string compact = "0.";
    compact += significant;
    if (sticky)
        compact += '1';
    compact += 'e';
    compact += std::to_string(exponent);
    const auto value = DecimalTextToDouble(compact);
    if (!value)
        return exponent > 0 ? std::nullopt : std::optional<double>{zero};
    return negative ? -*value : *value;
}

// Reads a "&H" or "&O" prefix: the base of the number that follows, 10 where there is no
// prefix, or 0 where the "&" starts no number.
int ReadBase(Cursor& cursor)
{
    if (cursor.Peek() != '&')
        return 10;
    cursor.Next();
    switch (cursor.Peek()) {
    case 'H':
    case 'h':
        cursor.Next();
        return 16;
    case 'O':
    case 'o':
        cursor.Next();
        return 8;
    default:
        return 0;
    }
}

} // namespace

std::optional<double> ReadLeadingNumber(std::string_view text)
{
    Cursor cursor(text);
    switch (const int base = ReadBase(cursor)) {
    case 10:
        return ReadDecimal(cursor);
    case 0:
        return 0.0;
    default:
        return ReadWholeNumber(cursor, base);
    }
}

bool BeginsWithNumber(std::string_view text)
{
    Cursor cursor(text);
    const int base = ReadBase(cursor);
    if (base == 10) {
        if (cursor.Peek() == '+' || cursor.Peek() == '-')
            cursor.Next();
        if (cursor.Peek() == '.')
            cursor.Next();
    }
    return base != 0 && DigitValue(cursor.Peek(), base) >= 0;
}

} // namespace velmora
