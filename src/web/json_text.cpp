// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "json_text.h"

#include <cstdint>
#include <string_view>
#include <utility>

namespace velmora::web {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// How many bytes the character starting at `at` takes, 0 where no character starts there: the
// lead byte gives the length, and the byte after it its narrower range where that keeps out
// overlong forms, surrogates and numbers past U+10FFFF. `valid` is how many of them are right
// where there is none, at least 1.
std::size_t CharacterAt(std::string_view text, std::size_t at, std::size_t& valid)
{
    const auto byte = [&](std::size_t i) {
        return static_cast<unsigned char>(text[at + i]);
    };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    valid = 1;
    if (length == 0)
        return 0;
    for (std::size_t i = 1; i < length; ++i, low = 0x80, high = 0xBF) {
        if (at + i >= text.size() || byte(i) < low || byte(i) > high)
            return 0;
        ++valid;
    }
    return length;
}

void AppendString(std::string& out, std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (std::size_t at = 0; at < text.size();) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c >= 0x80) {
            std::size_t valid = 0;
            const std::size_t length = CharacterAt(text, at, valid);
            out += length ? text.substr(at, length) : kReplacement;
            at += length ? length : valid;
            continue;
        }
        ++at;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}

void Append(std::string& out, const nlohmann::json& value)
{
    using Type = nlohmann::json::value_t;
    switch (value.type()) {
    case Type::object: {
        out += '{';
        bool first = true;
        for (const auto& [key, member] : value.items()) {
            if (!std::exchange(first, false))
                out += ',';
            AppendString(out, key);
            out += ':';
            Append(out, member);
        }
        out += '}';
        return;
    }
    case Type::array: {
        out += '[';
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (i > 0)
                out += ',';
            Append(out, value[i]);
        }
        out += ']';
        return;
    }
    case Type::string:
        AppendString(out, value.get_ref<const std::string&>());
        return;
    case Type::boolean:
        out += value.get<bool>() ? "true" : "false";
        return;
    case Type::number_integer:
        out += std::to_string(value.get<std::int64_t>());
        return;
    case Type::number_unsigned:
        out += std::to_string(value.get<std::uint64_t>());
        return;
    default: // null, and what the engine never sends
        out += "null";
        return;
    }
}

} // namespace

std::string JsonText(const nlohmann::json& answer)
{
    std::string out;
    Append(out, answer);
    return out;
}

} // namespace velmora::web
