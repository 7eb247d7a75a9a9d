// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine_exports.h"

#include "page_engine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

namespace {

std::string_view Bytes(const char* text, int length)
{
    return text && length > 0 ? std::string_view(text, static_cast<std::size_t>(length))
                              : std::string_view();
}

// The one answer the page is reading; the next call replaces it.
const char* Answer(std::string text)
{
    static std::string answer;
    answer = std::move(text);
    return answer.c_str();
}

// The device's clock in seconds since 1970, where it reads as a time of the years 1970 to 9999.
std::optional<std::chrono::sys_seconds> Clock(double seconds)
{
    if (!std::isfinite(seconds) || seconds <= 0 || seconds >= 253402300800.0)
        return std::nullopt;
    return std::chrono::sys_seconds{
        std::chrono::seconds{static_cast<std::int64_t>(std::floor(seconds))}};
}

// Today on the device: its clock moved by its offset from UTC, where the clock reads.
std::optional<std::chrono::sys_days> Today(double now, int utcOffset)
{
    using namespace std::chrono;
    // No time zone is a day or more away from UTC.
    const minutes offset{std::clamp(utcOffset, -24 * 60, 24 * 60)};
    const auto clock = Clock(now);
    return clock ? std::optional<sys_days>(floor<days>(*clock + offset)) : std::nullopt;
}

// The latest `lines` days are worded, or every one for a count below 1.
std::size_t Lines(int lines)
{
    return lines > 0 ? static_cast<std::size_t>(lines) : velmora::kAllLines;
}

} // namespace

const char* velmora_page_texts(double now, int utcOffset)
{
    return Answer(velmora::web::PageTexts(Today(now, utcOffset)));
}

const char* velmora_calculate(const char* firstDay, int firstDayLength, const char* cycleText,
                              int cycleLength, const char* record, int recordLength, double stamp,
                              int utcOffset)
{
    // A clock the page cannot read is taken as the start of 1970: the calendar still reads.
    return Answer(velmora::web::Calculation(Bytes(firstDay, firstDayLength),
                                            Bytes(cycleText, cycleLength),
                                            Clock(stamp).value_or(std::chrono::sys_seconds{}),
                                            Today(stamp, utcOffset), Bytes(record, recordLength)));
}

const char* velmora_months(const char* firstDay, int firstDayLength, const char* cycleText,
                           int cycleLength, const char* from, int fromLength, const char* record,
                           int recordLength, double now, int utcOffset)
{
    return Answer(velmora::web::Months(Bytes(firstDay, firstDayLength),
                                       Bytes(cycleText, cycleLength), Bytes(from, fromLength),
                                       Today(now, utcOffset), Bytes(record, recordLength)));
}

const char* velmora_day_key(const char* firstDay, int firstDayLength, const char* cycleText,
                            int cycleLength, const char* from, int fromLength, const char* day,
                            int dayLength, const char* key, int keyLength, double now,
                            int utcOffset)
{
    return Answer(velmora::web::DayKeyMove(
        Bytes(firstDay, firstDayLength), Bytes(cycleText, cycleLength), Bytes(from, fromLength),
        Bytes(day, dayLength), Bytes(key, keyLength), Today(now, utcOffset)));
}

const char* velmora_record(const char* record, int recordLength, const char* dateBox,
                           int dateBoxLength, int lines, double now, int utcOffset)
{
    return Answer(velmora::web::RecordAnswer(
        Bytes(record, recordLength),
        {Today(now, utcOffset), Bytes(dateBox, dateBoxLength), Lines(lines)}));
}

const char* velmora_record_offer(const char* record, int recordLength, const char* day,
                                 int dayLength, double now, int utcOffset)
{
    return Answer(velmora::web::RecordOffer(Bytes(record, recordLength), Bytes(day, dayLength),
                                            Today(now, utcOffset)));
}

const char* velmora_record_day(const char* record, int recordLength, const char* day, int dayLength,
                               const char* dateBox, int dateBoxLength, int add, int lines,
                               double now, int utcOffset)
{
    return Answer(velmora::web::RecordDay(
        Bytes(record, recordLength), Bytes(day, dayLength), add != 0,
        {Today(now, utcOffset), Bytes(dateBox, dateBoxLength), Lines(lines)}));
}

const char* velmora_record_take_in(const char* record, int recordLength, const char* file,
                                   int fileLength, const char* dateBox, int dateBoxLength,
                                   int lines, double now, int utcOffset)
{
    return Answer(velmora::web::RecordTakenIn(
        Bytes(record, recordLength), Bytes(file, fileLength),
        {Today(now, utcOffset), Bytes(dateBox, dateBoxLength), Lines(lines)}));
}

const char* velmora_remembered(const char* firstDay, int firstDayLength, const char* cycleText,
                               int cycleLength)
{
    return Answer(
        velmora::web::Remembered(Bytes(firstDay, firstDayLength), Bytes(cycleText, cycleLength)));
}

const char* velmora_restored(const char* date, int dateLength, const char* cycle, int cycleLength)
{
    return Answer(velmora::web::Restored(Bytes(date, dateLength), Bytes(cycle, cycleLength)));
}
