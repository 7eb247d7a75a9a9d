// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "result_lines.h"

namespace velmora {

namespace {

constexpr std::string_view kSeparator = "    --    ";
// Both kinds of line put the label after 33 characters: a range as 10 + 10 + 10 + 3, a single
// day as 10 + 23.
constexpr std::size_t kRangeGap = 3;
constexpr std::size_t kSingleGap = 23;

// Writes a line's five parts, each to the string `part(i)` gives: one string for the whole
// line, where the dates are written straight into it, or five.
template <typename Part> void WriteLine(const PhaseDates& dates, const Phase& phase, Part part)
{
    dates[phase.first].AppendText(part(0));
    if (phase.last != phase.first) {
        part(1) += kSeparator;
        dates[phase.last].AppendText(part(2));
    }
    part(3).append(phase.last != phase.first ? kRangeGap : kSingleGap, ' ');
    part(4) += phase.label;
    part(4).append(static_cast<std::size_t>(phase.lineTrailingBlanks), ' ');
}

} // namespace

std::array<LineParts, kPhases.size()> ResultLineParts(const PhaseDates& dates)
{
    std::array<LineParts, kPhases.size()> parts;
    for (std::size_t i = 0; i < kPhases.size(); ++i)
        WriteLine(dates, kPhases[i],
                  [&](std::size_t part) -> std::string& { return parts[i][part]; });
    return parts;
}

std::array<std::string, kPhases.size()> ResultLines(const PhaseDates& dates)
{
    std::array<std::string, kPhases.size()> lines;
    for (std::size_t i = 0; i < kPhases.size(); ++i) {
        lines[i].reserve(64);
        WriteLine(dates, kPhases[i], [&](std::size_t) -> std::string& { return lines[i]; });
    }
    return lines;
}

} // namespace velmora
