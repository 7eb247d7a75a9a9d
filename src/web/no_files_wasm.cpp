// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The web engine has no file system at all. libical still looks for its time zone table, which
// the calendar never needs (its days have no time zone): every file is one that is not there.
#include <cerrno>
#include <cstdio>

extern "C" FILE* fopen(const char*, const char*)
{
    errno = ENOENT;
    return nullptr;
}
