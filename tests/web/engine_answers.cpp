// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The native build's answers to what the web page asks, for the browser test to hold the
// WebAssembly build's against. Standard input: a first day, a tab and a cycle text in hex, a
// line each. Standard output: the page texts, then for each input its calculation (stamped at
// a fixed time, the text also standing for her record), what the device would keep, what a
// visit would restore from that text, and that text taken into a record of itself.
#include "engine_exports.h"

#include <iostream>
#include <string>

namespace {

std::string FromHex(const std::string& hex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

} // namespace

int main()
{
    constexpr double kStamp = 1'000'000'000;
    const auto Size = [](const std::string& text) {
        return static_cast<int>(text.size());
    };
    // 2001-09-09 01:46:40 UTC, a quarter past nine in China.
    std::cout << velmora_page_texts(kStamp, 480) << '\n';
    for (std::string line; std::getline(std::cin, line);) {
        const std::string day = line.substr(0, line.find('\t'));
        const std::string text = FromHex(line.substr(line.find('\t') + 1));
        std::cout << velmora_calculate(day.data(), Size(day), text.data(), Size(text), text.data(),
                                       Size(text), kStamp, 480)
                  << '\n';
        std::cout << velmora_remembered(day.data(), Size(day), text.data(), Size(text)) << '\n';
        std::cout << velmora_restored(day.data(), Size(day), text.data(), Size(text)) << '\n';
        std::cout << velmora_record_take_in(text.data(), Size(text), text.data(), Size(text),
                                            day.data(), Size(day), 2, kStamp, 480)
                  << '\n';
        std::cout << velmora_record_offer(text.data(), Size(text), day.data(), Size(day), kStamp,
                                          480)
                  << '\n';
    }
}
