// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "get_key_value.h"
#include "memory_registry.h"
#include "system_registry.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace velmora;
using namespace std::string_literals;

namespace {

const std::string kKey = "SOFTWARE\\VelmoraTest\\Values";

// Where a case's value is stored and read back from.
class Backend
{
public:
    virtual ~Backend() = default;
    virtual void Put(const std::string& name, std::uint32_t type, const std::string& bytes) = 0;
    virtual Registry& Get() = 0;
    virtual std::size_t OpenKeys() const { return 0; }
};

class MemoryBackend : public Backend
{
public:
    void Put(const std::string& name, std::uint32_t type, const std::string& bytes) override
    {
        m_registry.SetValue(kHKeyLocalMachine, kKey, name, type, bytes);
    }
    Registry& Get() override { return m_registry; }
    std::size_t OpenKeys() const override { return m_registry.OpenKeyCount(); }

private:
    MemoryRegistry m_registry;
};

#ifdef _WIN32
// The real registry (Wine's, in the cross build), written through advapi32 itself.
class WindowsBackend : public Backend
{
public:
    WindowsBackend()
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VelmoraTest");
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &m_key, nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot create the test key");
    }
    ~WindowsBackend() override
    {
        RegCloseKey(m_key);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VelmoraTest");
    }
    void Put(const std::string& name, std::uint32_t type, const std::string& bytes) override
    {
        // RegSetValueExA adds a terminator that the caller "forgot" when the byte after the
        // data is zero; a non-zero byte there keeps an unterminated string unterminated.
        std::string buffer = bytes + 'X';
        RegSetValueExA(m_key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(buffer.data()),
                       static_cast<DWORD>(bytes.size()));
    }
    Registry& Get() override { return *m_registry; }

private:
    HKEY m_key = nullptr;
    std::unique_ptr<Registry> m_registry = SystemRegistry();
};
#endif

struct Case {
    const char* name;
    std::uint32_t type;
    std::optional<std::string> bytes; // nothing: no such value
    bool found;
    std::string text; // what KeyVal holds afterwards, starting from "before"
    bool throws = false;
    const char* key = nullptr; // another key than the one the value is in
};

const std::vector<Case>& Cases()
{
    static const std::vector<Case> cases = {
        {"TerminatedString", kRegSz, "C:\\Tools\\msinfo32.exe\0"s, true, "C:\\Tools\\msinfo32.exe"},
        {"UnterminatedString", kRegSz, "abc", true, "abc"},
        {"TwoZeroBytesKeepOne", kRegSz, "abc\0\0"s, true, "abc\0"s},
        {"Exactly1024Bytes", kRegSz, std::string(1023, 'a') + '\0', true, std::string(1023, 'a')},
        {"Of1025BytesFails", kRegSz, std::string(1024, 'a') + '\0', false, ""},
        {"Dword258", kRegDword, "\x02\x01\x00\x00"s, true, "258"},
        {"DwordHighBitUnsigned", kRegDword, "\x00\x00\x00\x80"s, true, "2147483648"},
        {"ExpandStringKeepsKeyVal", kRegExpandSz, "%SystemRoot%\0"s, true, "before"},
        {"ZeroBytesThrows", kRegBinary, "", false, "before", true},
        {"MissingValueFails", kRegSz, std::nullopt, false, ""},
        {"MissingKeyFails", kRegSz, "abc", false, "", false, "SOFTWARE\\VelmoraTest\\Nothing"},
    };
    return cases;
}

std::vector<std::string> Backends()
{
#ifdef _WIN32
    return {"Memory", "Windows"};
#else
    return {"Memory"};
#endif
}

using Param = std::tuple<std::string, Case>;

class GetKeyValueTest : public testing::TestWithParam<Param>
{
};

TEST_P(GetKeyValueTest, ReadsAsTheCaseSays)
{
    const auto& [backendName, c] = GetParam();
#ifdef _WIN32
    const std::unique_ptr<Backend> backend = backendName == "Windows"
                                                 ? std::unique_ptr<Backend>(new WindowsBackend)
                                                 : std::make_unique<MemoryBackend>();
#else
    const auto backend = std::make_unique<MemoryBackend>();
#endif
    backend->Put("Other", kRegSz, std::string("x\0", 2));
    if (c.bytes)
        backend->Put("Value", c.type, *c.bytes);

    std::string value = "before";
    const std::string key = c.key ? c.key : kKey;
    if (c.throws) {
        EXPECT_THROW(GetKeyValue(backend->Get(), kHKeyLocalMachine, key, "Value", value),
                     RegistryValueError);
    } else {
        EXPECT_EQ(GetKeyValue(backend->Get(), kHKeyLocalMachine, key, "Value", value), c.found);
    }
    EXPECT_EQ(value, c.text);
    EXPECT_EQ(backend->OpenKeys(), 0u) << "the key must be closed again";
}

INSTANTIATE_TEST_SUITE_P(Cases, GetKeyValueTest,
                         testing::Combine(testing::ValuesIn(Backends()),
                                          testing::ValuesIn(Cases())),
                         [](const testing::TestParamInfo<Param>& info) {
                             return std::get<0>(info.param) + "_" + std::get<1>(info.param).name;
                         });

} // namespace
