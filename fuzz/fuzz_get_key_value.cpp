// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any value type and bytes: GetKeyValue answers as documented and always closes the key.
#include "fuzz_check.h"
#include "get_key_value.h"
#include "memory_registry.h"

#include <cstdint>
#include <optional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const std::uint32_t type = data[0] % 8; // mostly the real types, REG_NONE to REG_RESOURCE_LIST
    const std::string bytes(reinterpret_cast<const char*>(data + 4), size - 4);

    velmora::MemoryRegistry registry;
    registry.keys["K"]["V"] = {type, bytes};
    std::string value = "unchanged";
    std::optional<bool> found; // nothing: it threw
    try {
        found = velmora::GetKeyValue(registry, velmora::kHKeyLocalMachine, "K", "V", value);
    } catch (const velmora::RegistryValueError&) {
    }
    FUZZ_CHECK(registry.open.empty());
    FUZZ_CHECK(found.has_value() == !bytes.empty()); // only a value of no bytes throws
    if (!found)
        return 0;

    std::string expected = "unchanged";
    if (type == velmora::kRegSz)
        expected = bytes.substr(0, bytes.size() - (bytes.back() == '\0'));
    std::uint32_t number = 0; // little-endian, missing bytes zero
    for (std::size_t i = std::min<std::size_t>(4, bytes.size()); i-- > 0;)
        number = number << 8 | static_cast<std::uint8_t>(bytes[i]);
    if (type == velmora::kRegDword)
        expected = std::to_string(number);
    const bool tooLong = bytes.size() > 1024;
    FUZZ_CHECK(*found == !tooLong && value == (tooLong ? "" : expected));
    return 0;
}
