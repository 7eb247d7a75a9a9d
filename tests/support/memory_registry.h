// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "registry.h"

#include <cstring>
#include <map>
#include <string>

namespace velmora {

// A registry held in memory for the tests and the fuzzer, answering like HKEY_LOCAL_MACHINE
// does for an ordinary user: keys open for reading only, and a request for write rights is
// refused.
class MemoryRegistry : public Registry
{
public:
    void SetValue(std::uint32_t root, const std::string& subKey, const std::string& valueName,
                  std::uint32_t type, std::string bytes)
    {
        m_keys[{root, subKey}][valueName] = {type, std::move(bytes)};
    }

    long OpenKey(std::uint32_t root, const std::string& subKey, std::uint32_t access,
                 RegistryKey& key) override
    {
        const auto found = m_keys.find({root, subKey});
        if (found == m_keys.end())
            return kErrorFileNotFound;
        if (access & kKeyWriteRights)
            return kErrorAccessDenied;
        key = m_nextHandle++;
        m_open.emplace(key, &found->second);
        return kErrorSuccess;
    }

    long QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                    std::uint8_t* data, std::uint32_t& byteCount) override
    {
        const auto open = m_open.find(key);
        if (open == m_open.end())
            return kErrorInvalidHandle;
        const auto value = open->second->find(valueName);
        if (value == open->second->end())
            return kErrorFileNotFound;
        const auto& [valueType, bytes] = value->second;
        type = valueType;
        const std::uint32_t capacity = byteCount;
        byteCount = static_cast<std::uint32_t>(bytes.size());
        if (bytes.size() > capacity)
            return kErrorMoreData;
        std::memcpy(data, bytes.data(), bytes.size());
        return kErrorSuccess;
    }

    long CloseKey(RegistryKey key) override
    {
        return m_open.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
    }

    // Keys opened and not closed yet.
    std::size_t OpenKeyCount() const { return m_open.size(); }

private:
    using Values = std::map<std::string, std::pair<std::uint32_t, std::string>>; // type, bytes

    std::map<std::pair<std::uint32_t, std::string>, Values> m_keys;
    std::map<RegistryKey, Values*> m_open;
    RegistryKey m_nextHandle = 1;
};

} // namespace velmora
