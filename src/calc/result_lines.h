// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "phase_calculation.h"

#include <array>
#include <string>

namespace velmora {

// A line in its five parts, which joined are the line: the first date, the separator and the
// last date of a range (both empty for a single day), the blanks that put the label after
// exactly 33 characters, and the label with the blanks after it. A face narrower than a line
// puts the label under the dates, or the last date under the first.
using LineParts = std::array<std::string, 5>;
std::array<LineParts, kPhases.size()> ResultLineParts(const PhaseDates& dates);

// The lines shown for a calculation, one for each phase, in UTF-8. Every label starts after
// exactly 33 characters, so the lines line up in the list.
std::array<std::string, kPhases.size()> ResultLines(const PhaseDates& dates);

} // namespace velmora
