// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as Periodical's backup, gzip or not: unpacked never past the limit, whole or not at
// all, and what it holds read by Periodical's reader alone and by every reader.
#include "fuzz_taken_in.h"
#include "gunzip.h"
#include "tracker_json.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    constexpr std::size_t kLimit = 1 << 16;
    const velmora::Unpacked unpacked = velmora::Gunzip(bytes, kLimit);
    FUZZ_CHECK(unpacked.bytes.size() <= kLimit);
    FUZZ_CHECK(unpacked.outcome != velmora::Unpacked::Outcome::kBroken || unpacked.bytes.empty());
    if (unpacked.outcome == velmora::Unpacked::Outcome::kWhole)
        bytes = unpacked.bytes;
    if (const auto taken = velmora::TakeInJsonAs(velmora::JsonReader::kPeriodical, bytes))
        CheckTakenIn(*taken);
    CheckTakenIn(velmora::TakeIn(bytes));
    return 0;
}
