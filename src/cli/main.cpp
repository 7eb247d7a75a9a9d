// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// velmora-cli: the six lines of a calculation on a terminal, or its calendar, without a display.
#include "calendar_export.h"
#include "command_line.h"
#include "phase_calculation.h"
#include "result_lines.h"
#include "settings_file.h"
#include "whole_file.h"

#include <QCoreApplication>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kUsageStatus = 2;
constexpr int kFailureStatus = 1;

// A YYYY-MM-DD text of a day the window's date picker can hold.
std::optional<QDate> ReadFirstDay(const QString& text)
{
    static const QRegularExpression pattern(u"^\\d{4}-\\d{2}-\\d{2}$"_s);
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    const QDate date = QDate::fromString(text, u"yyyy-MM-dd"_s);
    if (!date.isValid() || date < velmora::kEarliestDate || date > velmora::kLatestDate)
        return std::nullopt;
    return date;
}

int Fail(const QString& reason)
{
    velmora::PrintError(u"velmora-cli: "_s + reason + u'\n');
    return kFailureStatus;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    velmora::SetProgramIdentity();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Prints the six phase lines of a menstrual cycle, as the Velmora window lists them, or "
        "writes them as an iCalendar file. Without arguments it uses the inputs the window "
        "saved last."_s);
    const QCommandLineOption ics(
        u"ics"_s, u"Write the calendar to <file> (- for standard output)."_s, u"file"_s);
    parser.addOption(ics);
    parser.addPositionalArgument(u"first-day"_s, u"First day of the last period, YYYY-MM-DD."_s,
                                 u"[FIRST-DAY"_s);
    parser.addPositionalArgument(u"cycle-length"_s,
                                 u"Cycle length in days, read as the window reads it."_s,
                                 u"[CYCLE-LENGTH]]"_s);
    if (const auto status = velmora::ParseCommandLine(parser, 2, kUsageStatus))
        return *status;

    // What the window would show at its next start; the file is only read, never written.
    velmora::Inputs inputs = velmora::RestoreInputs(velmora::SettingsFilePath());
    const QStringList arguments = parser.positionalArguments();
    if (!arguments.isEmpty()) {
        const auto firstDay = ReadFirstDay(arguments[0]);
        if (!firstDay) {
            velmora::PrintError(u"velmora-cli: '%1' is not a date YYYY-MM-DD between 1601-01-01 "
                                "and 9999-12-31.\n\n"_s.arg(arguments[0]) +
                                parser.helpText());
            return kUsageStatus;
        }
        inputs.date = *firstDay;
    }
    if (arguments.size() > 1)
        inputs.cycleLengthText = arguments[1];

    const auto firstDay = velmora::CalendarDate::FromYmd(inputs.date.year(),
                                                         static_cast<unsigned>(inputs.date.month()),
                                                         static_cast<unsigned>(inputs.date.day()));
    const velmora::PhaseDates dates = velmora::CalculatePhases(
        firstDay.value_or(velmora::CalendarDate{}), inputs.cycleLengthText.toStdString());

    QString text;
    if (!parser.isSet(ics)) {
        for (const std::string& line : velmora::ResultLines(dates))
            text += QString::fromStdString(line) + u'\n';
    } else {
        const auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
        const velmora::CalendarExport calendar = velmora::ExportCalendar(dates, now);
        if (!calendar.refusal.empty())
            return Fail(QString::fromStdString(calendar.refusal));
        const QString file = parser.value(ics);
        if (file != u"-"_s) {
            const auto error = velmora::WriteWholeFile(file, calendar.text);
            return error ? Fail(u"cannot write %1: %2"_s.arg(file, *error)) : 0;
        }
        text = QString::fromStdString(calendar.text);
    }
    return velmora::PrintOut(text) ? 0 : Fail(u"cannot write to standard output."_s);
}
