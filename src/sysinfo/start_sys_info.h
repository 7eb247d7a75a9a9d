// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "registry.h"

#include <functional>
#include <string>

namespace velmora {

inline constexpr char kSysInfoUnavailable[] = "System Information Is Unavailable At This Time";

// What starting the system-information tool touches outside the program. Paths are in the
// system's ANSI code page, as the registry gives them.
struct SysInfoPlatform {
    Registry& registry;
    // True when an ordinary file (not a folder, not hidden) exists at the path.
    std::function<bool(const std::string& path)> fileExists;
    // Starts the program file at the path, without waiting; false when nothing started.
    std::function<bool(const std::string& path)> startProgram;
    // Shows the message with an OK button and no icon, titled with the program's name.
    std::function<void(const std::string& message)> showMessage;
};

// Finds the system-information tool through the registry and starts it; when it is not
// found or cannot be started, tells the user so. Throws nothing of its own.
void StartSysInfo(const SysInfoPlatform& platform);

} // namespace velmora
