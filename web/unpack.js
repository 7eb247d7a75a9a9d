// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A chosen file as the engine is to read it: gzip unpacked by the browser, never more than the
// engine's limit.

// How much of a packed file goes into the browser's unpacking at a time.
const PIECE = 1024;
// How many places that look like the next member's header are tried before the file's end.
const PLACES = 8;

// One gzip member as the browser unpacks it, at most `limit` bytes of it; null where it is no
// whole member. The packed bytes go in a kilobyte at a time, and each piece is read out before
// the next goes in: a kilobyte unpacks to a megabyte at most, so a "backup" that unpacks to a
// gigabyte never holds more than the limit and one piece, and stops at the limit.
async function unpackedMember(bytes, limit) {
    const stream = new DecompressionStream("gzip");
    const writer = stream.writable.getWriter();
    const reader = stream.readable.getReader();
    const feeding = (async () => {
        for (let at = 0; at < bytes.length; at += PIECE) {
            await writer.ready;
            await writer.write(bytes.subarray(at, at + PIECE));
        }
        await writer.close();
    })();
    feeding.catch(() => {});
    const out = new Uint8Array(limit);
    let size = 0;
    try {
        for (;;) {
            const { done, value } = await reader.read();
            if (done) break;
            const taken = value.subarray(0, limit - size);
            out.set(taken, size);
            size += taken.length;
            if (size === limit) {
                reader.cancel().catch(() => {});
                writer.abort().catch(() => {});
                return out;
            }
        }
        await feeding;
    } catch {
        return null;
    }
    return out.subarray(0, size);
}

// A gzip file (Periodical's backup) as the browser unpacks it, every member of it one after
// another (as `cat a.gz b.gz` makes, and as the terminal reads it), at most `limit` bytes of it,
// for the engine to read what it holds; any other file as it is. Nothing where it ends before
// its end or holds anything but members. A browser that cannot unpack hands it on as it is, and
// the engine says it knows it not.
export async function unpacked(bytes, limit) {
    const gzip = bytes.length >= 2 && bytes[0] === 0x1f && bytes[1] === 0x8b;
    if (!gzip || bytes.length >= limit || typeof DecompressionStream === "undefined") return bytes;
    const out = new Uint8Array(limit);
    let size = 0;
    for (let at = 0; at < bytes.length;) {
        // The browser unpacks one member alone: it ends where the next one's header begins, or
        // where the file does. Where such a header is only packed bytes, the member is cut short
        // and the next place is tried. A member's header and trailer take 18 bytes at the least.
        // Each try unpacks the member from its start, so only a few places are tried before the
        // file's end: packed bytes seldom look like a header, and a member stored unpacked that
        // holds thousands of them must not cost thousands of tries.
        let end = at + 17;
        let member = null;
        for (let tries = 0; member === null && end < bytes.length; tries++) {
            end = tries < PLACES ? nextMember(bytes, end + 1) : bytes.length;
            member = await unpackedMember(bytes.subarray(at, end), limit - size);
        }
        if (member === null) return null;
        out.set(member, size);
        size += member.length;
        if (size === limit) break;
        at = end;
    }
    return out.subarray(0, size);
}

// Where a gzip member's header (1f 8b 08) may begin, from `from` on; the end where none does.
function nextMember(bytes, from) {
    for (let at = bytes.indexOf(0x1f, from); at >= 0; at = bytes.indexOf(0x1f, at + 1)) {
        if (bytes[at + 1] === 0x8b && bytes[at + 2] === 8) return at;
    }
    return bytes.length;
}
