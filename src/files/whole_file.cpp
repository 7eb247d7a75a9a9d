// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_file.h"

#include "file_system.h"

#include <QFileInfo>
#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

// Root may write anything, so the write bits decide as well as the access check.
bool IsReadOnly(const QFileInfo& file)
{
    return !file.isWritable() || !(file.permissions() & QFileDevice::WriteOwner);
}

// A failure of the call just made, told in the system's words.
WriteFailure Failed(const QFileDevice& file)
{
    const int error = file_system::LastError();
    WriteFault fault = file_system::FaultOf(error);
    if (fault == WriteFault::Other && file.error() == QFileDevice::ResourceError)
        fault = WriteFault::NoSpace;
    return {fault, file.errorString()};
}

} // namespace

std::optional<WriteFailure> WriteWholeFile(const QString& path, QByteArrayView bytes)
{
    // A folder, a device, a FIFO or a socket (or one at the end of the links) is left as it is
    // rather than turned into a file, and so is a read-only file.
    const QFileInfo existing(path);
    if (file_system::IsStreamPath(path) || (existing.exists() && !existing.isFile()))
        return WriteFailure{WriteFault::NotRegularFile, u"Not a regular file"_s};
    if (existing.exists() && IsReadOnly(existing))
        return WriteFailure{WriteFault::ReadOnly, u"The file is read-only"_s};

    // Written aside and renamed over the old file on commit: a crash, a kill or a full disk in
    // the middle leaves the previous file as it was. Unbuffered, so that a short write shows
    // here and not in a flush whose failure the commit would not notice.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Failed(file);
    // Before the first byte: the data is never readable by anyone the old file kept out.
    if (const int error = file_system::ShareOwnership(file.handle(), path)) {
        file.cancelWriting();
        return WriteFailure{file_system::FaultOf(error), qt_error_string(error)};
    }
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const WriteFailure failure = Failed(file);
        file.cancelWriting();
        return failure;
    }
    if (!file.commit())
        return Failed(file);
    return std::nullopt;
}

bool MakeFolders(const QString& path)
{
    return file_system::MakeFolders(path);
}

} // namespace velmora
