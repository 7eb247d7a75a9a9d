// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "registry.h"

#include <stdexcept>
#include <string>

namespace velmora {

// Raised for a registry value of 0 bytes, which has no text at all.
class RegistryValueError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads one registry value as text: REG_SZ as its ANSI bytes, REG_DWORD as the decimal text
// of its little-endian number, any other type leaving KeyVal as passed in. One trailing zero
// byte (a string's terminator) is dropped. Values longer than 1024 bytes cannot be read.
// Returns false, with KeyVal empty, when the key or the value cannot be read; throws
// RegistryValueError for a 0-byte value. The key is always closed again.
bool GetKeyValue(Registry& registry, std::uint32_t KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

} // namespace velmora
