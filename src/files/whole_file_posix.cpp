// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <deque>
#include <fcntl.h>
#include <grp.h>
#include <linux/magic.h>
#include <pwd.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
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
// they lead to, a regular file among them must not be replaced.
bool IsSystemFolder(const std::string& folderPath, int folder)
{
    struct statfs system = {};
    return folderPath.starts_with("/dev/") || folderPath.starts_with("/proc/") ||
           (::fstatfs(folder, &system) == 0 && system.f_type == PROC_SUPER_MAGIC);
}

// Where a path leads, followed as the kernel follows it but one name at a time, from open
// folders: a link swapped in behind the walk is never followed, and what the path is counts,
// not how it is spelled.
struct Place {
    Descriptor folder;              // the deepest folder of the path that exists, open
    std::string folderPath;         // its path with every link resolved, ending in '/'
    std::deque<std::string> rest;   // the names below it that were not entered
    std::optional<uid_t> linkOwner; // the owner other than root of the links followed
    bool linksOfTwoUsers = false;   // links of two users other than root were followed
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
            if (status.st_uid != 0) {
                place.linksOfTwoUsers = place.linksOfTwoUsers ||
                                        place.linkOwner.value_or(status.st_uid) != status.st_uid;
                place.linkOwner = status.st_uid;
            }
            std::string target(PATH_MAX, '\0');
            const ssize_t length =
                ::readlinkat(place.folder.get(), name.c_str(), target.data(), target.size());
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

// Root writing where another user has a say (her folder, or a link of hers on the way) writes
// as that user, as logrotate's su does: the kernel then refuses whatever she could not do
// herself, and what root creates there is hers. Links of one user that lead into the folder of
// another are not followed at all, as systemd's chase() refuses them: root must not write for
// him what she pointed at. Anyone but root writes as who they are. Nothing: refused.
std::optional<uid_t> ActFor(const Place& place)
{
    struct stat folder = {};
    if (::geteuid() != 0)
        return ::geteuid();
    if (::fstat(place.folder.get(), &folder) != 0 || place.linksOfTwoUsers)
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

// A name for the new bytes beside the file, hidden, and short enough for any folder: a long
// final name is cut so that the whole fits. It lives only until the rename.
std::string TemporaryName(const std::string& finalName)
{
    static std::random_device entropy;
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix = ".";
    for (int i = 0; i < 6; ++i)
        suffix += kLetters[entropy() % (sizeof kLetters - 1)];
    const std::size_t keep = std::min(finalName.size(), kLongestName - 1 - suffix.size());
    return '.' + finalName.substr(0, keep) + suffix;
}

// Gives the new, still empty file the mode, owner and group of the one it replaces, or, for a
// new file, makes it its owner's alone. On the descriptor, so a swapped link changes nothing.
int KeepOwnership(int file, const std::optional<struct stat>& old)
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

// The new bytes, written aside in the folder and then renamed over the file: a crash, a kill or
// a full disk in the middle leaves the previous file as it was. An unnamed file, where the file
// system has them, leaves nothing behind at all; it gets its name only once it is whole.
class Replacement
{
public:
    Replacement(int folder, std::string name) : m_folder(folder), m_name(std::move(name))
    {
        m_file =
            Descriptor(::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, S_IRUSR | S_IWUSR));
        if (!m_file) // a file system without unnamed files; any other cause fails here too
            Name(false);
    }
    ~Replacement()
    {
        if (!m_temporary.empty())
            ::unlinkat(m_folder, m_temporary.c_str(), 0);
    }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    int file() const { return m_file.get(); }

    // Puts the written file in the old one's place; the system's error code, 0 on success.
    int Commit()
    {
        if (m_temporary.empty() && !Name(true))
            return errno;
        if (::renameat(m_folder, m_temporary.c_str(), m_folder, m_name.c_str()) != 0)
            return errno;
        m_temporary.clear();
        return 0;
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

    bool Create(const std::string& name)
    {
        m_file = Descriptor(::openat(m_folder, name.c_str(),
                                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                     S_IRUSR | S_IWUSR));
        return bool(m_file);
    }

    // Through /proc, as anyone may; without it, as only root may.
    bool Link(const std::string& name)
    {
        const std::string self = "/proc/self/fd/" + std::to_string(m_file.get());
        return ::linkat(AT_FDCWD, self.c_str(), m_folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
               (errno == ENOENT &&
                ::linkat(m_file.get(), "", m_folder, name.c_str(), AT_EMPTY_PATH) == 0);
    }

    int m_folder;
    std::string m_name;
    Descriptor m_file;
    std::string m_temporary; // the name the new bytes have until they replace the file
};

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
        replacement.emplace(folder, name);
        if (replacement->file() < 0)
            return Failed(errno);
    }
    // Before the first byte: the data is never readable by anyone the old file kept out. As
    // who the program is, so that root keeps a group of the old file that she is not in.
    if (const int error = KeepOwnership(replacement->file(), old))
        return Failed(error);
    if (const int error = WriteAll(replacement->file(), bytes))
        return Failed(error);
    ActingAs acting(identity);
    if (const int error = acting.ok() ? replacement->Commit() : EPERM)
        return Failed(error);
    return std::nullopt;
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
