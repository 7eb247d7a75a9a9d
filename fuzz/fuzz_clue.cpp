// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as Clue's export: never a crash, a hang or a day outside the calendar.
#include "fuzz_taken_in.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return FuzzReader(velmora::JsonReader::kClue, {reinterpret_cast<const char*>(data), size});
}
