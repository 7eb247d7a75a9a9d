// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memory_registry.h"

#include <algorithm>
#include <cstring>

namespace velmora {

void MemoryRegistry::SetValue(std::uint32_t root, const std::string& subKey,
                              const std::string& valueName, std::uint32_t type, std::string bytes)
{
    m_keys[{root, subKey}][valueName] = Value{type, std::move(bytes)};
}

long MemoryRegistry::OpenKey(std::uint32_t root, const std::string& subKey, std::uint32_t access,
                             RegistryKey& key)
{
    const auto found = m_keys.find({root, subKey});
    if (found == m_keys.end())
        return kErrorFileNotFound;
    if (access & kKeyWriteRights)
        return kErrorAccessDenied;
    key = m_nextHandle++;
    m_open.emplace(key, found->first);
    return kErrorSuccess;
}

long MemoryRegistry::QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                                std::uint8_t* data, std::uint32_t& byteCount)
{
    const auto open = m_open.find(key);
    if (open == m_open.end())
        return kErrorInvalidHandle;
    const auto& values = m_keys.at(open->second);
    const auto value = values.find(valueName);
    if (value == values.end())
        return kErrorFileNotFound;

    const std::string& bytes = value->second.bytes;
    type = value->second.type;
    const std::uint32_t capacity = byteCount;
    byteCount = static_cast<std::uint32_t>(bytes.size());
    if (bytes.size() > capacity)
        return kErrorMoreData;
    if (!bytes.empty())
        std::memcpy(data, bytes.data(), bytes.size());
    return kErrorSuccess;
}

long MemoryRegistry::CloseKey(RegistryKey key)
{
    return m_open.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

} // namespace velmora
