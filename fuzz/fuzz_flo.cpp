// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as Flo's export: read by its reader alone, never a crash, a hang or a day outside
// the calendar.
#include "fuzz_taken_in.h"
#include "tracker_json.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto taken = velmora::TakeInJsonAs(velmora::JsonReader::kFlo, bytes))
        CheckTakenIn(*taken);
    CheckTakenIn(velmora::TakeIn(bytes));
    return 0;
}
