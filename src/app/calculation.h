// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calendar_export.h"
#include "inputs.h"
#include "phase_calculation.h"

#include <QStringList>

namespace velmora {

// The calendar date of a picked day; the zero date 1899-12-30 for one that is no date.
CalendarDate ToCalendarDate(QDate date);

// Today on this computer's clock.
std::chrono::sys_days TodayHere();

// The ten dates of the inputs, as Calculate computes them.
PhaseDates Calculate(const Inputs& inputs);

// The six lines the list shows for the dates.
QStringList ResultLineTexts(const PhaseDates& dates);

// The calendar of the dates, stamped with the time of this export, to be saved in place of
// the file `replacing` (none, or one that is not there yet, for a new file or standard
// output): its events then carry a higher SEQUENCE than that file's.
CalendarExport ExportCalendarNow(const PhaseDates& dates, const QString& replacing = {},
                                 std::string_view herCaution = {});

} // namespace velmora
