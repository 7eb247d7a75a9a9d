// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// The three registry calls the system-information lookup needs, shaped like advapi32's
// RegOpenKeyExA, RegQueryValueExA and RegCloseKey, with the same result codes. Texts cross
// it as bytes in the system's ANSI code page. The Windows backend talks to the real registry;
// the tests put one held in memory in its place.
using RegistryKey = std::uintptr_t;

inline constexpr std::uint32_t kHKeyLocalMachine = 0x80000002;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyWriteRights =
    0x2 | 0x4 | 0x20; // set value, create sub key, link

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;

class Registry
{
public:
    virtual ~Registry() = default;

    virtual long OpenKey(std::uint32_t root, const std::string& subKey, std::uint32_t access,
                         RegistryKey& key) = 0;
    // `byteCount` holds the buffer's size on entry and the value's length on return, also when
    // the value is longer than the buffer (kErrorMoreData).
    virtual long QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                            std::uint8_t* data, std::uint32_t& byteCount) = 0;
    virtual long CloseKey(RegistryKey key) = 0;
};

} // namespace velmora
