// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine_exports.h"

#include "page_engine.h"

#include <cmath>
#include <cstdint>

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

} // namespace

const char* velmora_page_texts()
{
    return Answer(velmora::web::PageTexts());
}

const char* velmora_calculate(const char* firstDay, int firstDayLength, const char* cycleText,
                              int cycleLength, double stamp)
{
    using namespace std::chrono;
    // A clock the page cannot read is taken as the start of 1970: the calendar still reads.
    const double seconds =
        std::isfinite(stamp) && stamp > 0 && stamp < 253402300800.0 ? std::floor(stamp) : 0.0;
    return Answer(velmora::web::Calculation(
        Bytes(firstDay, firstDayLength), Bytes(cycleText, cycleLength),
        sys_seconds{std::chrono::seconds{static_cast<std::int64_t>(seconds)}}));
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
