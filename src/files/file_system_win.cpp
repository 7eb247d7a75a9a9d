// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "file_system.h"

#include <QDir>
#include <windows.h>

namespace velmora::file_system {

// Windows has no device folder among the paths a user types; its device names (NUL, CON)
// are no regular files, which the writer refuses anyway.
bool IsStreamPath(const QString&)
{
    return false;
}

// A new file takes the access rules of its folder, which in the user's own folders are hers
// alone; the writer keeps those of a file it replaces.
int ShareOwnership(int, const QString&)
{
    return 0;
}

int LastError()
{
    return static_cast<int>(::GetLastError());
}

WriteFault FaultOf(int error)
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

bool MakeFolders(const QString& path)
{
    return QDir().mkpath(path);
}

} // namespace velmora::file_system
