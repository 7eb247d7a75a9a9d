// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <linux/magic.h>
#include <pwd.h>
#include <random>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

constexpr int kMostLinks = 40; // as many as the kernel follows
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

Descriptor OpenFolder(int folder, const char* name)
{
    return Descriptor(::openat(folder, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

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

// Goes back to the root folder, as an absolute path or link target does.
void StartAtRoot(Place& place)
{
    place.folder = OpenFolder(AT_FDCWD, "/");
    place.folderPath.assign(1, '/');
}

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
            if (++links > kMostLinks) {
                place.error = ELOOP;
                return place;
            }
            struct stat folder = {};
            const std::optional<uid_t> controller = ::fstat(place.folder.get(), &folder) == 0
                                                        ? ControllerOfLink(folder, status)
                                                        : std::nullopt;
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
                continue;
            if (length < 0) {
                place.error = errno;
                return place;
            }
            target.resize(static_cast<std::size_t>(length));
            place.rest.pop_front();
            const std::deque<std::string> hops = Names(target);
            place.rest.insert(place.rest.begin(), hops.begin(), hops.end());
            if (target.starts_with('/'))
                StartAtRoot(place);
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

// A user's file-system identity: her number, her group and the groups she is in, looked up
// once for a whole save.
struct Identity {
    uid_t user;
    gid_t group;
    std::vector<gid_t> groups;
};

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

// This thread's file-system identity, with its groups, made another user's until it goes.
// The raw system calls change this thread alone, where the C library's would change every
// thread of the program; root's own groups are dropped too, so that they open nothing she
// could not.
class ActingAs
{
public:
    explicit ActingAs(const Identity& identity)
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
        // Each call answers with the identity it found: asked again, it tells whether the
        // change took.
        m_ok = m_ok &&
               static_cast<gid_t>(::syscall(SYS_setfsgid, identity.group)) == identity.group &&
               static_cast<uid_t>(::syscall(SYS_setfsuid, identity.user)) == identity.user;
    }
    ~ActingAs()
    {
        if (!m_acting)
            return;
        ::syscall(SYS_setfsuid, ::geteuid());
        ::syscall(SYS_setfsgid, ::getegid());
        ::syscall(SYS_setgroups, m_ownGroups.size(), m_ownGroups.data());
    }
    ActingAs(const ActingAs&) = delete;
    ActingAs& operator=(const ActingAs&) = delete;

    bool ok() const { return m_ok; }

private:
    std::vector<gid_t> m_ownGroups;
    bool m_acting = false;
    bool m_ok = true;
};

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

WriteFailure Failed(int error)
{
    return {FaultOf(error), qt_error_string(error)};
}

bool SameFile(const struct stat& one, const struct stat& other)
{
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

// Whether the open `file` is still the one its name gives in `folder`.
bool StandsAt(int file, int folder, const std::string& name)
{
    struct stat held = {};
    struct stat named = {};
    return ::fstat(file, &held) == 0 &&
           ::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           SameFile(held, named);
}

// The writer's temporary names, beside the file: '.', the file's name (cut so that the whole
// fits any folder), '.', and six letters or digits.
constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kDrawn = 6;

std::string TemporaryPrefix(const std::string& finalName)
{
    return '.' + finalName.substr(0, std::min(finalName.size(), kLongestName - 2 - kDrawn)) + '.';
}

std::string TemporaryName(const std::string& finalName)
{
    static std::random_device entropy;
    std::string name = TemporaryPrefix(finalName);
    for (std::size_t i = 0; i < kDrawn; ++i)
        name += kLetters[entropy() % (sizeof kLetters - 1)];
    return name;
}

bool IsTemporaryName(std::string_view candidate, const std::string& finalName)
{
    const std::string prefix = TemporaryPrefix(finalName);
    return candidate.size() == prefix.size() + kDrawn && candidate.starts_with(prefix) &&
           candidate.find_first_not_of(kLetters, prefix.size()) == std::string_view::npos;
}

// A regular file of the folder, opened for reading without following a link and without
// waiting for a FIFO's writer; only the very file that `expected` describes, where given.
Descriptor OpenRegular(int folder, const std::string& name,
                       const std::optional<struct stat>& expected = std::nullopt,
                       int access = O_RDONLY)
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

constexpr char kAccessAcl[] = "system.posix_acl_access";

// Her ACL, exactly, and her own attributes (user.*), from the old file to the new one: no
// entry of a folder's default ACL opens the new file to anyone the old one kept out, and no
// entry of hers is lost. Where the file system keeps no attributes there are none to copy.
int CopyAttributes(int from, int to)
{
    std::string list(4096, '\0');
    ssize_t size = ::flistxattr(from, list.data(), list.size());
    if (size < 0 && errno == ERANGE) {
        list.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::flistxattr(from, nullptr, 0))));
        size = ::flistxattr(from, list.data(), list.size());
    }
    if (size < 0)
        return errno == ENOTSUP ? 0 : errno;
    list.resize(static_cast<std::size_t>(size));
    bool hadAcl = false;
    for (std::size_t at = 0; at < list.size(); at = list.find('\0', at) + 1) {
        const std::string attribute = list.c_str() + at;
        const bool acl = attribute == kAccessAcl;
        if (!acl && !attribute.starts_with("user."))
            continue;
        std::string value(65536, '\0'); // the most the kernel keeps for one attribute
        const ssize_t length = ::fgetxattr(from, attribute.c_str(), value.data(), value.size());
        const bool copied = length >= 0 && ::fsetxattr(to, attribute.c_str(), value.data(),
                                                       static_cast<std::size_t>(length), 0) == 0;
        // Her own attributes are kept where the file system lets them be; the ACL must be.
        if (acl && !copied)
            return errno;
        hadAcl = hadAcl || acl;
    }
    if (!hadAcl && ::fremovexattr(to, kAccessAcl) != 0 && errno != ENODATA && errno != ENOTSUP)
        return errno;
    return 0;
}

