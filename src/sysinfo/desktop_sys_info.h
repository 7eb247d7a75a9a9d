// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "start_sys_info.h"

namespace velmora {

// Starts the system-information tool of this desktop: the system's registry, files on disk
// and detached processes, with `showMessage` for the one message. Never throws.
void StartDesktopSysInfo(const std::function<void(const std::string&)>& showMessage);

} // namespace velmora
