// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "start_sys_info.h"

#include "get_key_value.h"

namespace velmora {

namespace {

// Tries the tool's registered path first, then the folder of the shared tools. Returns
// whether the tool was started; throws RegistryValueError for a value of no bytes.
bool TryStart(const SysInfoPlatform& platform)
{
    // A value that was read but gave no text counts as not found: an empty path must never
    // become "\MSINFO32.EXE" in the root of the current drive.
    std::string path;
    if (GetKeyValue(platform.registry, kHKeyLocalMachine,
                    "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path) &&
        !path.empty())
        return platform.startProgram(path);

    std::string folder;
    if (!GetKeyValue(platform.registry, kHKeyLocalMachine,
                     "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder) ||
        folder.empty())
        return false;
    const std::string candidate = folder + "\\MSINFO32.EXE";
    return platform.fileExists(candidate) && platform.startProgram(candidate);
}

} // namespace

void StartSysInfo(const SysInfoPlatform& platform)
{
    bool started = false;
    try {
        started = TryStart(platform);
    } catch (const RegistryValueError&) {
        // A value that cannot be read ends in the same message as one that is not there.
    }
    if (!started)
        platform.showMessage(kSysInfoUnavailable);
}

} // namespace velmora
