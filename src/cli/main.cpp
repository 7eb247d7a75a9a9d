// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// velmora-cli: the six lines of a calculation on a terminal, or its calendar, without a display.
#include "calculation.h"
#include "command_line.h"
#include "console_output.h"
#include "cycle_outlook.h"
#include "desktop_notice.h"
#include "kept_inputs.h"
#include "month_text.h"
#include "qt_date.h"
#include "record_history.h"
#include "record_store.h"
#include "reminder.h"
#include "reminder_schedule.h"
#include "settings_file.h"
#include "texts.h"
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
    case velmora::CalendarRefusal::TooShort:
        return u"a cycle shorter than 15 days has no month picture."_s;
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

int Usage(const QString& reason, const QCommandLineParser& parser)
{
    velmora::PrintError(u"velmora-cli: "_s + reason + u"\n\n"_s + parser.helpText());
    return kUsageStatus;
}

QString NotADay(const QString& text)
{
    return u"'%1' is not a date YYYY-MM-DD between %2 and %3."_s.arg(
        text, velmora::kEarliestDate.toString(Qt::ISODate),
        velmora::kLatestDate.toString(Qt::ISODate));
}

int Print(const QString& text)
{
    return velmora::PrintOut(text) ? 0 : Fail(u"cannot write to standard output."_s);
}

// Her record as the file beside dear.cfg holds it; an empty one where it cannot be read.
velmora::PeriodRecord StoredRecord()
{
    return velmora::RecordStore::BesideSettings(velmora::SettingsFilePath())
        .Load()
        .value_or(velmora::PeriodRecord{});
}

// What the lines' 安全期 are not, by her recorded days.
std::string HerCaution(const velmora::PhaseDates& dates, const QString& cycleLengthText,
                       const std::vector<std::chrono::sys_days>& recorded)
{
    return velmora::SafeCaution(dates, cycleLengthText.toStdString(), velmora::SpreadOf(recorded));
}

// What the store answered: nothing more to say after a change that was made, its report after
// a file taken in, and otherwise why not, naming the file at fault (the one she gave, her record
// or its lock) with the system's own account where it failed.
int Told(const velmora::StoreAnswer& answer, const QString& path)
{
    QString words = QString::fromStdString(answer.words);
    if (answer.status == velmora::StoreAnswer::Status::Done)
        return words.isEmpty() ? 0 : Print(words + u'\n');
    const QString file = answer.file.isEmpty() ? path : answer.file;
    if (answer.fault)
        words += u" (%1: %2)"_s.arg(file, answer.fault->reason);
    else if (answer.status == velmora::StoreAnswer::Status::Failed || !answer.file.isEmpty())
        words += u" (%1)"_s.arg(file);
    return Fail(words);
}

// --record, --forget, --import, --history and --clear: her record beside dear.cfg, through the
// same store as the window's. Every day is checked before anything is written.
struct RecordOptions {
    QCommandLineOption record{u"record"_s,
                              u"Add <date> (YYYY-MM-DD), the first day of a period, to the "
                              "record kept beside the window's settings."_s,
                              u"date"_s};
    QCommandLineOption forget{u"forget"_s, u"Take <date> out of the record."_s, u"date"_s};
    QCommandLineOption takeIn{u"import"_s,
                              u"Take the days of <file> into the record: a record, what drip, "
                              "Clue, Flo or Periodical export, or a CSV with a column of "
                              "dates."_s,
                              u"file"_s};
    QCommandLineOption history{u"history"_s,
                               u"Print the recorded days, the days between them, and their "
                               "average, shortest and longest cycle."_s};
    QCommandLineOption clear{u"clear"_s, u"Remove the record from this device."_s};
    QCommandLineOption remind{u"remind"_s,
                              u"Say, once, that the next period may begin in a day or two, or "
                              "that it is late, on the desktop and here; nothing otherwise."_s};
    QCommandLineOption reminders{u"reminders"_s,
                                 u"Turn the daily reminder (a systemd user timer, or a Windows "
                                 "scheduled task, that runs --remind) on or off."_s,
                                 u"on|off"_s};

    void AddTo(QCommandLineParser& parser) const
    {
        parser.addOptions({record, forget, takeIn, history, clear, remind, reminders});
    }
    int CountSet(const QCommandLineParser& parser) const
    {
        int set = 0;
        for (const QCommandLineOption* option :
             {&record, &forget, &takeIn, &history, &clear, &remind, &reminders})
            set += int{parser.isSet(*option)};
        return set;
    }
    int Run(const QCommandLineParser& parser) const;

private:
    int Remind(const velmora::RecordStore& store) const;
    int SetReminders(const QCommandLineParser& parser) const;
};

