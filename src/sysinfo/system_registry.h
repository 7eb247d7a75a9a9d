// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "registry.h"

#include <memory>

namespace velmora {

// The registry of this system: the real one on Windows. Elsewhere a read-only stand-in that
// answers the tool's registered path ("SOFTWARE\Microsoft\Shared Tools\MSINFO", "PATH") with
// an installed system-information program found on the search path, or has no such key.
std::unique_ptr<Registry> SystemRegistry();

} // namespace velmora
