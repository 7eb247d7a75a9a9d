// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "gunzip.h"

#include <algorithm>
#include <array>
#include <zlib.h>

namespace velmora {

bool IsGzip(std::string_view bytes)
{
    return bytes.starts_with("\x1F\x8B");
}

Unpacked Gunzip(std::string_view gzip, std::size_t limit)
{
    Unpacked unpacked;
    z_stream stream{};
    // 16 and the largest window: gzip's header and trailer, and nothing else.
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return unpacked;
    // The input is at most what a file read takes, far below what zlib counts in one go.
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(gzip.data()));
    stream.avail_in = static_cast<uInt>(std::min<std::size_t>(gzip.size(), 1u << 30));
    std::array<char, 16384> chunk;
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk.data());
        stream.avail_out = static_cast<uInt>(chunk.size());
        status = inflate(&stream, Z_NO_FLUSH);
        const std::size_t made = chunk.size() - stream.avail_out;
        if (unpacked.bytes.size() + made > limit) {
            unpacked.outcome = Unpacked::Outcome::kTooLarge;
            unpacked.bytes.append(chunk.data(), limit - unpacked.bytes.size());
            inflateEnd(&stream);
            return unpacked;
        }
        unpacked.bytes.append(chunk.data(), made);
        // One member ends; another may follow it, as `cat a.gz b.gz` makes.
        if (status == Z_STREAM_END && stream.avail_in > 0)
            status = inflateReset(&stream);
    }
    inflateEnd(&stream);
    unpacked.outcome =
        status == Z_STREAM_END ? Unpacked::Outcome::kWhole : Unpacked::Outcome::kBroken;
    if (unpacked.outcome == Unpacked::Outcome::kBroken)
        unpacked.bytes.clear();
    return unpacked;
}

} // namespace velmora
