// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "start_sys_info.h"

namespace velmora {

// Starts the system-information tool of this desktop, or tells `showMessage` that there is
// none: on Windows the one the registry names (StartSysInfo), elsewhere the first installed
// of the desktops' well-known tools. Never throws.
void StartDesktopSysInfo(const std::function<void(const std::string&)>& showMessage);

} // namespace velmora
