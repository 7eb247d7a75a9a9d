// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

namespace velmora {

// Rounds to the nearest whole number, a value exactly halfway to the even neighbour
// (28.5 gives 28, 29.5 gives 30). The calculation and the settings file round alike, so
// that a saved cycle length gives the same dates after the next start.
double RoundHalfEven(double value);

// The cycle length as the saved inputs keep it: the value rounded as above, when it is a
// whole number from -32768 to 32767; nothing for any other value, infinity and NaN included.
std::optional<int> SavedCycleLength(double value);

} // namespace velmora
