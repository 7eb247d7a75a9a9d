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

// A line is built in one string: the dates are written straight into it.
std::string Line(const PhaseDates& dates, const Phase& phase)
{
    std::string line;
    line.reserve(64);
    dates[phase.first].AppendText(line);
    if (phase.last != phase.first) {
        line += kSeparator;
        dates[phase.last].AppendText(line);
        line.append(kRangeGap, ' ');
    } else {
        line.append(kSingleGap, ' ');
    }
    line += phase.label;
    line.append(static_cast<std::size_t>(phase.lineTrailingBlanks), ' ');
    return line;
}

} // namespace

std::array<std::string, kPhases.size()> ResultLines(const PhaseDates& dates)
{
    std::array<std::string, kPhases.size()> lines;
    for (std::size_t i = 0; i < kPhases.size(); ++i)
        lines[i] = Line(dates, kPhases[i]);
    return lines;
}

} // namespace velmora
