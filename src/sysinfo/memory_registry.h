// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "registry.h"

#include <map>
#include <set>
#include <string>
#include <tuple>

namespace velmora {

// A registry held in memory, answering like HKEY_LOCAL_MACHINE does for an ordinary user:
// keys open for reading only, and a request for write rights is refused. It serves the
// tests and the fuzzer, and stands in for the real registry on systems that have none.
class MemoryRegistry : public Registry
{
public:
    void SetValue(std::uint32_t root, const std::string& subKey, const std::string& valueName,
                  std::uint32_t type, std::string bytes);

    long OpenKey(std::uint32_t root, const std::string& subKey, std::uint32_t access,
                 RegistryKey& key) override;
    long QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                    std::uint8_t* data, std::uint32_t& byteCount) override;
    long CloseKey(RegistryKey key) override;

    // Keys opened and not closed yet.
    std::size_t OpenKeyCount() const { return m_open.size(); }

private:
    using KeyPath = std::pair<std::uint32_t, std::string>;
    struct Value {
        std::uint32_t type;
        std::string bytes;
    };

    std::map<KeyPath, std::map<std::string, Value>> m_keys;
    std::map<RegistryKey, KeyPath> m_open;
    RegistryKey m_nextHandle = 1;
};

} // namespace velmora
