// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any value type and bytes: GetKeyValue answers as documented and always closes the key.
#include "fuzz_check.h"
#include "get_key_value.h"
#include "memory_registry.h"

#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    std::uint32_t type = 0;
    std::memcpy(&type, data, 4);
    type %= 8; // mostly the real types, REG_NONE to REG_RESOURCE_LIST
    const std::string bytes(reinterpret_cast<const char*>(data + 4), size - 4);

    velmora::MemoryRegistry registry;
    registry.SetValue(velmora::kHKeyLocalMachine, "K", "V", type, bytes);
    std::string value = "unchanged";
    bool found = false;
    try {
        found = velmora::GetKeyValue(registry, velmora::kHKeyLocalMachine, "K", "V", value);
    } catch (const velmora::RegistryValueError&) {
        FUZZ_CHECK(bytes.empty());
        FUZZ_CHECK(registry.OpenKeyCount() == 0);
        return 0;
    }
    FUZZ_CHECK(!bytes.empty());
    FUZZ_CHECK(registry.OpenKeyCount() == 0);
    if (bytes.size() > 1024) {
        FUZZ_CHECK(!found && value.empty());
        return 0;
    }
    FUZZ_CHECK(found);
    std::string kept = bytes;
    if (kept.back() == '\0')
        kept.pop_back();
    if (type == velmora::kRegSz) {
        FUZZ_CHECK(value == kept);
    } else if (type == velmora::kRegDword) {
        std::uint8_t word[4] = {};
        std::memcpy(word, bytes.data(), std::min<std::size_t>(4, bytes.size()));
        const std::uint32_t number =
            word[0] | word[1] << 8 | word[2] << 16 | static_cast<std::uint32_t>(word[3]) << 24;
        FUZZ_CHECK(value == std::to_string(number));
    } else {
        FUZZ_CHECK(value == "unchanged");
    }
    return 0;
}
