// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as Periodical's backup, gzip or not: unpacked never past the limit, whole or not at
// all, and what it holds read as the other readers read.
#include "fuzz_taken_in.h"
#include "gunzip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kLimit = 1 << 16;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const velmora::Unpacked unpacked = velmora::Gunzip(bytes, kLimit);
    FUZZ_CHECK(unpacked.bytes.size() <= kLimit);
    FUZZ_CHECK(unpacked.outcome != velmora::Unpacked::Outcome::kBroken || unpacked.bytes.empty());
    return FuzzReader(velmora::JsonReader::kPeriodical,
                      unpacked.outcome == velmora::Unpacked::Outcome::kWhole ? unpacked.bytes
                                                                             : bytes);
}
