#include "calendar_date.h"

#include "round_half_even.h"

#include <cmath>

namespace velmora {

namespace {

using namespace std::chrono;

constexpr sys_days kFirst{year{100} / January / 1};
constexpr sys_days kLast{year{9999} / December / 31};

// Writes the last `width` decimal digits of a non-negative value, zero-padded.
void AppendPadded(std::string& out, unsigned value, int width)
{
    char digits[4];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

} // namespace

std::optional<CalendarDate> CalendarDate::FromYmd(int y, unsigned m, unsigned d)
{
    const year_month_day ymd{year{y}, month{m}, day{d}};
    if (!ymd.ok())
        return std::nullopt;
    return FromDays(sys_days{ymd});
}

std::optional<CalendarDate> CalendarDate::FromDays(sys_days days)
{
    if (days < kFirst || days > kLast)
        return std::nullopt;
    return CalendarDate{static_cast<std::int32_t>((days - Zero()).count())};
}

std::optional<CalendarDate> CalendarDate::AddDays(double count) const
{
    if (!std::isfinite(count))
        return std::nullopt;
    const double whole = RoundHalfEven(count);
    // The whole valid range spans fewer than 3.7 million days; anything wider cannot land in it
    // and must not reach the integer conversion below.
    constexpr double kSpan = static_cast<double>((kLast - kFirst).count());
    if (std::fabs(whole) > kSpan)
        return std::nullopt;
    return FromDays(Days() + days{static_cast<std::int32_t>(whole)});
}

std::string CalendarDate::Text() const
{
    const year_month_day ymd = Ymd();
    std::string text;
    text.reserve(10);
    // The valid range keeps the year within 100..9999, so four digits always hold it.
    AppendPadded(text, static_cast<unsigned>(static_cast<int>(ymd.year())), 4);
    text += '-';
    AppendPadded(text, static_cast<unsigned>(ymd.month()), 2);
    text += '-';
    AppendPadded(text, static_cast<unsigned>(ymd.day()), 2);
    return text;
}

} // namespace velmora
