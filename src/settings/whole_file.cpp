// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_file.h"

#include <QSaveFile>

namespace velmora {

std::optional<QString> WriteWholeFile(const QString& path, QByteArrayView bytes)
{
    // Written aside and renamed over the old file on commit: a crash, a kill or a full disk in
    // the middle leaves the previous file as it was. Unbuffered, so that a short write shows
    // here and not in a flush whose failure the commit would not notice.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace velmora
