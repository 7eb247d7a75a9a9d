// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memory_registry.h"
#include "start_sys_info.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using namespace velmora;
using namespace std::string_literals;

namespace {

using Value = std::pair<std::uint32_t, std::string>; // type and bytes

struct Case {
    const char* name;
    std::optional<Value> path;   // "PATH" of ...\Shared Tools\MSINFO
    std::optional<Value> folder; // "MSINFO" of ...\Shared Tools Location
    bool startWorks;
    std::vector<std::string> existenceTests; // every path tested, in order
    std::optional<std::string> started;      // nothing: the message instead
};

Value Sz(const std::string& text)
{
    return {kRegSz, text + '\0'};
}

const Value kTools = Sz("C:\\Tools");
const std::string kExe = "C:\\Tools\\MSINFO32.EXE"; // the one file that exists

// The in-memory registry refuses write rights, as Windows does below HKEY_LOCAL_MACHINE for
// an ordinary user: the cases that start a tool pass only because the lookup asks to read.
const Case kCases[] = {
    {"RegisteredPathStartedAsItIs", Sz("C:\\A B\\info.exe"), kTools, true, {}, "C:\\A B\\info.exe"},
    {"FolderIsTheSecondChoice", {}, kTools, true, {kExe}, kExe},
    {"FolderWithoutTheTool", {}, Sz("C:\\Empty"), true, {"C:\\Empty\\MSINFO32.EXE"}, {}},
    {"NothingRegistered", {}, {}, true, {}, {}},
    {"FailedStartSkipsTheFolder", Sz("C:\\gone.exe"), kTools, false, {}, {}},
    {"ZeroBytePathGivesTheMessage", Value{kRegSz, ""}, kTools, true, {}, {}},
    {"PathWithoutTextCountsAsNotFound", Value{kRegExpandSz, "%P%\0"s}, kTools, true, {kExe}, kExe},
    {"ExpandStringFolderIsNoDriveRoot", {}, Value{kRegExpandSz, "%S%\0"s}, true, {}, {}},
    {"EmptyFolderIsNoDriveRoot", {}, Sz(""), true, {}, {}},
};

TEST(StartSysInfoTest, StartsTheToolOrTellsItIsUnavailable)
{
    for (const Case& c : kCases) {
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
        StartSysInfo({
            registry,
            [&](const std::string& path) {
                tested.push_back(path);
                return path == kExe || path == "\\MSINFO32.EXE";
            },
            [&](const std::string& path) {
                if (c.startWorks)
                    started.push_back(path);
                return c.startWorks;
            },
            [&](const std::string& message) { messages.push_back(message); },
        });
        EXPECT_EQ(tested, c.existenceTests);
        EXPECT_EQ(started, c.started ? std::vector{*c.started} : std::vector<std::string>{});
        const std::string unavailable = "System Information Is Unavailable At This Time";
        EXPECT_EQ(messages, c.started ? std::vector<std::string>{} : std::vector{unavailable});
    }
}

} // namespace
