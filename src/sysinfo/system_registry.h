// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "registry.h"

#include <memory>

namespace velmora {

// The registry of this Windows system, through advapi32.
std::unique_ptr<Registry> SystemRegistry();

} // namespace velmora
