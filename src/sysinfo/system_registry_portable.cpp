// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memory_registry.h"
#include "system_registry.h"

#include <QDir>
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

} // namespace

std::unique_ptr<Registry> SystemRegistry()
{
    auto registry = std::make_unique<MemoryRegistry>();
    const QStringList searchPath = AbsoluteSearchPath();
    for (const QString& program : kSystemInformationPrograms) {
        // An empty search path would make findExecutable fall back to the whole PATH.
        const QString path =
            searchPath.isEmpty() ? QString() : QStandardPaths::findExecutable(program, searchPath);
        if (path.isEmpty())
            continue;
        // Stored the way Windows stores a path: ANSI bytes with their terminating zero.
        registry->SetValue(kHKeyLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                           kRegSz, path.toLocal8Bit().toStdString() + '\0');
        break;
    }
    return registry;
}

} // namespace velmora
