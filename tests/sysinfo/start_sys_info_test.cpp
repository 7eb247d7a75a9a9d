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

struct Value {
    std::uint32_t type;
    std::string bytes;
};

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

class StartSysInfoTest : public testing::TestWithParam<Case>
{
};

TEST_P(StartSysInfoTest, StartsTheToolOrTellsItIsUnavailable)
{
    const Case& c = GetParam();
    MemoryRegistry registry;
    if (c.path)
        registry.SetValue(kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                          c.path->type, c.path->bytes);
    if (c.folder)
        registry.SetValue(kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                          c.folder->type, c.folder->bytes);
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
    if (c.started) {
        EXPECT_EQ(started, std::vector<std::string>{*c.started});
        EXPECT_TRUE(messages.empty());
    } else {
        EXPECT_TRUE(started.empty());
        EXPECT_EQ(messages,
                  std::vector<std::string>{"System Information Is Unavailable At This Time"});
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, StartSysInfoTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

} // namespace
