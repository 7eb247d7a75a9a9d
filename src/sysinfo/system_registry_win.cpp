// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "system_registry.h"

#include <windows.h>

namespace velmora {

namespace {

HKEY ToHKey(RegistryKey key)
{
    return reinterpret_cast<HKEY>(key);
}

// The predefined roots are sign-extended 32-bit values (HKEY_LOCAL_MACHINE is
// (HKEY)(ULONG_PTR)(LONG)0x80000002).
HKEY RootKey(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

class WindowsRegistry : public Registry
{
public:
    long OpenKey(std::uint32_t root, const std::string& subKey, std::uint32_t access,
                 RegistryKey& key) override
    {
        HKEY opened = nullptr;
        const LONG result = RegOpenKeyExA(RootKey(root), subKey.c_str(), 0, access, &opened);
        if (result == ERROR_SUCCESS)
            key = reinterpret_cast<RegistryKey>(opened);
        return result;
    }

    long QueryValue(RegistryKey key, const std::string& valueName, std::uint32_t& type,
                    std::uint8_t* data, std::uint32_t& byteCount) override
    {
        DWORD valueType = 0;
        DWORD count = byteCount;
        const LONG result =
            RegQueryValueExA(ToHKey(key), valueName.c_str(), nullptr, &valueType, data, &count);
        type = valueType;
        byteCount = count;
        return result;
    }

    long CloseKey(RegistryKey key) override { return RegCloseKey(ToHKey(key)); }
};

} // namespace

std::unique_ptr<Registry> SystemRegistry()
{
    return std::make_unique<WindowsRegistry>();
}

} // namespace velmora
