// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_file.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QThread>
#include <windows.h>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

// NUL, CON, PRN, AUX, COM1 to COM9 and LPT1 to LPT9 name devices in every folder, also with an
// extension (NUL.ics) or trailing blanks; so does a path into the device namespace (\\.\).
bool IsDeviceName(const QString& path)
{
    const QString native = QDir::toNativeSeparators(path);
    if (native.startsWith(u"\\\\.\\"_s) || native.startsWith(u"\\\\?\\GLOBALROOT"_s))
        return true;
    const QString base = QFileInfo(native).fileName().section(u'.', 0, 0).trimmed().toUpper();
    static const QStringList kDevices = {u"NUL"_s, u"CON"_s,    u"PRN"_s,
                                         u"AUX"_s, u"CONIN$"_s, u"CONOUT$"_s};
    if (kDevices.contains(base))
        return true;
    return base.size() == 4 && (base.startsWith(u"COM"_s) || base.startsWith(u"LPT"_s)) &&
           base[3] >= u'1' && base[3] <= u'9';
}

WriteFault FaultOf(DWORD error)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
        return WriteFault::NoSpace;
    case ERROR_WRITE_PROTECT:
        return WriteFault::ReadOnly;
    case ERROR_ACCESS_DENIED:
        return WriteFault::NoPermission;
    default:
        return WriteFault::Other;
    }
}

// A failure of the call just made, told in the system's words.
WriteFailure Failed(const QFileDevice& file)
{
    WriteFault fault = FaultOf(::GetLastError());
    if (fault == WriteFault::Other && file.error() == QFileDevice::ResourceError)
        fault = WriteFault::NoSpace;
    return {fault, file.errorString()};
}

} // namespace

// A new file takes the access rules of its folder, which in the user's own folders are hers
// alone; QSaveFile keeps those of a file it replaces.
std::optional<WriteFailure> WriteWholeFile(const QString& path, QByteArrayView bytes)
{
    // A folder or a device is left as it is rather than turned into a file, and so is a
    // read-only file.
    const QFileInfo existing(path);
    if (IsDeviceName(path) || (existing.exists() && !existing.isFile()))
        return WriteFailure{WriteFault::NotRegularFile, u"Not a regular file"_s};
    if (existing.exists() && !existing.isWritable())
        return WriteFailure{WriteFault::ReadOnly, u"The file is read-only"_s};

    // Written aside and renamed over the old file on commit: a crash, a kill or a full disk in
    // the middle leaves the previous file as it was. Unbuffered, so that a short write shows
    // here and not in a flush whose failure the commit would not notice.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Failed(file);
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const WriteFailure failure = Failed(file);
        file.cancelWriting();
        return failure;
    }
    if (!file.commit())
        return Failed(file);
    return std::nullopt;
}

std::optional<QByteArray> ReadWholeFile(const QString& path, qint64 limit)
{
    QFile file(path);
    if (IsDeviceName(path) || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(limit);
}

// What a killed save left beside the file: QSaveFile writes to the file's name followed by '.'
// and six letters or digits. A live save holds its file open unshared, so it cannot go.
void RemoveLeftovers(const QFileInfo& file)
{
    const QDir folder = file.dir();
    const QRegularExpression leftover(
        u"\\A%1\\.[A-Za-z0-9]{6}\\z"_s.arg(QRegularExpression::escape(file.fileName())));
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (leftover.match(name).hasMatch())
            QFile::remove(folder.filePath(name));
}

std::optional<WriteFailure> RemoveWholeFile(const QString& path)
{
    const QFileInfo existing(path);
    if (IsDeviceName(path) || ((existing.exists() || existing.isSymLink()) && !existing.isFile()))
        return WriteFailure{WriteFault::NotRegularFile, u"Not a regular file"_s};
    const QFileInfo file(existing.exists() ? existing.canonicalFilePath() : path);
    if (existing.exists()) {
        QFile removed(file.filePath());
        if (!removed.remove())
            return Failed(removed);
    }
    RemoveLeftovers(file);
    return std::nullopt;
}

FileLock::FileLock(const QString& path, std::chrono::milliseconds patience)
{
    if (IsDeviceName(path)) {
        m_failure = WriteFailure{WriteFault::NotRegularFile, u"Not a regular file"_s};
        return;
    }
    const QString lockPath = QDir::toNativeSeparators(PathOf(path));
    const HANDLE lock = ::CreateFileW(reinterpret_cast<const wchar_t*>(lockPath.utf16()),
                                      GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (lock == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        m_failure = WriteFailure{FaultOf(error), qt_error_string(int(error))};
        return;
    }
    // Asked again and again rather than waited on, so that the wait has an end.
    QDeadlineTimer deadline(patience);
    for (;;) {
        OVERLAPPED whole = {};
        if (::LockFileEx(lock, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                         MAXDWORD, &whole)) {
            m_handle = reinterpret_cast<std::intptr_t>(lock);
            return;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING) {
            m_failure = WriteFailure{FaultOf(error), qt_error_string(int(error))};
            break;
        }
        if (deadline.hasExpired()) {
            m_failure = WriteFailure{WriteFault::Busy, u"Another program is changing the file"_s};
            break;
        }
        QThread::msleep(5);
    }
    ::CloseHandle(lock);
}

// Windows removes no file that a program holds open without sharing its deletion.
bool FileLock::StillHeld() const
{
    return m_handle != -1;
}

FileLock::~FileLock()
{
    if (m_handle == -1)
        return;
    const auto lock = reinterpret_cast<HANDLE>(m_handle);
    OVERLAPPED whole = {};
    ::UnlockFileEx(lock, 0, MAXDWORD, MAXDWORD, &whole);
    ::CloseHandle(lock);
}

bool MakeFolders(const QString& path)
{
    return QDir().mkpath(path);
}

} // namespace velmora