// Gives the new, still empty file the mode, owner, group and ACL of the one it replaces, or,
// for a new file, makes it its owner's alone. On the descriptors, so a swapped link changes
// nothing.
int KeepOwnership(int file, const std::optional<struct stat>& old, int oldFile)
{
    if (!old)
        return ::fchmod(file, S_IRUSR | S_IWUSR) == 0 ? 0 : errno;
    struct stat made = {};
    if (::fstat(file, &made) != 0)
        return errno;
    // The owner first: a change of owner clears the set-id bits that the mode then restores.
    if ((made.st_uid != old->st_uid || made.st_gid != old->st_gid) &&
        ::fchown(file, old->st_uid, old->st_gid) != 0)
        return errno;
    if (const int error = CopyAttributes(oldFile, file))
        return error;
    return ::fchmod(file, old->st_mode & 07777) == 0 ? 0 : errno;
}

int WriteAll(int file, QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t written =
            ::write(file, bytes.data() + done, static_cast<std::size_t>(bytes.size() - done));
        if (written < 0 && errno != EINTR)
            return errno;
        done += std::max<ssize_t>(written, 0);
    }
    return ::fsync(file) == 0 ? 0 : errno;
}

// The swap is on disk before the change is said done: after a power cut the folder names the
// new file. A folder that cannot be opened for reading (one she may write but not list) cannot
// be synced on its own; the file system's next sync writes it.
int SyncFolder(int folder)
{
    const Descriptor open(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!open)
        return 0;
    return ::fsync(open.get()) == 0 || errno == EINVAL ? 0 : errno;
}

