// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace velmora {

// Why a file could not be written, in the kinds a user can do something about.
enum class WriteFault {
    NotRegularFile, // a folder, device, FIFO or socket, or a name of the standard streams
    ReadOnly,       // the file or the disk is read-only
    NoPermission,   // this user may not write there
    NoSpace,        // the disk or the user's quota is full, or the file would be too large
    Other,
};

struct WriteFailure {
    WriteFault fault;
    QString reason; // the system's own words, in English
};

// Writes the bytes to the file whole, replacing it only once every byte is on disk; otherwise
// what was there stays. Only a regular file, or a symbolic link to one (written through), is
// ever replaced; a path that leads through the system's devices or processes is refused however
// it is spelled. A new file is readable and writable by its owner alone, whatever the umask;
// a replaced one keeps its mode, owner and group. Root writing where another user has a say
// (her folder, or her link on the way) writes as that user: what she could not write is
// refused, and what is created is hers.
std::optional<WriteFailure> WriteWholeFile(const QString& path, QByteArrayView bytes);

// Creates the folder and the parents it lacks, each for its owner's eyes only. When root
// creates them inside another user's folder (her home), it does so as her: they are hers.
// False when the folder is not there afterwards.
bool MakeFolders(const QString& path);

} // namespace velmora
