// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// Whether the bytes begin as a gzip file does, whatever its name.
bool IsGzip(std::string_view bytes);

struct Unpacked {
    enum class Outcome {
        kWhole,    // `bytes` holds all it held
        kTooLarge, // it holds more than the limit: unpacking stopped there
        kBroken,   // it ends before its end, or is no gzip: nothing of it counts
    };
    Outcome outcome = Outcome::kBroken;
    std::string bytes;
};

// What a gzip file holds (every member of it, one after another), never more than `limit`
// bytes of it, so that a small file that unpacks to gigabytes costs no more than the limit.
Unpacked Gunzip(std::string_view gzip, std::size_t limit);

} // namespace velmora
