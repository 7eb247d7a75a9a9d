// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "get_key_value.h"

#include <array>

namespace velmora {

namespace {

constexpr std::uint32_t kBufferSize = 1024;

class KeyCloser
{
public:
    KeyCloser(Registry& registry, RegistryKey key) : m_registry(registry), m_key(key) {}
    ~KeyCloser() { m_registry.CloseKey(m_key); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    Registry& m_registry;
    RegistryKey m_key;
};

} // namespace

bool GetKeyValue(Registry& registry, std::uint32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal)
{
    // Read access is all a lookup needs; asking for write rights would be refused to an
    // ordinary user below HKEY_LOCAL_MACHINE.
    RegistryKey key{};
    if (registry.OpenKey(KeyRoot, KeyName, kKeyRead, key) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }
    const KeyCloser closer(registry, key);

    std::array<std::uint8_t, kBufferSize> buffer{};
    std::uint32_t count = kBufferSize;
    std::uint32_t type = 0;
    if (registry.QueryValue(key, SubKeyRef, type, buffer.data(), count) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }
    if (count == 0)
        throw RegistryValueError("registry value " + SubKeyRef + " holds no data");
    count = std::min(count, kBufferSize);
    if (buffer[count - 1] == 0)
        --count;

    switch (type) {
    case kRegSz:
        KeyVal.assign(reinterpret_cast<const char*>(buffer.data()), count);
        break;
    case kRegDword: {
        // The buffer starts zeroed, so a shortened value still reads as its number.
        const std::uint32_t number = std::uint32_t{buffer[0]} | std::uint32_t{buffer[1]} << 8 |
                                     std::uint32_t{buffer[2]} << 16 |
                                     std::uint32_t{buffer[3]} << 24;
        KeyVal = std::to_string(number);
        break;
    }
    default:
        break;
    }
    return true;
}

} // namespace velmora
