// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "reminder_schedule.h"
#include "reminder_units.h"
#include "texts.h"
#include "whole_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

const QString kTimer = u"velmora-remind.timer"_s;
const QString kService = u"velmora-remind.service"_s;
// Where the package puts its units, and the program they run.
const QString kPackagedTimer = u"/usr/lib/systemd/user/velmora-remind.timer"_s;
const QString kPackagedProgram = u"/usr/bin/velmora-cli"_s;
constexpr int kSystemctlPatience = 15000;

struct Ran {
    bool ok = false;
    QString said; // what it printed, both streams
};

Ran Systemctl(const QStringList& arguments)
{
    QProcess systemctl;
    systemctl.setProcessChannelMode(QProcess::MergedChannels);
    systemctl.start(u"systemctl"_s, QStringList{u"--user"_s} + arguments);
    if (!systemctl.waitForFinished(kSystemctlPatience)) {
        systemctl.kill();
        systemctl.waitForFinished();
        return {false, systemctl.errorString()};
    }
    const bool ok = systemctl.exitStatus() == QProcess::NormalExit && systemctl.exitCode() == 0;
    QString said = QString::fromLocal8Bit(systemctl.readAll()).trimmed();
    if (said.isEmpty() && !ok)
        said = u"systemctl exited %1"_s.arg(systemctl.exitCode());
    return {ok, said};
}

// Her own systemd: the program to ask it, and its manager listening where systemctl --user
// reaches it.
bool HasUserSystemd()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !QStandardPaths::findExecutable(u"systemctl"_s).isEmpty() && !runtime.isEmpty() &&
           QFileInfo::exists(runtime + u"/systemd/private"_s);
}

QString OwnProgram()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(u"velmora-cli"_s);
}

bool IsPackaged()
{
    return QFileInfo(OwnProgram()).canonicalFilePath() == kPackagedProgram &&
           QFileInfo::exists(kPackagedTimer);
}

QString UserUnitFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(u"systemd/user"_s);
}

// The program's path as a quoted word of ExecStart: none where no quoting can hold it.
std::optional<QString> ExecWord(const QString& path)
{
    QString word;
    for (const QChar c : path) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return std::nullopt;
        if (c == u'\\' || c == u'"')
            word += u'\\';
        else if (c == u'%' || c == u'$')
            word += c; // %% and $$ are the characters themselves
        word += c;
    }
    return word;
}

// The units, written for this program to run, where it is not the packaged one.
std::optional<WriteFailure> WriteOwnUnits()
{
    const auto program = ExecWord(OwnProgram());
    if (!program)
        return WriteFailure{WriteFault::Other, u"The program's path cannot be written in a unit"_s};
    QString service = QString::fromUtf8(kRemindService.data(), qsizetype(kRemindService.size()));
    service.replace(QString::fromUtf8(kRemindProgram.data(), qsizetype(kRemindProgram.size())),
                    *program);
    const QDir folder(UserUnitFolder());
    MakeFolders(folder.path());
    const QByteArray serviceBytes = service.toUtf8();
    if (auto failure = WriteWholeFile(folder.filePath(kService), serviceBytes))
        return failure;
    return WriteWholeFile(folder.filePath(kTimer),
                          QByteArrayView(kRemindTimer.data(), qsizetype(kRemindTimer.size())));
}

ScheduleAnswer NotChanged(const QString& detail)
{
    return {false, std::string(texts::kRemindersNotChanged), detail};
}

} // namespace

std::optional<bool> RemindersOn()
{
    if (!HasUserSystemd())
        return std::nullopt;
    return Systemctl({u"is-enabled"_s, u"--quiet"_s, kTimer}).ok;
}

ScheduleAnswer SetReminders(bool on)
{
    if (!HasUserSystemd())
        return {false, std::string(texts::kNoUserSystemd), QString()};
    const QDir folder(UserUnitFolder());
    if (on && !IsPackaged()) {
        if (auto failure = WriteOwnUnits())
            return NotChanged(failure->reason);
        Systemctl({u"daemon-reload"_s});
    }
    const Ran ran = Systemctl({on ? u"enable"_s : u"disable"_s, u"--now"_s, kTimer});
    if (!ran.ok)
        return NotChanged(ran.said);
    if (!on && QFileInfo::exists(folder.filePath(kTimer))) {
        // Turned off, the units it wrote for itself go too.
        RemoveWholeFile(folder.filePath(kTimer));
        RemoveWholeFile(folder.filePath(kService));
        Systemctl({u"daemon-reload"_s});
    }
    return {true, std::string(on ? texts::kRemindersOn : texts::kRemindersOff), QString()};
}

} // namespace velmora
