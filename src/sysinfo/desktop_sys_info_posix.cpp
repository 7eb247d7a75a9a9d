// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop_sys_info.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

// Well-known system-information programs of Linux desktops, the most complete first.
const QStringList kSystemInformationPrograms = {
    u"hardinfo2"_s,
    u"hardinfo"_s,
    u"kinfocenter"_s,
    u"cpu-x"_s,
};

// The absolute folders of PATH. A relative entry such as "." would start a program of that
// name from whatever folder the user happens to be in.
QStringList AbsoluteSearchPath()
{
    QStringList folders = qEnvironmentVariable("PATH").split(QDir::listSeparator());
    folders.removeIf([](const QString& folder) { return !QDir::isAbsolutePath(folder); });
    return folders;
}

// The first of the programs installed, or nothing. Looked up afresh for every click: a tool
// installed meanwhile is found.
QString InstalledTool()
{
    const QStringList searchPath = AbsoluteSearchPath();
    // An empty search path would make findExecutable fall back to the whole PATH.
    if (searchPath.isEmpty())
        return {};
    for (const QString& program : kSystemInformationPrograms) {
        if (QString path = QStandardPaths::findExecutable(program, searchPath); !path.isEmpty())
            return path;
    }
    return {};
}

} // namespace

void StartDesktopSysInfo(const std::function<void(const std::string&)>& showMessage)
{
    const QString tool = InstalledTool();
    if (tool.isEmpty() || !QProcess::startDetached(tool, {}))
        showMessage(kSysInfoUnavailable);
}

} // namespace velmora
