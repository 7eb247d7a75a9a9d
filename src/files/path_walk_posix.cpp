// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_file_posix.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <climits>
#include <linux/magic.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace velmora::posix {

namespace {

constexpr int kMostLinks = 40; // as many as the kernel follows

} // namespace

Descriptor OpenFolder(int folder, const char* name)
{
    return Descriptor(::openat(folder, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

namespace {

std::deque<std::string> Names(std::string_view path)
{
    std::deque<std::string> names(1);
    for (const char c : path) {
        if (c != '/')
            names.back() += c;
        else if (!names.back().empty())
            names.emplace_back();
    }
    if (names.back().empty())
        names.pop_back();
    return names;
}

// Devices and processes name streams, not files (/dev/stdout, /proc/self/fd/1): whatever
// they lead to, a regular file among them must not be replaced. /dev is known by its name
// (its file system is an ordinary tmpfs); the kernel's own file systems are known by what
// they are, wherever they are mounted.
bool IsSystemFolder(const std::string& folderPath, int folder)
{
    struct statfs system = {};
    if (folderPath.starts_with("/dev/") || folderPath.starts_with("/proc/"))
        return true;
    if (::fstatfs(folder, &system) != 0)
        return false;
    switch (system.f_type) {
    case PROC_SUPER_MAGIC:
    case SYSFS_MAGIC:
    case DEVPTS_SUPER_MAGIC:
        return true;
    default:
        return false;
    }
}

// Who may rename or replace a link, and so who it speaks for: the owner of the folder it sits
// in, whoever made the link (she may move root's link within her home). In a folder of root's
// that others share, the sticky bit (/tmp) leaves each link to its own owner; without it the
// link is anyone's: nothing, trusted by no one.
std::optional<uid_t> ControllerOfLink(const struct stat& folder, const struct stat& link)
{
    if (folder.st_uid != 0)
        return folder.st_uid;
    if (!(folder.st_mode & (S_IWGRP | S_IWOTH)))
        return 0;
    if (folder.st_mode & S_ISVTX)
        return link.st_uid;
    return std::nullopt;
}

// Goes back to the root folder, as an absolute path or link target does.
void StartAtRoot(Place& place)
{
    place.folder = OpenFolder(AT_FDCWD, "/");
    place.folderPath.assign(1, '/');
}

// Puts the link's target in the place of its name, and who controls the link in the place's
// account of links. False where the walk ends here, with the error that ends it.
bool FollowLink(Place& place, const std::string& name, const struct stat& status, int& links)
{
    if (++links > kMostLinks) {
        place.error = ELOOP;
        return false;
    }
    struct stat folder = {};
    const std::optional<uid_t> controller =
        ::fstat(place.folder.get(), &folder) == 0 ? ControllerOfLink(folder, status) : std::nullopt;
    if (!controller) {
        place.untrustedLinks = true;
    } else if (*controller != 0) {
        place.untrustedLinks =
            place.untrustedLinks || place.linkOwner.value_or(*controller) != *controller;
        place.linkOwner = controller;
    }
    std::string target(PATH_MAX, '\0');
    const ssize_t length =
        ::readlinkat(place.folder.get(), name.c_str(), target.data(), target.size());
    if (length < 0 && errno == EINVAL) // no longer a link: looked at again
        return true;
    if (length < 0) {
        place.error = errno;
        return false;
    }
    target.resize(static_cast<std::size_t>(length));
    place.rest.pop_front();
    const std::deque<std::string> hops = Names(target);
    place.rest.insert(place.rest.begin(), hops.begin(), hops.end());
    if (target.starts_with('/'))
        StartAtRoot(place);
    return true;
}

} // namespace

// Walks the path to its last name, which is not entered unless `enterLast` (a folder's own
// path). Stops early at the first name that does not exist.
Place Walk(const QString& path, bool enterLast)
{
    Place place;
    const QByteArray native = QFile::encodeName(path);
    place.rest = Names(native.toStdString());
    if (native.endsWith('/')) // names a folder, as the kernel reads it
        place.rest.emplace_back(".");
    if (native.startsWith('/')) {
        StartAtRoot(place);
    } else {
        place.folder = OpenFolder(AT_FDCWD, ".");
        place.folderPath = QFile::encodeName(QDir::currentPath()).toStdString() + '/';
    }
    place.throughSystemFolder =
        place.folder && IsSystemFolder(place.folderPath, place.folder.get());
    int links = 0;
    while (place.folder && !place.rest.empty()) {
        const std::string name = place.rest.front();
        if (name == ".") {
            place.rest.pop_front();
            continue;
        }
        if (name == "..") {
            place.folder = OpenFolder(place.folder.get(), "..");
            if (place.folderPath != "/") // the root's parent is the root
                place.folderPath.erase(place.folderPath.rfind('/', place.folderPath.size() - 2) +
                                       1);
            place.rest.pop_front();
            continue;
        }
        struct stat status = {};
        if (::fstatat(place.folder.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                place.error = errno;
            return place;
        }
        if (S_ISLNK(status.st_mode)) {
            if (!FollowLink(place, name, status, links))
                return place;
            continue;
        }
        if (place.rest.size() == 1 && !enterLast)
            return place;
        Descriptor next = OpenFolder(place.folder.get(), name.c_str());
        if (!next) {
            place.error = errno;
            return place;
        }
        place.folder = std::move(next);
        place.folderPath += name + '/';
        place.rest.pop_front();
        place.throughSystemFolder =
            place.throughSystemFolder || IsSystemFolder(place.folderPath, place.folder.get());
    }
    if (!place.folder)
        place.error = errno;
    return place;
}

// Root writing where another user has a say (her folder, or a link in a folder of hers on the
// way) writes
// as that user, as logrotate's su does: the kernel then refuses whatever she could not do
// herself, and what root creates there is hers. Links of one user that lead into the folder of
// another are not followed at all, as systemd's chase() refuses them: root must not write for
// him what she pointed at. Anyone but root writes as who they are. Nothing: refused.
std::optional<uid_t> ActFor(const Place& place)
{
    struct stat folder = {};
    if (::geteuid() != 0)
        return ::geteuid();
    if (::fstat(place.folder.get(), &folder) != 0 || place.untrustedLinks)
        return std::nullopt;
    if (folder.st_uid == 0)
        return place.linkOwner.value_or(0);
    if (place.linkOwner.value_or(folder.st_uid) != folder.st_uid)
        return std::nullopt;
    return folder.st_uid;
}

} // namespace velmora::posix