int RecordOptions::Remind(const velmora::RecordStore& store) const
{
    const velmora::RemindAnswer answer =
        velmora::Remind(store, velmora::TodayHere(), [](const QString& words) {
            return velmora::ShowDesktopNotice(QString::fromUtf8(velmora::texts::kReminderTitle),
                                              words);
        });
    if (!answer.told.empty() && !velmora::PrintOut(QString::fromStdString(answer.told) + u'\n'))
        return Fail(u"cannot write to standard output."_s);
    return answer.failure ? Told(*answer.failure, store.Path()) : 0;
}

int RecordOptions::SetReminders(const QCommandLineParser& parser) const
{
    const QString value = parser.value(reminders);
    if (value != u"on"_s && value != u"off"_s)
        return Usage(u"--reminders takes on or off, not '%1'."_s.arg(value), parser);
    const velmora::ScheduleAnswer answer = velmora::SetReminders(value == u"on"_s);
    const QString words = QString::fromStdString(answer.words);
    if (answer.done)
        return Print(words + u'\n');
    return Fail(answer.detail.isEmpty() ? words : u"%1 (%2)"_s.arg(words, answer.detail));
}

int RecordOptions::Run(const QCommandLineParser& parser) const
{
    if (parser.isSet(reminders))
        return SetReminders(parser);
    velmora::RecordStore store = velmora::RecordStore::BesideSettings(velmora::SettingsFilePath());
    if (!store.HasPlace())
        return Fail(u"there is no folder to keep the record in (HOME is not usable)."_s);
    if (parser.isSet(history)) {
        const auto record = store.Load();
        if (!record)
            return Fail(u"cannot read %1 whole."_s.arg(store.Path()));
        const velmora::RecordView view = velmora::ViewOf(record->Days(), velmora::TodayHere());
        // A late period, or a record too old to foretell from, first.
        QString text =
            view.notice.empty() ? QString() : QString::fromStdString(view.notice) + u'\n';
        for (const std::string& line : view.lines)
            text += QString::fromStdString(line) + u'\n';
        text += QString::fromStdString(view.summary) + u'\n';
        if (!view.note.empty())
            text += QString::fromStdString(view.note) + u'\n';
        for (const std::string& line : view.forecast)
            text += QString::fromStdString(line) + u'\n';
        return Print(text);
    }
    if (parser.isSet(remind))
        return Remind(store);
    if (parser.isSet(takeIn)) {
        const QString file = parser.value(takeIn);
        return Told(store.TakeIn(file), file);
    }
    if (parser.isSet(clear))
        return Told(store.Clear(), store.Path());
    const bool adding = parser.isSet(record);
    std::vector<std::chrono::sys_days> days;
    for (const QString& text : parser.values(adding ? record : forget)) {
        const auto day = velmora::ReadPickerDay(text.toStdString());
        if (!day)
            return Usage(NotADay(text), parser);
        days.push_back(day->Days());
    }
    return Told(adding ? store.Record(days) : store.Forget(days), store.Path());
}

// What a calculation prints, and where its inputs come from.
struct CalculationOptions {
    QCommandLineOption ics{u"ics"_s, u"Write the calendar to <file> (- for standard output)."_s,
                           u"file"_s};
    QCommandLineOption month{u"month"_s,
                             u"Print the months of the cycle, each day marked by its phase (in "
                             "colour on a terminal, unless NO_COLOR is set)."_s};
    QCommandLineOption fromRecord{u"from-record"_s,
                                  u"Calculate from the record: its latest first day and the "
                                  "cycle length its forecast uses, once it has one."_s};

    void AddTo(QCommandLineParser& parser) const { parser.addOptions({ics, month, fromRecord}); }
    void AddArguments(QCommandLineParser& parser) const
    {
        parser.addPositionalArgument(u"first-day"_s, u"First day of the last period, YYYY-MM-DD."_s,
                                     u"[FIRST-DAY"_s);
        parser.addPositionalArgument(u"cycle-length"_s,
                                     u"Cycle length in days, read as the window reads it."_s,
                                     u"[CYCLE-LENGTH]]"_s);
    }
    bool AnySet(const QCommandLineParser& parser) const
    {
        return parser.isSet(ics) || parser.isSet(month) || parser.isSet(fromRecord) ||
               !parser.positionalArguments().isEmpty();
    }
};

// Her recorded days, read once: by --from-record, or where the months or the caution first ask
// for them (empty where the record does not read).
class HerDays
{
public:
    const std::vector<std::chrono::sys_days>& operator()()
    {
        if (!m_days)
            m_days = StoredRecord().Days();
        return *m_days;
    }
    void Set(std::vector<std::chrono::sys_days> days) { m_days = std::move(days); }

private:
    std::optional<std::vector<std::chrono::sys_days>> m_days;
};

