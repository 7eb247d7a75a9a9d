// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "file_system.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace velmora::file_system {

namespace {

bool InSystemFolder(const QString& absolutePath)
{
    return absolutePath.startsWith(u"/dev/"_s) || absolutePath.startsWith(u"/proc/"_s);
}

bool Stat(const QString& path, struct stat& status)
{
    return ::stat(QFile::encodeName(path).constData(), &status) == 0;
}

// Root writing into a folder of another user writes for her: she must be able to replace the
// file with her own next save, and no file of hers should turn up owned by root.
bool ActsForFolderOwner(const struct stat& folder)
{
    return ::geteuid() == 0 && folder.st_uid != 0;
}

} // namespace

bool IsStreamPath(const QString& path)
{
    // Each link is followed by hand: /dev/stdout leads through /proc/self/fd/1 to whatever the
    // standard output is, which may well be a regular file that must not be replaced.
    QString hop = path;
    // The path itself and up to 40 links after it, as many as the kernel follows.
    for (int links = 0; links <= 40; ++links) {
        const QFileInfo info(hop);
        if (InSystemFolder(info.absoluteFilePath()) || InSystemFolder(info.canonicalPath() + u'/'))
            return true;
        if (!info.isSymLink())
            return false;
        hop = info.symLinkTarget();
    }
    return true; // a loop of links names no file either
}

int ShareOwnership(int handle, const QString& finalPath)
{
    struct stat old = {};
    if (Stat(finalPath, old)) {
        // The owner first: a change of owner clears the set-id bits that the mode then restores.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(handle, old.st_uid, old.st_gid) != 0)
            return errno;
        return ::fchmod(handle, old.st_mode & 07777) == 0 ? 0 : errno;
    }
    if (errno != ENOENT)
        return errno;
    // Period dates are health data: a new file is its owner's alone.
    if (::fchmod(handle, S_IRUSR | S_IWUSR) != 0)
        return errno;
    struct stat folder = {};
    if (Stat(QFileInfo(finalPath).absolutePath(), folder) && ActsForFolderOwner(folder) &&
        ::fchown(handle, folder.st_uid, folder.st_gid) != 0)
        return errno;
    return 0;
}

int LastError()
{
    return errno;
}

WriteFault FaultOf(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return WriteFault::NoSpace;
    case EROFS:
        return WriteFault::ReadOnly;
    case EACCES:
    case EPERM:
        return WriteFault::NoPermission;
    default:
        return WriteFault::Other;
    }
}

bool MakeFolders(const QString& path)
{
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList missing;
    while (!QFileInfo::exists(existing) && existing != u"/"_s) {
        missing.prepend(existing);
        existing = QFileInfo(existing).absolutePath();
    }
    struct stat owner = {};
    if (!Stat(existing, owner))
        return false;
    for (const QString& folder : std::as_const(missing)) {
        const QByteArray native = QFile::encodeName(folder);
        if (::mkdir(native.constData(), S_IRWXU) != 0 && errno != EEXIST)
            return false;
        if (ActsForFolderOwner(owner) &&
            ::chown(native.constData(), owner.st_uid, owner.st_gid) != 0)
            return false;
    }
    return QFileInfo(path).isDir();
}

} // namespace velmora::file_system
