// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation.h"

#include "result_lines.h"

namespace velmora {

CalendarDate ToCalendarDate(QDate date)
{
    return CalendarDate::FromYmd(date.year(), static_cast<unsigned>(date.month()),
                                 static_cast<unsigned>(date.day()))
        .value_or(CalendarDate{});
}

PhaseDates Calculate(const Inputs& inputs)
{
    return CalculatePhases(ToCalendarDate(inputs.date), inputs.cycleLengthText.toStdString());
}

QStringList ResultLineTexts(const PhaseDates& dates)
{
    QStringList lines;
    for (const std::string& line : ResultLines(dates))
        lines << QString::fromStdString(line);
    return lines;
}

CalendarExport ExportCalendarNow(const PhaseDates& dates)
{
    using namespace std::chrono;
    return ExportCalendar(dates, floor<seconds>(system_clock::now()));
}

} // namespace velmora
