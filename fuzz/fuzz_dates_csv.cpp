// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as a CSV of dates (or drip's, or a record): never a crash, a hang or a day outside
// the calendar, and periods no closer than the gap.
#include "fuzz_taken_in.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return FuzzReader(std::nullopt, {reinterpret_cast<const char*>(data), size});
}
