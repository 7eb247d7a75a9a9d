// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "phase_order.h"

#include <array>

namespace velmora {

namespace {

// Each slot as the calculation derives it from another; a step that failed breaks its link.
struct Link {
    int slot;
    int from;
    int days;
};
constexpr std::array<Link, 8> kLinks{{
    {2, 1, 4},
    {3, 2, 1},
    {9, 10, -14},
    {5, 9, -5},
    {4, 5, -1},
    {6, 9, 4},
    {7, 6, 1},
    {8, 10, -1},
}};

} // namespace

std::optional<CalendarRefusal> PhaseOrderProblem(const PhaseDates& dates)
{
    for (const Link& link : kLinks) {
        if (dates.Slot(link.from).AddDays(link.days) != dates.Slot(link.slot))
            return CalendarRefusal::DateOutOfRange;
    }
    // With every link intact, the periods can only fail to follow each other by a cycle too
    // short for them: the first safe period then ends before it begins.
    if (dates.Slot(4) < dates.Slot(3))
        return CalendarRefusal::OutOfOrder;
    // In order, the next period is the latest day of all.
    if (!dates.Slot(10).AddDays(1))
        return CalendarRefusal::DateOutOfRange;
    return std::nullopt;
}

int CycleLengthDays(const PhaseDates& dates)
{
    return static_cast<int>((dates.Slot(10).Days() - dates.Slot(1).Days()).count());
}

} // namespace velmora
