// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "inputs.h"

#include <QByteArrayView>
#include <optional>

namespace velmora {

// Velmora's folder among a Linux user's settings, from the values of XDG_CONFIG_HOME and HOME
// by the XDG base-directory rules; nothing when they name no usable home.
std::optional<QString> ConfigFolderFor(const QString& xdgConfigHome, const QString& home);

// Where dear.cfg lives: beside the program, where both saving and loading look for it,
// or, when the program is installed in its system folder or its folder cannot be written to,
// in the user's configuration folder for Velmora. Empty when an installed program has no
// usable home: it then neither reads nor writes the file.
QString SettingsFilePath();

struct LoadedSettings {
    std::optional<QDate> date;
    std::optional<QString> cycleLengthText;
};

// The values in the bytes of a settings file. Anything missing or unreadable simply is not
// returned; without a first field nothing at all is.
LoadedSettings ParseSettings(QByteArrayView data);

// Reads what SaveSettings wrote, from a regular file that is not hidden.
LoadedSettings LoadSettings(const QString& filePath);

// The inputs a start shows: the initial ones, each replaced by what the file holds for it. A
// saved date outside the picker's range is refused rather than clamped.
Inputs RestoreInputs(const QString& filePath);

// Rewrites the file whole with the two records: the date as YYYY-MM-DD and the cycle length as
// whole-number text (empty when it does not convert), making its folder when it has none.
// The old file stays intact when the new one cannot be written completely; a read-only file,
// and anything that is not a regular file, is left as it is. Nothing is ever reported.
void SaveSettings(const QString& filePath, const Inputs& inputs);

// Velmora's folder among the user's settings on this system (~/.config/Velmora,
// %LOCALAPPDATA%\Velmora), or nothing when there is no usable home; and the folder an
// installed program runs from.
std::optional<QString> UserConfigFolder();
QString InstallFolder();

} // namespace velmora
