// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "round_half_even.h"

#include <cmath>

namespace velmora {

double RoundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        return floor + 1.0;
    return floor;
}

std::optional<int> SavedCycleLength(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double whole = RoundHalfEven(value);
    if (whole < -32768.0 || whole > 32767.0)
        return std::nullopt;
    return static_cast<int>(whole);
}

} // namespace velmora
