// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memory_registry.h"
#include "start_sys_info.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using namespace velmora;
using namespace std::string_literals;

namespace {

const std::string kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

// Records what the launcher would have done to the system.
class SysInfoTest : public testing::Test
{
protected:
    MemoryRegistry registry;
    std::set<std::string> files;
    bool startWorks = true;
    std::vector<std::string> existenceTests;
    std::vector<std::string> started;
    std::vector<std::string> messages;

    void Run()
    {
        StartSysInfo({
            registry,
            [this](const std::string& path) {
                existenceTests.push_back(path);
                return files.count(path) == 1;
            },
            [this](const std::string& path) {
                if (startWorks)
                    started.push_back(path);
                return startWorks;
            },
            [this](const std::string& message) { messages.push_back(message); },
        });
    }
    void SetPath(std::uint32_t type, const std::string& bytes)
    {
        registry.SetValue(kHKeyLocalMachine, kPathKey, "PATH", type, bytes);
    }
    void SetFolder(std::uint32_t type, const std::string& bytes)
    {
        registry.SetValue(kHKeyLocalMachine, kFolderKey, "MSINFO", type, bytes);
    }
    void ExpectMessageOnly()
    {
        EXPECT_TRUE(started.empty());
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], "System Information Is Unavailable At This Time");
    }
};

// The in-memory registry refuses write rights, as Windows does below HKEY_LOCAL_MACHINE for
// an ordinary user: these cases pass only because the lookup asks for read access alone.
TEST_F(SysInfoTest, RegisteredPathIsStartedWithoutLookingFurther)
{
    SetPath(kRegSz, "C:\\Program Files\\Common Files\\msinfo32.exe\0"s);
    SetFolder(kRegSz, "C:\\Other\0"s);
    Run();
    EXPECT_EQ(started, std::vector<std::string>{"C:\\Program Files\\Common Files\\msinfo32.exe"});
    EXPECT_TRUE(existenceTests.empty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(SysInfoTest, FolderOfTheSharedToolsIsTheSecondChoice)
{
    SetFolder(kRegSz, "C:\\Tools\0"s);
    files.insert("C:\\Tools\\MSINFO32.EXE");
    Run();
    EXPECT_EQ(started, std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
    EXPECT_TRUE(messages.empty());
}

TEST_F(SysInfoTest, FolderWithoutTheToolGivesTheMessage)
{
    SetFolder(kRegSz, "C:\\Tools\0"s);
    Run();
    EXPECT_EQ(existenceTests, std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
    ExpectMessageOnly();
}

TEST_F(SysInfoTest, NothingRegisteredGivesTheMessage)
{
    Run();
    ExpectMessageOnly();
}

TEST_F(SysInfoTest, FailedStartGivesTheMessageAndSkipsTheFolder)
{
    SetPath(kRegSz, "C:\\gone\\msinfo32.exe\0"s);
    SetFolder(kRegSz, "C:\\Tools\0"s);
    files.insert("C:\\Tools\\MSINFO32.EXE");
    startWorks = false;
    Run();
    EXPECT_TRUE(existenceTests.empty());
    ExpectMessageOnly();
}

TEST_F(SysInfoTest, ZeroByteValueGivesTheMessage)
{
    SetPath(kRegSz, "");
    SetFolder(kRegSz, "C:\\Tools\0"s);
    files.insert("C:\\Tools\\MSINFO32.EXE");
    Run();
    ExpectMessageOnly();
}

TEST_F(SysInfoTest, PathWithoutTextCountsAsNotFound)
{
    SetPath(kRegExpandSz, "%ProgramFiles%\\msinfo32.exe\0"s);
    SetFolder(kRegSz, "C:\\Tools\0"s);
    files.insert("C:\\Tools\\MSINFO32.EXE");
    Run();
    EXPECT_EQ(started, std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
}

TEST_F(SysInfoTest, FolderWithoutTextNeverMeansTheDriveRoot)
{
    for (const auto& [type, bytes] :
         {std::pair{kRegExpandSz, "%SystemRoot%\0"s}, std::pair{kRegSz, "\0"s}}) {
        SCOPED_TRACE(type);
        registry = MemoryRegistry();
        existenceTests.clear();
        messages.clear();
        SetFolder(type, bytes);
        files.insert("\\MSINFO32.EXE");
        Run();
        EXPECT_TRUE(existenceTests.empty());
        ExpectMessageOnly();
    }
}

} // namespace
