// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings_file.h"

#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

// %LOCALAPPDATA%\Velmora.
std::optional<QString> UserConfigFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

// The per-user Programs folder the installer puts the program in.
QString InstallFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           u"/Programs/Velmora"_s;
}

} // namespace velmora
