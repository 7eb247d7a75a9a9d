// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "month_picture.h"

#include <QString>
#include <chrono>
#include <optional>
#include <span>

namespace velmora {

// The months of a calculation's cycle, from its first day's month to its next period's (at most
// twelve), each as cal(1) lays out a month: the caption, the weekdays, a row a week. Each day
// carries a mark of the phase its cell shows, and in `colour` that phase's colour too, today
// underlined; a legend ends it. Chinese counts two columns, so the columns stay aligned. The
// periods of her record (its days, earliest first) are drawn too, a recorded first day marked @,
// and the months start as far back as the record does, twelve at most in all.
QString MonthsText(const PhaseDates& dates, std::optional<std::chrono::sys_days> today, bool colour,
                   std::span<const std::chrono::sys_days> recorded = {});

} // namespace velmora
