// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculation.h"

#include "qt_date.h"
#include "result_lines.h"
#include "whole_file.h"

namespace velmora {

CalendarDate ToCalendarDate(QDate date)
{
    const auto day = DayOf(date);
    return day ? CalendarDate::FromDays(*day).value_or(CalendarDate{}) : CalendarDate{};
}

std::chrono::sys_days TodayHere()
{
    return ToCalendarDate(QDate::currentDate()).Days();
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

CalendarExport ExportCalendarNow(const PhaseDates& dates, const QString& replacing,
                                 std::string_view herCaution)
{
    // A calendar is a few kilobytes; what lies past this cannot be one of ours.
    constexpr qint64 kReadLimit = 1024 * 1024;
    const std::optional<QByteArray> old =
        replacing.isEmpty() ? std::nullopt : ReadWholeFile(replacing, kReadLimit);
    const int lowestSequence = old ? SequenceAfter(old->toStdString()) : 0;
    using namespace std::chrono;
    return ExportCalendar(dates, floor<seconds>(system_clock::now()), lowestSequence, herCaution);
}

} // namespace velmora
