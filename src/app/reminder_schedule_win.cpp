// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "reminder_schedule.h"

#include "texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

// Her own task in Task Scheduler, which a user without administrator rights may make; the
// uninstaller removes it by this name.
const QString kTask = u"Velmora\\Remind"_s;
constexpr int kSchtasksPatience = 15000;

struct Ran {
    bool started = false;
    bool ok = false;
    QString said;
};

// schtasks.exe with a command line written as it reads one: the task's command is one argument
// that holds quotes of its own.
Ran Schtasks(const QString& arguments)
{
    QProcess schtasks;
    schtasks.setProcessChannelMode(QProcess::MergedChannels);
    schtasks.setProgram(u"schtasks.exe"_s);
    schtasks.setNativeArguments(arguments);
    schtasks.start();
    if (!schtasks.waitForStarted())
        return {};
    if (!schtasks.waitForFinished(kSchtasksPatience)) {
        schtasks.kill();
        schtasks.waitForFinished();
        return {true, false, schtasks.errorString()};
    }
    const bool ok = schtasks.exitStatus() == QProcess::NormalExit && schtasks.exitCode() == 0;
    QString said = QString::fromLocal8Bit(schtasks.readAll()).trimmed();
    if (said.isEmpty() && !ok)
        said = u"schtasks.exe exited %1"_s.arg(schtasks.exitCode());
    return {true, ok, said};
}

QString Quoted(const QString& text)
{
    return u'"' + text + u'"';
}

} // namespace

std::optional<bool> RemindersOn()
{
    const Ran ran = Schtasks(u"/Query /TN "_s + Quoted(kTask));
    if (!ran.started)
        return std::nullopt;
    // The task is there when it is listed, not merely when the query did not fail.
    return ran.ok && ran.said.contains(u"Remind"_s);
}

ScheduleAnswer SetReminders(bool on)
{
    const QString program = QDir::toNativeSeparators(
        QDir(QCoreApplication::applicationDirPath()).filePath(u"velmora-cli.exe"_s));
    const Ran ran =
        on ? Schtasks(u"/Create /F /SC DAILY /ST 09:00 /TN "_s + Quoted(kTask) + u" /TR "_s +
                      Quoted(u"\\\""_s + program + u"\\\" --remind"_s))
           : Schtasks(u"/Delete /F /TN "_s + Quoted(kTask));
    if (!ran.started)
        return {false, std::string(texts::kNoTaskScheduler), QString()};
    if (!ran.ok)
        return {false, std::string(texts::kRemindersNotChanged), ran.said};
    return {true, std::string(on ? texts::kRemindersOn : texts::kRemindersOff), QString()};
}

} // namespace velmora
