// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "registry.h"

#include <cstring>
#include <map>
#include <string>

namespace velmora {

// A registry held in memory for the tests, answering like HKEY_LOCAL_MACHINE
// does for an ordinary user: keys open for reading only, and a request for write rights is
// refused.
struct MemoryRegistry : Registry {
    struct Value {
        std::uint32_t type;
        std::string bytes;
    };
    std::map<std::string, std::map<std::string, Value>> keys; // below HKEY_LOCAL_MACHINE, by name
    std::map<RegistryKey, std::string> open;                  // keys opened and not closed yet

    long OpenKey(std::uint32_t root, const std::string& subKey, std::uint32_t access,
                 RegistryKey& key) override
    {
        if (root != kHKeyLocalMachine || !keys.contains(subKey))
            return kErrorFileNotFound;
        if (access & kKeyWriteRights)
            return kErrorAccessDenied;
        key = ++m_lastHandle;
        open[key] = subKey;
        return kErrorSuccess;
    }

    long QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                    std::uint8_t* data, std::uint32_t& byteCount) override
    {
        if (!open.contains(key))
            return kErrorInvalidHandle;
        const auto& values = keys.at(open.at(key));
        const auto value = values.find(valueName);
        if (value == values.end())
            return kErrorFileNotFound;
        type = value->second.type;
        const std::string& bytes = value->second.bytes;
        const bool fits = bytes.size() <= byteCount;
        byteCount = static_cast<std::uint32_t>(bytes.size());
        if (!fits)
            return kErrorMoreData;
        std::memcpy(data, bytes.data(), bytes.size());
        return kErrorSuccess;
    }

    long CloseKey(RegistryKey key) override
    {
        return open.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
    }

private:
    RegistryKey m_lastHandle = 0;
};

} // namespace velmora
