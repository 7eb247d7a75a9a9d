// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_file_posix.h"

#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace velmora::posix {

Identity IdentityOf(uid_t user)
{
    if (user == ::geteuid())
        return {user, ::getegid(), {}};
    Identity identity{user, user, {}}; // without an entry in the user database: her number
    struct passwd entry = {};
    struct passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        identity.group = entry.pw_gid;
        int count = 64;
        identity.groups.resize(static_cast<std::size_t>(count));
        if (::getgrouplist(entry.pw_name, identity.group, identity.groups.data(), &count) < 0) {
            identity.groups.resize(static_cast<std::size_t>(count));
            ::getgrouplist(entry.pw_name, identity.group, identity.groups.data(), &count);
        }
        identity.groups.resize(static_cast<std::size_t>(count));
    }
    if (identity.groups.empty())
        identity.groups.push_back(identity.group);
    return identity;
}

ActingAs::ActingAs(const Identity& identity)
{
    if (identity.user == ::geteuid())
        return;
    m_ownGroups.resize(static_cast<std::size_t>(std::max(0, ::getgroups(0, nullptr))));
    m_ownGroups.resize(static_cast<std::size_t>(
        std::max(0, ::getgroups(static_cast<int>(m_ownGroups.size()), m_ownGroups.data()))));
    m_acting = true;
    m_ok = ::syscall(SYS_setgroups, identity.groups.size(), identity.groups.data()) == 0;
    ::syscall(SYS_setfsgid, identity.group);
    ::syscall(SYS_setfsuid, identity.user);
    // Each call answers with the identity it found: asked again, it tells whether the change
    // took.
    m_ok = m_ok && static_cast<gid_t>(::syscall(SYS_setfsgid, identity.group)) == identity.group &&
           static_cast<uid_t>(::syscall(SYS_setfsuid, identity.user)) == identity.user;
}

ActingAs::~ActingAs()
{
    if (!m_acting)
        return;
    ::syscall(SYS_setfsuid, ::geteuid());
    ::syscall(SYS_setfsgid, ::getegid());
    ::syscall(SYS_setgroups, m_ownGroups.size(), m_ownGroups.data());
}

namespace {

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
    case ELOOP: // a loop of links, or more of them than the kernel follows, names no file
        return WriteFault::NotRegularFile;
    default:
        return WriteFault::Other;
    }
}

} // namespace

WriteFailure Failed(int error)
{
    return {FaultOf(error), qt_error_string(error)};
}

bool SameFile(const struct stat& one, const struct stat& other)
{
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

bool StandsAt(int file, int folder, const std::string& name)
{
    struct stat held = {};
    struct stat named = {};
    return ::fstat(file, &held) == 0 &&
           ::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           SameFile(held, named);
}

Descriptor OpenRegular(int folder, const std::string& name,
                       const std::optional<struct stat>& expected, int access)
{
    struct stat status = {};
    if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return Descriptor();
    // Never opened at all, whatever its kind now: a device can act on being opened.
    if (!S_ISREG(status.st_mode) || (expected && !SameFile(status, *expected))) {
        errno = EINVAL;
        return Descriptor();
    }
    Descriptor file(
        ::openat(folder, name.c_str(), access | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file && (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
                 (expected && !SameFile(status, *expected)))) {
        errno = EINVAL; // swapped since it was looked at
        return Descriptor();
    }
    return file;
}

} // namespace velmora::posix