// A folder that may only grow (chattr +a) or not change at all (+i) takes no rename: nothing
// is begun there that could be neither finished nor tidied away.
bool TakesNoRename(int folder)
{
    const Descriptor open(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    int flags = 0;
    return open && ::ioctl(open.get(), FS_IOC_GETFLAGS, &flags) == 0 &&
           (flags & (FS_APPEND_FL | FS_IMMUTABLE_FL)) != 0;
}

// An unnamed file gets its name through /proc/self/fd; without /proc (a chroot, a sandbox that
// hides it) the new bytes go to a named file from the start.
bool CanNameUnnamedFiles()
{
    struct statfs system = {};
    return ::statfs("/proc/self/fd", &system) == 0 && system.f_type == PROC_SUPER_MAGIC;
}

// Said by Commit when what stood in the file's place at the very end was no file to replace
// (a folder, FIFO or link swapped in at the last moment): it is left there.
constexpr int kSwappedIn = -1;

// The new bytes, written aside in the folder and then put in the file's place: a crash, a kill
// or a full disk in the middle leaves the previous file as it was. An unnamed file, where the
// system can name it, gets its name only once it is whole. Every file of a live save is locked
// until it is in place, so that the next save can tell a leftover of a killed one from it.
class Replacement
{
public:
    Replacement(int folder, std::string name) : m_folder(folder), m_name(std::move(name))
    {
        if (CanNameUnnamedFiles())
            m_file = Descriptor(
                ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, S_IRUSR | S_IWUSR));
        if (m_file) // nobody else can have it yet
            ::flock(m_file.get(), LOCK_EX);
        else // a file system without unnamed files; any other cause fails here too
            Name(false);
    }
    // What the temporary name holds by now goes: the new bytes that never took the file's
    // place, or the old file swapped out. Only ever a regular file: what came out of a swap
    // that went back is left where it is.
    ~Replacement()
    {
        struct stat status = {};
        if (!m_temporary.empty() &&
            ::fstatat(m_folder, m_temporary.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode))
            ::unlinkat(m_folder, m_temporary.c_str(), 0);
    }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    int file() const { return m_file.get(); }

    // Puts the written file in the file's place: 0 on success, kSwappedIn, or the system's
    // error code. What stood there is swapped out, not overwritten, and taken away only when
    // it is a regular file of `owner`'s; anything else is swapped back. Where there was
    // nothing, the name is taken only while it is still free.
    int Commit(bool replacing, uid_t owner)
    {
        if (m_temporary.empty() && !Name(true))
            return errno;
        const char* temporary = m_temporary.c_str();
        const char* name = m_name.c_str();
        if (::renameat2(m_folder, temporary, m_folder, name,
                        replacing ? RENAME_EXCHANGE : RENAME_NOREPLACE) != 0) {
            if (errno == EEXIST) // a file came meanwhile: looked at as any old one
                return Commit(true, owner);
            if (errno != EINVAL && errno != ENOSYS)
                return errno;
            // A file system without these (some network and FUSE ones): a plain rename,
            // which replaces whatever stands there by then.
            if (::renameat(m_folder, temporary, m_folder, name) != 0)
                return errno;
            m_temporary.clear();
            return 0;
        }
        if (!replacing) {
            m_temporary.clear();
            return 0;
        }
        // The old file now has the temporary name, and goes with it.
        struct stat out = {};
        if (::fstatat(m_folder, temporary, &out, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(out.st_mode) && out.st_uid == owner)
            return 0;
        ::renameat2(m_folder, temporary, m_folder, name, RENAME_EXCHANGE);
        return kSwappedIn;
    }

private:
    // Gives the unnamed file a temporary name (`link`), or makes a named one; a name already
    // taken is drawn again.
    bool Name(bool link)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name = TemporaryName(m_name);
            if (link ? Link(name) : Create(name)) {
                m_temporary = name;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    // Locked at once; one that the next save's tidying took in the instant before is made
    // again under another name.
    bool Create(const std::string& name)
    {
        m_file = Descriptor(::openat(m_folder, name.c_str(),
                                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                     S_IRUSR | S_IWUSR));
        if (!m_file)
            return false;
        if (::flock(m_file.get(), LOCK_EX | LOCK_NB) == 0 && StandsAt(m_file.get(), m_folder, name))
            return true;
        errno = EEXIST;
        return false;
    }

    bool Link(const std::string& name)
    {
        const std::string self = "/proc/self/fd/" + std::to_string(m_file.get());
        return ::linkat(AT_FDCWD, self.c_str(), m_folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    }

    int m_folder;
    std::string m_name;
    Descriptor m_file;
    std::string m_temporary; // the name the new bytes have until they replace the file
};

// What a save killed before its rename left beside the file: a regular file of the writer's
// names for it, of the same owner, with no other name, that no live save holds locked. Taken
// away after the next good save, by the user who saved.
void RemoveLeftovers(int folder, const std::string& name, uid_t owner)
{
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* entries = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!entries) {
        if (listing >= 0)
            ::close(listing);
        return;
    }
    std::vector<std::string> found;
    while (const dirent* entry = ::readdir(entries))
        if (IsTemporaryName(entry->d_name, name))
            found.emplace_back(entry->d_name);
    ::closedir(entries);
    for (const std::string& leftover : found) {
        const Descriptor file = OpenRegular(folder, leftover);
        struct stat opened = {};
        struct stat named = {};
        if (file && ::fstat(file.get(), &opened) == 0 && opened.st_uid == owner &&
            opened.st_nlink == 1 && ::flock(file.get(), LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(folder, leftover.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(opened, named))
            ::unlinkat(folder, leftover.c_str(), 0);
    }
}

} // namespace

std::optional<WriteFailure> WriteWholeFile(const QString& path, QByteArrayView bytes)
{
    const WriteFailure notRegular{WriteFault::NotRegularFile, u"Not a regular file"_s};
    const Place place = Walk(path, false);
    if (place.error)
        return Failed(place.error);
    if (place.throughSystemFolder || place.rest.empty())
        return notRegular;
    if (place.rest.size() > 1) // a folder on the way is missing
        return Failed(ENOENT);
    const int folder = place.folder.get();
    const std::string& name = place.rest.front();
    const std::optional<uid_t> actFor = ActFor(place);
    if (!actFor)
        return Failed(EACCES);
    const uid_t user = *actFor;
    const Identity identity = IdentityOf(user);

    std::optional<Replacement> replacement;
    std::optional<struct stat> old;
    Descriptor oldFile;
    {
        ActingAs acting(identity);
        if (!acting.ok())
            return Failed(EPERM);
        struct stat status = {};
        if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0)
            old = status;
        else if (errno != ENOENT)
            return Failed(errno);
        // A folder, a device, a FIFO or a socket is left as it is rather than turned into a
        // file, and so is a read-only file. Root writing for her replaces only a file of hers.
        if (old && !S_ISREG(old->st_mode))
            return notRegular;
        if (old && user != ::geteuid() && old->st_uid != user)
            return Failed(EACCES);
        if (old &&
            (!(old->st_mode & S_IWUSR) || ::faccessat(folder, name.c_str(), W_OK, AT_EACCESS) != 0))
            return WriteFailure{WriteFault::ReadOnly, u"The file is read-only"_s};
        if (TakesNoRename(folder))
            return Failed(EPERM);
        // Opened for its attributes; a file she made write-only is hers to replace all the same.
        if (old) {
            oldFile = OpenRegular(folder, name, old);
            if (!oldFile)
                oldFile = OpenRegular(folder, name, old, O_WRONLY);
            if (!oldFile)
                return errno == EINVAL ? notRegular : Failed(errno);
        }
        replacement.emplace(folder, name);
        if (replacement->file() < 0)
            return Failed(errno);
    }
    // Before the first byte: the data is never readable by anyone the old file kept out. As
    // who the program is, so that root keeps a group of the old file that she is not in.
    if (const int error = KeepOwnership(replacement->file(), old, oldFile.get()))
        return Failed(error);
    if (const int error = WriteAll(replacement->file(), bytes))
        return Failed(error);
    ActingAs acting(identity);
    const int error =
        acting.ok() ? replacement->Commit(old.has_value(), old ? old->st_uid : user) : EPERM;
    replacement.reset(); // as her: the temporary name, or the old file now under it, goes
    if (error == kSwappedIn)
        return notRegular;
    if (error)
        return Failed(error);
    if (const int unsynced = SyncFolder(folder))
        return Failed(unsynced);
    RemoveLeftovers(folder, name, user);
    return std::nullopt;
}

std::optional<QByteArray> ReadWholeFile(const QString& path, qint64 limit)
{
    const Place place = Walk(path, false);
    if (place.error || place.throughSystemFolder || place.rest.size() != 1)
        return std::nullopt;
    const std::optional<uid_t> actFor = ActFor(place);
    if (!actFor)
        return std::nullopt;
    Descriptor file;
    {
        const ActingAs acting(IdentityOf(*actFor));
        if (!acting.ok())
            return std::nullopt;
        file = OpenRegular(place.folder.get(), place.rest.front());
    }
    if (!file)
        return std::nullopt;
    QByteArray bytes(static_cast<qsizetype>(limit), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t read =
            ::read(file.get(), bytes.data() + done, static_cast<std::size_t>(bytes.size() - done));
        if (read == 0)
            break;
        if (read < 0 && errno != EINTR)
            return std::nullopt;
        done += std::max<ssize_t>(read, 0);
    }
    bytes.truncate(done);
    return bytes;
}

std::optional<WriteFailure> RemoveWholeFile(const QString& path)
{
    const Place place = Walk(path, false);
    if (place.error)
        return Failed(place.error);
    if (place.rest.size() > 1) // a folder on the way is missing: so is the file
        return std::nullopt;
    if (place.throughSystemFolder || place.rest.empty())
        return WriteFailure{WriteFault::NotRegularFile, u"Not a regular file"_s};
    const std::optional<uid_t> actFor = ActFor(place);
    if (!actFor)
        return Failed(EACCES);
    const ActingAs acting(IdentityOf(*actFor));
    if (!acting.ok())
        return Failed(EPERM);
    const int folder = place.folder.get();
    const std::string& name = place.rest.front();
    struct stat status = {};
    if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
        if (!S_ISREG(status.st_mode))
            return WriteFailure{WriteFault::NotRegularFile, u"Not a regular file"_s};
        if (*actFor != ::geteuid() && status.st_uid != *actFor)
            return Failed(EACCES);
        if (::unlinkat(folder, name.c_str(), 0) != 0 && errno != ENOENT)
            return Failed(errno);
    } else if (errno != ENOENT) {
        return Failed(errno);
    }
    // A copy that a killed save left holds the same bytes: removing the file means it too.
    RemoveLeftovers(folder, name, *actFor);
    return std::nullopt;
}

namespace {

std::string LockNameOf(const std::string& name)
{
    return '.' + name.substr(0, kLongestName - 6) + ".lock";
}

// The lock file beside `name`: made empty and the user's alone where there is none, and only
// ever a regular file, opened without following a link or waiting on a FIFO.
Descriptor OpenLockFile(int folder, const std::string& name)
{
    const std::string lockName = LockNameOf(name);
    Descriptor made(::openat(folder, lockName.c_str(),
                             O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                             S_IRUSR | S_IWUSR));
    if (made || errno != EEXIST)
        return made;
    return OpenRegular(folder, lockName);
}

} // namespace

FileLock::FileLock(const QString& path, std::chrono::milliseconds patience)
{
    const Place place = Walk(path, false);
    if (place.error) {
        m_failure = Failed(place.error);
        return;
    }
    if (place.throughSystemFolder || place.rest.size() != 1) {
        m_failure = place.rest.size() > 1 // a folder on the way is missing
                        ? Failed(ENOENT)
                        : WriteFailure{WriteFault::NotRegularFile, u"Not a regular file"_s};
        return;
    }
    const std::optional<uid_t> actFor = ActFor(place);
    if (!actFor) {
        m_failure = Failed(EACCES);
        return;
    }
    const std::string& name = place.rest.front();
    const std::string lockName = LockNameOf(name);
    const auto open = [&]() -> Descriptor {
        const ActingAs acting(IdentityOf(*actFor));
        if (!acting.ok()) {
            errno = EPERM;
            return Descriptor();
        }
        return OpenLockFile(place.folder.get(), name);
    };
    Descriptor lock = open();
    // Asked again and again rather than waited on, so that the wait has an end. A lock file
    // deleted or replaced while it was waited on is opened again: holding a lock nobody else
    // can find keeps nobody out.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (!lock) {
            m_failure = errno == EINVAL ? WriteFailure{WriteFault::NotRegularFile,
                                                       u"The lock file is not a regular file"_s}
                                        : Failed(errno);
            return;
        }
        if (::flock(lock.get(), LOCK_EX | LOCK_NB) == 0) {
            if (StandsAt(lock.get(), place.folder.get(), lockName))
                break;
            lock = open(); // and tried again within the same patience as a lock held
        } else if (errno != EWOULDBLOCK && errno != EINTR) {
            m_failure = Failed(errno);
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            m_failure = WriteFailure{WriteFault::Busy, u"Another program is changing the file"_s};
            return;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(16));
    }
    m_handle = lock.Release();
    m_folder = ::fcntl(place.folder.get(), F_DUPFD_CLOEXEC, 0);
    m_lockName = lockName;
}

bool FileLock::StillHeld() const
{
    return m_handle >= 0 && m_folder >= 0 &&
           StandsAt(static_cast<int>(m_handle), static_cast<int>(m_folder), m_lockName);
}

FileLock::~FileLock()
{
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle)); // the lock goes with the last descriptor
    if (m_folder >= 0)
        ::close(static_cast<int>(m_folder));
}

bool MakeFolders(const QString& path)
{
    Place place = Walk(QDir::cleanPath(QFileInfo(path).absoluteFilePath()), true);
    if (place.error || place.throughSystemFolder)
        return false;
    const std::optional<uid_t> actFor = ActFor(place);
    if (!actFor)
        return false;
    ActingAs acting(IdentityOf(*actFor));
    if (!acting.ok())
        return false;
    // Each folder is made by the user it is for, owner-only, and entered without following a
    // link: one swapped in for it meanwhile stops the walk.
    for (const std::string& name : place.rest) {
        if (name == "." || name == "..")
            return false;
        if (::mkdirat(place.folder.get(), name.c_str(), S_IRWXU) != 0 && errno != EEXIST)
            return false;
        place.folder = OpenFolder(place.folder.get(), name.c_str());
        if (!place.folder)
            return false;
    }
    return true;
}

} // namespace velmora
