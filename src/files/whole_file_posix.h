// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the parts of the POSIX writer and reader share: an open descriptor, the walk along a
// path, who to act as, and how a file is opened. Not for use outside src/files.

#pragma once

#include "whole_file.h"

#include <QString>
#include <deque>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace velmora::posix {

constexpr std::size_t kLongestName = 255;

// An open descriptor, closed when it goes.
class Descriptor
{
public:
    explicit Descriptor(int descriptor = -1) : m_descriptor(descriptor) {}
    Descriptor(Descriptor&& other) noexcept : m_descriptor(std::exchange(other.m_descriptor, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        std::swap(m_descriptor, other.m_descriptor);
        return *this;
    }
    ~Descriptor()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    int get() const { return m_descriptor; }
    // Hands the descriptor over: it is no longer closed here.
    int Release() { return std::exchange(m_descriptor, -1); }
    explicit operator bool() const { return m_descriptor >= 0; }

private:
    int m_descriptor;
};

Descriptor OpenFolder(int folder, const char* name);

// Where a path leads, followed as the kernel follows it but one name at a time, from open
// folders: a link swapped in behind the walk is never followed, and what the path is counts,
// not how it is spelled.
struct Place {
    Descriptor folder;              // the deepest folder of the path that exists, open
    std::string folderPath;         // its path with every link resolved, ending in '/'
    std::deque<std::string> rest;   // the names below it that were not entered
    std::optional<uid_t> linkOwner; // who other than root controls the links followed
    bool untrustedLinks = false;    // links of two users other than root, or of anyone
    bool throughSystemFolder = false;
    int error = 0; // why the path leads nowhere
};

// Walks the path to its last name, which is not entered unless `enterLast` (a folder's own
// path). Stops early at the first name that does not exist.
Place Walk(const QString& path, bool enterLast);

// Root writing where another user has a say (her folder, or a link in a folder of hers on the
// way) writes
// as that user, as logrotate's su does: the kernel then refuses whatever she could not do
// herself, and what root creates there is hers. Links of one user that lead into the folder of
// another are not followed at all, as systemd's chase() refuses them: root must not write for
// him what she pointed at. Anyone but root writes as who they are. Nothing: refused.
std::optional<uid_t> ActFor(const Place& place);

// A user's file-system identity: her number, her group and the groups she is in, looked up
// once for a whole save.
struct Identity {
    uid_t user;
    gid_t group;
    std::vector<gid_t> groups;
};

Identity IdentityOf(uid_t user);

// This thread's file-system identity, with its groups, made another user's until it goes.
// The raw system calls change this thread alone, where the C library's would change every
// thread of the program; root's own groups are dropped too, so that they open nothing she
// could not.
class ActingAs
{
public:
    explicit ActingAs(const Identity& identity);
    ~ActingAs();
    ActingAs(const ActingAs&) = delete;
    ActingAs& operator=(const ActingAs&) = delete;

    bool ok() const { return m_ok; }

private:
    std::vector<gid_t> m_ownGroups;
    bool m_acting = false;
    bool m_ok = true;
};

// The failure a system error code stands for, with the system's words for it.
WriteFailure Failed(int error);

bool SameFile(const struct stat& one, const struct stat& other);

// Whether the open `file` is still the one its name gives in `folder`.
bool StandsAt(int file, int folder, const std::string& name);

// A regular file of the folder, opened for reading without following a link and without
// waiting for a FIFO's writer; only the very file that `expected` describes, where given.
Descriptor OpenRegular(int folder, const std::string& name,
                       const std::optional<struct stat>& expected = std::nullopt,
                       int access = O_RDONLY);

} // namespace velmora::posix
