// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop_sys_info.h"
#include "system_registry.h"

#include <QFileInfo>
#include <QProcess>

namespace velmora {

void StartDesktopSysInfo(const std::function<void(const std::string&)>& showMessage)
{
    // Looked up afresh for every click: a tool installed meanwhile is found.
    const std::unique_ptr<Registry> registry = SystemRegistry();
    const SysInfoPlatform platform{
        .registry = *registry,
        .fileExists =
            [](const std::string& path) {
                const QFileInfo file(QString::fromLocal8Bit(path));
                return file.isFile() && !file.isHidden();
            },
        // The path is the program itself, never a command line split at its blanks.
        .startProgram =
            [](const std::string& path) {
                return QProcess::startDetached(QString::fromLocal8Bit(path), {});
            },
        .showMessage = showMessage,
    };
    StartSysInfo(platform);
}

} // namespace velmora
