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

enum class Read { Found, NotFound, Throws };

struct Case {
    const char* name;
    std::uint32_t type;
    std::optional<std::string> bytes; // nothing: no such value
    Read read;
    std::string text; // what KeyVal holds afterwards, starting from "before"
    std::string key = kKey;
};

// One case a line or two:
// clang-format off
const Case kCases[] = {
    {.name = "TerminatedString", .type = kRegSz, .bytes = "C:\\Tools\\info.exe\0"s,
     .read = Read::Found, .text = "C:\\Tools\\info.exe"},
    {.name = "UnterminatedString", .type = kRegSz, .bytes = "abc", .read = Read::Found,
     .text = "abc"},
    {.name = "DwordReadsAsItsNumber", .type = kRegDword, .bytes = "\x01\x02\x03\x04"s,
     .read = Read::Found, .text = "67305985"},
    {.name = "ZeroBytesThrows", .type = kRegBinary, .bytes = "", .read = Read::Throws,
     .text = "before"},
    {.name = "MissingValueFails", .type = kRegSz, .bytes = std::nullopt, .read = Read::NotFound,
     .text = ""},
    {.name = "MissingKeyFails", .type = kRegSz, .bytes = "abc", .read = Read::NotFound, .text = "",
     .key = "SOFTWARE\\Nothing"},
};
// clang-format on

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
    memory->keys[kKey]["Other"] = {kRegSz, "x\0"s}; // the key exists
    if (c.bytes)
        memory->keys[kKey]["Value"] = {c.type, *c.bytes};
    return memory;
#endif
}

Read ReadValue(Registry& registry, const std::string& key, std::string& value)
{
    try {
        return GetKeyValue(registry, kHKeyLocalMachine, key, "Value", value) ? Read::Found
                                                                             : Read::NotFound;
    } catch (const RegistryValueError&) {
        return Read::Throws;
    }
}

TEST(GetKeyValueTest, ReadsAsEachCaseSays)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<Registry> registry = Store(c);
        std::string value = "before";
        EXPECT_EQ(ReadValue(*registry, c.key, value), c.read);
        EXPECT_EQ(value, c.text);
        if (const auto* memory = dynamic_cast<MemoryRegistry*>(registry.get())) {
            EXPECT_TRUE(memory->open.empty()) << "the key must be closed again";
        }
    }
}

const std::string kSharedTools = "SOFTWARE\\Microsoft\\Shared Tools";

struct StartCase {
    const char* name;
    std::optional<MemoryRegistry::Value> path = {};   // "PATH" of ...\Shared Tools\MSINFO
    std::optional<MemoryRegistry::Value> folder = {}; // "MSINFO" of ...\Shared Tools Location
    bool startWorks = true;
    std::vector<std::string> existenceTests = {}; // every path tested, in order
    std::vector<std::string> starts = {};         // every start tried
    std::vector<std::string> messages = {"System Information Is Unavailable At This Time"};
};

MemoryRegistry::Value Sz(const std::string& text)
{
    return {kRegSz, text + '\0'};
}

const MemoryRegistry::Value kTools = Sz("C:\\Tools");
const std::string kExe = "C:\\Tools\\MSINFO32.EXE"; // the one file that exists

// The in-memory registry refuses write rights, as Windows does below HKEY_LOCAL_MACHINE for
// an ordinary user: the cases that start a tool pass only because the lookup asks to read.
// One case a line or two:
// clang-format off
const StartCase kStartCases[] = {
    {.name = "PathStartedAsItIs", .path = Sz("C:\\A B\\info.exe"), .folder = kTools,
     .starts = {"C:\\A B\\info.exe"}, .messages = {}},
    {.name = "FolderIsTheSecondChoice", .folder = kTools, .existenceTests = {kExe},
     .starts = {kExe}, .messages = {}},
    {.name = "FolderWithoutTheTool", .folder = Sz("C:\\Empty"),
     .existenceTests = {"C:\\Empty\\MSINFO32.EXE"}},
    {.name = "NothingRegistered"},
    {.name = "FailedStartSkipsTheFolder", .path = Sz("C:\\gone.exe"), .folder = kTools,
     .startWorks = false, .starts = {"C:\\gone.exe"}},
    {.name = "ZeroBytePathGivesTheMessage", .path = {{kRegSz, ""}}, .folder = kTools},
    {.name = "ExpandPathIsNotFound", .path = {{kRegExpandSz, "%P%\0"s}}, .folder = kTools,
     .existenceTests = {kExe}, .starts = {kExe}, .messages = {}},
    // A folder that reads as empty would make the candidate "\\MSINFO32.EXE": whatever file of
    // that name lies in the current drive's root folder. That is never tested, never started.
    {.name = "EmptyFolderNeverStartsADriveRootMsinfo32", .folder = Sz("")},
};
// clang-format on

TEST(StartSysInfoTest, StartsTheToolOrTellsItIsUnavailable)
{
    for (const StartCase& c : kStartCases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry registry;
        if (c.path)
            registry.keys[kSharedTools + "\\MSINFO"]["PATH"] = *c.path;
        if (c.folder)
            registry.keys[kSharedTools + " Location"]["MSINFO"] = *c.folder;
        std::vector<std::string> tested, started, messages;
        const auto exists = [&](const std::string& path) {
            tested.push_back(path);
            return path == kExe || path == "\\MSINFO32.EXE";
        };
        const auto start = [&](const std::string& path) {
            started.push_back(path);
            return c.startWorks;
        };
        const auto tell = [&](const std::string& message) {
            messages.push_back(message);
        };
        StartSysInfo({.registry = registry,
                      .fileExists = exists,
                      .startProgram = start,
                      .showMessage = tell});
        EXPECT_EQ(tested, c.existenceTests);
        EXPECT_EQ(started, c.starts);
        EXPECT_EQ(messages, c.messages);
    }
}

} // namespace
