// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// velmora-cli: the six lines of a calculation on a terminal, or its calendar, without a display.
#include "calculation.h"
#include "command_line.h"
#include "console_output.h"
#include "kept_inputs.h"
#include "month_text.h"
#include "settings_file.h"
#include "whole_file.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kUsageStatus = 2;
constexpr int kFailureStatus = 1;

// A YYYY-MM-DD text of a day the window's date picker can hold.
std::optional<QDate> ReadFirstDay(const QString& text)
{
    const auto day = velmora::ReadPickerDay(text.toStdString());
    return day ? std::optional<QDate>(velmora::ToQDate(day->Ymd())) : std::nullopt;
}

QString RefusalText(velmora::CalendarRefusal refusal, const QString& cycleLengthText)
{
    switch (refusal) {
    case velmora::CalendarRefusal::NoNumber:
        return u"'%1' is no number of days."_s.arg(cycleLengthText);
    case velmora::CalendarRefusal::DateOutOfRange:
        return u"a date of the phases lies outside the calendar's years 100 to 9999, or its "
               "last phase ends on 9999-12-31."_s;
    case velmora::CalendarRefusal::OutOfOrder:
        return u"a cycle shorter than 25 days puts the phases out of order."_s;
    case velmora::CalendarRefusal::NotReadBack:
        break;
    }
    return u"the calendar did not read back with the right dates; nothing was written."_s;
}

int Fail(const QString& reason)
{
    velmora::PrintError(u"velmora-cli: "_s + reason + u'\n');
    return kFailureStatus;
}

} // namespace

int main(int argc, char** argv)
{
    velmora::SurviveFailedWrites();
    QCoreApplication app(argc, argv);
    velmora::SetProgramIdentity();
    if (!velmora::ArgumentsAreFaithful(argc, argv)) {
        velmora::PrintError(u"velmora-cli: an argument is not valid text in this system's "
                            "encoding; it could name another file, so nothing was done.\n"_s);
        return kUsageStatus;
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Prints the six phase lines of a menstrual cycle, as the Velmora window lists them, or "
        "writes them as an iCalendar file. Without arguments it uses the inputs the window "
        "saved last."_s);
    const QCommandLineOption ics(
        u"ics"_s, u"Write the calendar to <file> (- for standard output)."_s, u"file"_s);
    parser.addOption(ics);
    const QCommandLineOption month(
        u"month"_s, u"Print the months of the cycle, each day marked by its phase (in colour on a "
                    "terminal, unless NO_COLOR is set)."_s);
    parser.addOption(month);
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
            velmora::PrintError(
                u"velmora-cli: '%1' is not a date YYYY-MM-DD between %2 and %3.\n\n"_s.arg(
                    arguments[0], velmora::kEarliestDate.toString(Qt::ISODate),
                    velmora::kLatestDate.toString(Qt::ISODate)) +
                parser.helpText());
            return kUsageStatus;
        }
        inputs.date = *firstDay;
    }
    if (arguments.size() > 1)
        inputs.cycleLengthText = arguments[1];

    const velmora::PhaseDates dates = velmora::Calculate(inputs);

    QString text;
    if (parser.isSet(month)) {
        if (parser.isSet(ics)) {
            velmora::PrintError(u"velmora-cli: --month and --ics go one at a time.\n\n"_s +
                                parser.helpText());
            return kUsageStatus;
        }
        // A picture of a cycle she never typed, or of phases out of order, would mislead.
        if (const auto problem =
                velmora::PictureProblem(dates, inputs.cycleLengthText.toStdString()))
            return Fail(RefusalText(*problem, inputs.cycleLengthText));
        const QDate today = QDate::currentDate();
        text = velmora::MonthsText(dates, velmora::ToCalendarDate(today).Days(),
                                   velmora::StandardOutputIsColourTerminal() &&
                                       qEnvironmentVariableIsEmpty("NO_COLOR"));
    } else if (!parser.isSet(ics)) {
        for (const QString& line : velmora::ResultLineTexts(dates))
            text += line + u'\n';
    } else {
        // The window calculates with 0 where the text holds no number, or one too large to add
        // to the first day; a calendar of that would tell of a cycle she never typed.
        if (const auto problem =
                velmora::ExportProblem(dates, inputs.cycleLengthText.toStdString()))
            return Fail(RefusalText(*problem, inputs.cycleLengthText));
        const QString file = parser.value(ics);
        const bool toFile = file != u"-"_s;
        const velmora::CalendarExport calendar =
            velmora::ExportCalendarNow(dates, toFile ? file : QString());
        if (calendar.refusal)
            return Fail(RefusalText(*calendar.refusal, inputs.cycleLengthText));
        if (toFile) {
            const auto failure = velmora::WriteWholeFile(file, calendar.text);
            if (!failure)
                return 0;
            const QString hint = failure->fault == velmora::WriteFault::NotRegularFile
                                     ? u" (use - for standard output)"_s
                                     : QString();
            return Fail(u"cannot write %1: %2%3."_s.arg(file, failure->reason, hint));
        }
        text = QString::fromStdString(calendar.text);
    }
    return velmora::PrintOut(text) ? 0 : Fail(u"cannot write to standard output."_s);
}
