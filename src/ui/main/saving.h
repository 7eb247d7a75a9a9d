// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "texts.h"
#include "ui_text.h"
#include "whole_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <functional>
#include <optional>

// What the windows' saves share: where the save dialog starts, and how a failure is told.
namespace velmora {

// `name` in the Documents folder, or in the home folder where there is none.
inline QString ProposedSavePath(const QString& name)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(name);
}

// Saves to the place she chooses, starting at `proposed`. `save` answers nothing when it is
// done, else what to tell her and whether another place could help: the dialog then opens again
// at the same place, so that she can choose another.
struct SaveFailure {
    QString words;
    bool anotherPlaceMayHelp = true;
};
inline void
SaveWhereSheChooses(QString path, const std::function<QString(const QString&)>& choose,
                    const std::function<void(const QString&)>& tell,
                    const std::function<std::optional<SaveFailure>(const QString&)>& save)
{
    for (;;) {
        path = choose(path);
        if (path.isEmpty())
            return;
        const std::optional<SaveFailure> failure = save(path);
        if (!failure)
            return;
        tell(failure->words);
        if (!failure->anotherPlaceMayHelp)
            return;
    }
}

// Why a file could not be written, in the user's words for the common causes; the system's own
// text follows it on the next line.
inline QString FaultText(const WriteFailure& failure)
{
    std::string_view words;
    switch (failure.fault) {
    case WriteFault::NotRegularFile:
        words = texts::kNotRegularFile;
        break;
    case WriteFault::ReadOnly:
        words = texts::kReadOnly;
        break;
    case WriteFault::NoPermission:
        words = texts::kNoPermission;
        break;
    case WriteFault::NoSpace:
        words = texts::kNoSpace;
        break;
    case WriteFault::Busy: // the caller says what was busy
    case WriteFault::Other:
        break;
    }
    return UiText(words) + u'\n' + failure.reason;
}

} // namespace velmora
