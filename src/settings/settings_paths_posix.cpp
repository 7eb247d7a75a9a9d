// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings_file.h"

namespace velmora {

std::optional<QString> UserConfigFolder()
{
    return ConfigFolderFor(qEnvironmentVariable("XDG_CONFIG_HOME"), qEnvironmentVariable("HOME"));
}

// Where the package and `cmake --install` put the program: /usr/bin, or the prefix's bin.
QString InstallFolder()
{
    return QStringLiteral(VELMORA_INSTALL_BINDIR);
}

} // namespace velmora
