// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDir>
#include <QFileInfo>
#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

// Why a file could not be written, in the kinds a user can do something about.
enum class WriteFault {
    NotRegularFile, // a folder, device, FIFO or socket, or a name of the standard streams
    ReadOnly,       // the file or the disk is read-only
    NoPermission,   // this user may not write there
    NoSpace,        // the disk or the user's quota is full, or the file would be too large
    Busy,           // another program held the file's lock for longer than we wait
    Other,
};

struct WriteFailure {
    WriteFault fault;
    QString reason; // the system's own words, in English
};

// Writes the bytes to the file whole, replacing it only once every byte is on disk; otherwise
// what was there stays. Only a regular file, or a symbolic link to one (written through), is
// ever replaced: a folder, FIFO or link swapped in for it at the last moment is left where it
// stands. A path that reaches /dev by name, or any folder of the kernel's proc, sysfs or devpts
// file systems however it is reached, is refused. A new file is readable and writable by its
// owner alone, whatever the umask or the folder's default ACL; a replaced one keeps its mode,
// owner, group, ACL and user attributes. Root writing where another user has a say (her
// folder, or a link in a folder of hers) writes as that user: what she could not write is
// refused, and what is created is hers. What a killed save left beside the file goes with the
// next good save.
std::optional<WriteFailure> WriteWholeFile(const QString& path, QByteArrayView bytes);

// The file's first `limit` bytes, read as WriteWholeFile would write it: through the same
// walk, as the same user, never through a link the writer refuses, and only from a regular
// file (a FIFO never makes it wait). Nothing when there is no such file to read.
std::optional<QByteArray> ReadWholeFile(const QString& path, qint64 limit);

// Removes the file as WriteWholeFile would replace it: through the same walk, as the same user,
// a regular file only (a link leading to one is followed, and the file goes), and with it every
// copy of it that a killed save left beside it. No failure when there is nothing to remove.
std::optional<WriteFailure> RemoveWholeFile(const QString& path);

// Creates the folder and the parents it lacks, each for its owner's eyes only. When root
// creates them inside another user's folder (her home), it does so as her: they are hers.
// False when the folder is not there afterwards.
bool MakeFolders(const QString& path);

// An exclusive lock for one read-change-write of the file at `path`, held while it lives, so
// that two programs changing the same file one after the other never lose what the first
// wrote. It is a lock file beside the file (".NAME.lock", empty, never removed, since a
// waiting program may hold it open), reached through the same walk and made as the same user
// as WriteWholeFile would write the file: the folder must exist. Waits up to `patience` for a
// lock another program holds, then fails as Busy.
class FileLock
{
public:
    FileLock(const QString& path, std::chrono::milliseconds patience);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Why the lock is not held; nothing while it is.
    const std::optional<WriteFailure>& failure() const { return m_failure; }
    // Whether the lock file still stands at its name: one that was deleted or replaced while
    // held no longer keeps another program out, so what was read under it must not be written.
    bool StillHeld() const;

    // The lock file of the file at `path`, as a message names it.
    static QString PathOf(const QString& path)
    {
        const QFileInfo file(path);
        return file.dir().filePath(u'.' + file.fileName() + QStringLiteral(".lock"));
    }

private:
    std::intptr_t m_handle = -1; // the lock file's descriptor or handle
    std::intptr_t m_folder = -1; // where the lock file stands, where the system tells that
    std::string m_lockName;
    std::optional<WriteFailure> m_failure;
};

} // namespace velmora
