// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "phase_calculation.h"

#include <array>
#include <string>

namespace velmora {

// The lines shown for a calculation, one for each phase, in UTF-8. Every label starts after
// exactly 33 characters, so the lines line up in the list.
std::array<std::string, kPhases.size()> ResultLines(const PhaseDates& dates);

} // namespace velmora
