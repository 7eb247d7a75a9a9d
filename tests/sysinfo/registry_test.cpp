// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The registry cases: reading one value, and finding the system-information tool through them.
#include "get_key_value.h"
#include "memory_registry.h"
#include "start_sys_info.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include "system_registry.h"

#include <windows.h>
#endif

using namespace velmora;
using namespace std::string_literals;

namespace {

const std::string kKey = "SOFTWARE\\VelmoraTest\\Values";

struct Case {
    const char* name;
    std::uint32_t type;
    std::optional<std::string> bytes; // nothing: no such value
    std::optional<bool> found;        // nothing: it throws
    std::string text;                 // what KeyVal holds afterwards, starting from "before"
    std::string key = kKey;
};

const Case kCases[] = {
    {"TerminatedString", kRegSz, "C:\\Tools\\msinfo32.exe\0"s, true, "C:\\Tools\\msinfo32.exe"},
    {"UnterminatedString", kRegSz, "abc", true, "abc"},
    {"TwoZeroBytesKeepOne", kRegSz, "abc\0\0"s, true, "abc\0"s},
    {"Exactly1024Bytes", kRegSz, std::string(1023, 'a') + '\0', true, std::string(1023, 'a')},
    {"Of1025BytesFails", kRegSz, std::string(1024, 'a') + '\0', false, ""},
    {"DwordAllFourBytes", kRegDword, "\x04\x03\x02\x01"s, true, "16909060"},
    {"DwordHighBitUnsigned", kRegDword, "\x00\x00\x00\x80"s, true, "2147483648"},
    {"ExpandStringKeepsKeyVal", kRegExpandSz, "%SystemRoot%\0"s, true, "before"},
    {"ZeroBytesThrows", kRegBinary, "", std::nullopt, "before"},
    {"MissingValueFails", kRegSz, std::nullopt, false, ""},
    {"MissingKeyFails", kRegSz, "abc", false, "", "SOFTWARE\\VelmoraTest\\Nothing"},
};

// Stores the case's value in a key of its own where GetKeyValue reads it: the in-memory
// registry, or in the Windows build (under Wine) the real one, written through advapi32 itself.
std::unique_ptr<Registry> Store(const Case& c)
{
#ifdef _WIN32
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VelmoraTest");
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    // RegSetValueExA adds a terminator that the caller "forgot" when the byte after the data is
    // zero; a non-zero byte there keeps an unterminated string unterminated.
    if (c.bytes)
        RegSetValueExA(key, "Value", 0, c.type,
                       reinterpret_cast<const BYTE*>((*c.bytes + 'X').data()),
                       static_cast<DWORD>(c.bytes->size()));
    RegCloseKey(key);
    return SystemRegistry();
#else
    auto memory = std::make_unique<MemoryRegistry>();
    memory->SetValue(kHKeyLocalMachine, kKey, "Other", kRegSz, "x\0"s); // the key exists
    if (c.bytes)
        memory->SetValue(kHKeyLocalMachine, kKey, "Value", c.type, *c.bytes);
    return memory;
#endif
}

TEST(GetKeyValueTest, ReadsAsEachCaseSays)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<Registry> registry = Store(c);
        std::string value = "before";
        std::optional<bool> found; // nothing: it threw
        try {
            found = GetKeyValue(*registry, kHKeyLocalMachine, c.key, "Value", value);
        } catch (const RegistryValueError&) {
        }
        EXPECT_EQ(found, c.found);
        EXPECT_EQ(value, c.text);
        const auto* memory = dynamic_cast<MemoryRegistry*>(registry.get());
        EXPECT_EQ(memory ? memory->OpenKeyCount() : 0u, 0u) << "the key must be closed again";
    }
}

using Value = std::pair<std::uint32_t, std::string>; // type and bytes

struct StartCase {
    const char* name;
    std::optional<Value> path;   // "PATH" of ...\Shared Tools\MSINFO
    std::optional<Value> folder; // "MSINFO" of ...\Shared Tools Location
    bool startWorks;
    std::vector<std::string> existenceTests; // every path tested, in order
    std::vector<std::string> starts;         // every start tried; without one, the message
};

Value Sz(const std::string& text)
{
    return {kRegSz, text + '\0'};
}

const Value kTools = Sz("C:\\Tools");
const std::string kExe = "C:\\Tools\\MSINFO32.EXE"; // the one file that exists

// The in-memory registry refuses write rights, as Windows does below HKEY_LOCAL_MACHINE for
// an ordinary user: the cases that start a tool pass only because the lookup asks to read.
const StartCase kStartCases[] = {
    {"PathStartedAsItIs", Sz("C:\\A B\\info.exe"), kTools, true, {}, {"C:\\A B\\info.exe"}},
    {"FolderIsTheSecondChoice", {}, kTools, true, {kExe}, {kExe}},
    {"FolderWithoutTheTool", {}, Sz("C:\\Empty"), true, {"C:\\Empty\\MSINFO32.EXE"}, {}},
    {"NothingRegistered", {}, {}, true, {}, {}},
    {"FailedStartSkipsTheFolder", Sz("C:\\gone.exe"), kTools, false, {}, {"C:\\gone.exe"}},
    {"ZeroBytePathGivesTheMessage", Value{kRegSz, ""}, kTools, true, {}, {}},
    {"ExpandPathIsNotFound", Value{kRegExpandSz, "%P%\0"s}, kTools, true, {kExe}, {kExe}},
    {"ExpandStringFolderIsNoDriveRoot", {}, Value{kRegExpandSz, "%S%\0"s}, true, {}, {}},
    {"EmptyFolderIsNoDriveRoot", {}, Sz(""), true, {}, {}},
};

TEST(StartSysInfoTest, StartsTheToolOrTellsItIsUnavailable)
{
    for (const StartCase& c : kStartCases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry registry;
        const std::string tools = "SOFTWARE\\Microsoft\\Shared Tools";
        if (c.path)
            registry.SetValue(kHKeyLocalMachine, tools + "\\MSINFO", "PATH", c.path->first,
                              c.path->second);
        if (c.folder)
            registry.SetValue(kHKeyLocalMachine, tools + " Location", "MSINFO", c.folder->first,
                              c.folder->second);
        std::vector<std::string> tested, started, messages;
        const auto exists = [&](const std::string& path) {
            tested.push_back(path);
            return path == kExe || path == "\\MSINFO32.EXE";
        };
        const auto start = [&](const std::string& path) {
            return started.push_back(path), c.startWorks;
        };
        StartSysInfo({registry, exists, start, [&](const std::string& m) {
                          messages.push_back(m);
                      }});
        EXPECT_EQ(tested, c.existenceTests);
        EXPECT_EQ(started, c.starts);
        const std::string unavailable = "System Information Is Unavailable At This Time";
        EXPECT_EQ(messages, c.startWorks && !c.starts.empty() ? std::vector<std::string>{}
                                                              : std::vector{unavailable});
    }
}

} // namespace
