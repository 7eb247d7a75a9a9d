// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The engine's entry points as the web page calls them, plain C so that JavaScript can. Each
// returns a JSON object (see page_engine.h) in UTF-8, valid until the next call. Texts from the
// page come as bytes and a length, so that any text reaches the engine as typed.
extern "C" {

// `now` is the device's clock in seconds since 1970 and `utcOffset` its time zone's offset in
// minutes (east positive), for today's date.
const char* velmora_page_texts(double now, int utcOffset);
// `stamp` is the time of the calculation in seconds since 1970, for the calendar, and with
// `utcOffset` for today in the month picture.
// `record` is her record as the page keeps it, whose periods the month picture draws.
const char* velmora_calculate(const char* firstDay, int firstDayLength, const char* cycleText,
                              int cycleLength, const char* record, int recordLength, double stamp,
                              int utcOffset);
// The month picture from the month `from` (YYYY-MM), for 上个月, 下个月 and 今天.
const char* velmora_months(const char* firstDay, int firstDayLength, const char* cycleText,
                           int cycleLength, const char* from, int fromLength, const char* record,
                           int recordLength, double now, int utcOffset);
// Where a key moves the day she stands on in the months shown from `from`.
const char* velmora_day_key(const char* firstDay, int firstDayLength, const char* cycleText,
                            int cycleLength, const char* from, int fromLength, const char* day,
                            int dayLength, const char* key, int keyLength, double now,
                            int utcOffset);
// Her record: as kept, what choosing a day offers, with a day recorded (`add` non-zero) or taken
// out, with a file taken in; each worded for the latest `lines` days (all for 0), as of today
// (`now`, `utcOffset`) and beside the date box's day `dateBox`.
const char* velmora_record(const char* record, int recordLength, const char* dateBox,
                           int dateBoxLength, int lines, double now, int utcOffset);
const char* velmora_record_offer(const char* record, int recordLength, const char* day,
                                 int dayLength, double now, int utcOffset);
const char* velmora_record_day(const char* record, int recordLength, const char* day, int dayLength,
                               const char* dateBox, int dateBoxLength, int add, int lines,
                               double now, int utcOffset);
const char* velmora_record_take_in(const char* record, int recordLength, const char* file,
                                   int fileLength, const char* dateBox, int dateBoxLength,
                                   int lines, double now, int utcOffset);
const char* velmora_remembered(const char* firstDay, int firstDayLength, const char* cycleText,
                               int cycleLength);
const char* velmora_restored(const char* date, int dateLength, const char* cycle, int cycleLength);
}