// The inputs the window would show at its next start (the file is only read, never written),
// or her record's with --from-record, each replaced by an argument given. A status where they
// cannot be had.
std::optional<int> ReadInputs(const QCommandLineParser& parser, const CalculationOptions& options,
                              velmora::Inputs& inputs, HerDays& herDays)
{
    inputs = velmora::RestoreInputs(velmora::SettingsFilePath());
    const QStringList arguments = parser.positionalArguments();
    if (parser.isSet(options.fromRecord)) {
        if (!arguments.isEmpty())
            return Usage(u"--from-record takes no first day or cycle length."_s, parser);
        const velmora::RecordStore store =
            velmora::RecordStore::BesideSettings(velmora::SettingsFilePath());
        const auto record = store.Load();
        if (!record)
            return Fail(u"cannot read %1 whole."_s.arg(store.Path()));
        herDays.Set(record->Days());
        const velmora::RecordView view = velmora::ViewOf(herDays(), velmora::TodayHere());
        if (!view.inputs || !view.inputs->cycleLength)
            return Fail(QString::fromStdString(view.forecast.empty() ? view.notice
                                                                     : view.forecast.front()));
        inputs.date = velmora::ToQDate(std::chrono::year_month_day{view.inputs->firstDay});
        inputs.cycleLengthText = QString::number(*view.inputs->cycleLength);
    }
    if (!arguments.isEmpty()) {
        const auto firstDay = ReadFirstDay(arguments[0]);
        if (!firstDay)
            return Usage(NotADay(arguments[0]), parser);
        inputs.date = *firstDay;
    }
    if (arguments.size() > 1)
        inputs.cycleLengthText = arguments[1];
    return std::nullopt;
}

// The months of the cycle, with her recorded periods where she keeps a record that reads. A
// picture of a cycle she never typed, or of phases out of order, would mislead: refused.
int PrintMonths(const velmora::PhaseDates& dates, const velmora::Inputs& inputs, HerDays& herDays)
{
    if (const auto problem = velmora::PictureProblem(dates, inputs.cycleLengthText.toStdString()))
        return Fail(RefusalText(*problem, inputs.cycleLengthText));
    return Print(velmora::MonthsText(dates, velmora::TodayHere(),
                                     velmora::StandardOutputIsColourTerminal() &&
                                         qEnvironmentVariableIsEmpty("NO_COLOR"),
                                     herDays()));
}

// The six lines, and what their 安全期 are not by her record where she keeps one: after the
// lines, on a line that begins with no date.
int PrintLines(const velmora::PhaseDates& dates, const velmora::Inputs& inputs, HerDays& herDays)
{
    QString text;
    for (const QString& line : velmora::ResultLineTexts(dates))
        text += line + u'\n';
    const std::string caution = HerCaution(dates, inputs.cycleLengthText, herDays());
    if (!caution.empty())
        text += QString::fromStdString(caution) + u'\n';
    return Print(text);
}

// The calendar, to the file or (as -) to standard output. The window calculates with 0 where
// the text holds no number, or one too large to add to the first day; a calendar of that would
// tell of a cycle she never typed.
int ExportTo(const QString& file, const velmora::PhaseDates& dates, const velmora::Inputs& inputs,
             HerDays& herDays)
{
    if (const auto problem = velmora::ExportProblem(dates, inputs.cycleLengthText.toStdString()))
        return Fail(RefusalText(*problem, inputs.cycleLengthText));
    const bool toFile = file != u"-"_s;
    const velmora::CalendarExport calendar = velmora::ExportCalendarNow(
        dates, toFile ? file : QString(), HerCaution(dates, inputs.cycleLengthText, herDays()));
    if (calendar.refusal)
        return Fail(RefusalText(*calendar.refusal, inputs.cycleLengthText));
    if (!toFile)
        return Print(QString::fromStdString(calendar.text));
    const auto failure = velmora::WriteWholeFile(file, calendar.text);
    if (!failure)
        return 0;
    const QString hint = failure->fault == velmora::WriteFault::NotRegularFile
                             ? u" (use - for standard output)"_s
                             : QString();
    return Fail(u"cannot write %1: %2%3."_s.arg(file, failure->reason, hint));
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
    const CalculationOptions options;
    const RecordOptions recordOptions;
    options.AddTo(parser);
    recordOptions.AddTo(parser);
    options.AddArguments(parser);
    if (const auto status = velmora::ParseCommandLine(parser, 2, kUsageStatus))
        return *status;
    if (const int recordActions = recordOptions.CountSet(parser)) {
        if (recordActions > 1 || options.AnySet(parser))
            return Usage(u"--record, --forget, --import, --history, --clear, --remind and "
                         "--reminders go alone."_s,
                         parser);
        return recordOptions.Run(parser);
    }
    if (parser.isSet(options.month) && parser.isSet(options.ics))
        return Usage(u"--month and --ics go one at a time."_s, parser);

    velmora::Inputs inputs;
    HerDays herDays;
    if (const auto status = ReadInputs(parser, options, inputs, herDays))
        return *status;
    const velmora::PhaseDates dates = velmora::Calculate(inputs);
    if (parser.isSet(options.month))
        return PrintMonths(dates, inputs, herDays);
    if (parser.isSet(options.ics))
        return ExportTo(parser.value(options.ics), dates, inputs, herDays);
    return PrintLines(dates, inputs, herDays);
}
