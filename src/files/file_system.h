// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "whole_file.h"

#include <QString>

// What the whole-file writer needs of the operating system, one source file for each.
namespace velmora::file_system {

// True when the path, or a link on the way to its file, lies among the system's devices and
// processes (/dev/stdout, /proc/self/fd/1), which name streams rather than files.
bool IsStreamPath(const QString& path);

// Gives the open, still empty temporary file the mode and owner that the file at `finalPath`
// has, or those of a new file when there is none. Returns the system's error code, 0 on
// success.
int ShareOwnership(int handle, const QString& finalPath);

// The system's error code of the last failed call, and the kind of fault it means.
int LastError();
WriteFault FaultOf(int error);

bool MakeFolders(const QString& path);

} // namespace velmora::file_system
