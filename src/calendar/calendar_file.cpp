// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "calendar_file.h"

#include <QSaveFile>

namespace velmora {

std::optional<QString> WriteCalendarFile(const QString& path, const std::string& text)
{
    QSaveFile file(path);
    // Unbuffered: a full disk shows in the write itself, not in a flush the commit ignores.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    const auto size = static_cast<qint64>(text.size());
    if (file.write(text.data(), size) != size) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace velmora
