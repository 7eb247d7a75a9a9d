// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings_file.h"

#include <QFile>

namespace velmora {

namespace {

// A variable's value as a path, when the text is the very bytes it holds: bytes that are no
// text in the system's encoding would be decoded into another name.
std::optional<QString> PathVariable(const char* name)
{
    const QByteArray bytes = qgetenv(name);
    const QString path = QFile::decodeName(bytes);
    return QFile::encodeName(path) == bytes ? std::optional<QString>(path) : std::nullopt;
}

} // namespace

std::optional<QString> UserConfigFolder()
{
    const auto xdgConfigHome = PathVariable("XDG_CONFIG_HOME");
    const auto home = PathVariable("HOME");
    if (!xdgConfigHome || !home)
        return std::nullopt;
    return ConfigFolderFor(*xdgConfigHome, *home);
}

// Where the package and `cmake --install` put the program: /usr/bin, or the prefix's bin.
QString InstallFolder()
{
    return QStringLiteral(VELMORA_INSTALL_BINDIR);
}

} // namespace velmora
