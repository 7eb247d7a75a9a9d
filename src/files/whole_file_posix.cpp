// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_file_posix.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <unistd.h>

namespace velmora {

using namespace posix;

std::optional<QByteArray> ReadWholeFile(const QString& path, qint64 limit)
{
    const Place place = Walk(path, false);
    if (place.error || place.throughSystemFolder || place.rest.size() != 1)
        return std::nullopt;
    const std::optional<uid_t> actFor = ActFor(place);
    if (!actFor)
        return std::nullopt;
    Descriptor file;
    {
        const ActingAs acting(IdentityOf(*actFor));
        if (!acting.ok())
            return std::nullopt;
        file = OpenRegular(place.folder.get(), place.rest.front());
    }
    if (!file)
        return std::nullopt;
    QByteArray bytes(static_cast<qsizetype>(limit), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t read =
            ::read(file.get(), bytes.data() + done, static_cast<std::size_t>(bytes.size() - done));
        if (read == 0)
            break;
        if (read < 0 && errno != EINTR)
            return std::nullopt;
        done += std::max<ssize_t>(read, 0);
    }
    bytes.truncate(done);
    return bytes;
}

bool MakeFolders(const QString& path)
{
    Place place = Walk(QDir::cleanPath(QFileInfo(path).absoluteFilePath()), true);
    if (place.error || place.throughSystemFolder)
        return false;
    const std::optional<uid_t> actFor = ActFor(place);
    if (!actFor)
        return false;
    ActingAs acting(IdentityOf(*actFor));
    if (!acting.ok())
        return false;
    // Each folder is made by the user it is for, owner-only, and entered without following a
    // link: one swapped in for it meanwhile stops the walk.
    for (const std::string& name : place.rest) {
        if (name == "." || name == "..")
            return false;
        if (::mkdirat(place.folder.get(), name.c_str(), S_IRWXU) != 0 && errno != EEXIST)
            return false;
        place.folder = OpenFolder(place.folder.get(), name.c_str());
        if (!place.folder)
            return false;
    }
    return true;
}

} // namespace velmora
