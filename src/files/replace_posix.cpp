// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_file_posix.h"

#include <QtGlobal>
#include <cerrno>
#include <dirent.h>
#include <linux/fs.h>
#include <linux/magic.h>
#include <random>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/statfs.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

using namespace posix;

namespace {

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

// What a save begins with, as the user it is for: the file it replaces, looked at and opened,
// and the new one made beside it.
struct Begun {
    std::optional<struct stat> old;
    Descriptor oldFile;
    std::optional<Replacement> replacement;
};

std::optional<WriteFailure> Begin(int folder, const std::string& name, uid_t user, Begun& begun)
{
    const WriteFailure notRegular{WriteFault::NotRegularFile, u"Not a regular file"_s};
    struct stat status = {};
    if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0)
        begun.old = status;
    else if (errno != ENOENT)
        return Failed(errno);
    const std::optional<struct stat>& old = begun.old;
    // A folder, a device, a FIFO or a socket is left as it is rather than turned into a file,
    // and so is a read-only file. Root writing for her replaces only a file of hers.
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
        begun.oldFile = OpenRegular(folder, name, old);
        if (!begun.oldFile)
            begun.oldFile = OpenRegular(folder, name, old, O_WRONLY);
        if (!begun.oldFile)
            return errno == EINVAL ? notRegular : Failed(errno);
    }
    begun.replacement.emplace(folder, name);
    if (begun.replacement->file() < 0)
        return Failed(errno);
    return std::nullopt;
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

    Begun begun;
    {
        const ActingAs acting(identity);
        if (!acting.ok())
            return Failed(EPERM);
        if (auto failure = Begin(folder, name, user, begun))
            return failure;
    }
    std::optional<Replacement>& replacement = begun.replacement;
    const std::optional<struct stat>& old = begun.old;
    // Before the first byte: the data is never readable by anyone the old file kept out. As
    // who the program is, so that root keeps a group of the old file that she is not in.
    if (const int error = KeepOwnership(replacement->file(), old, begun.oldFile.get()))
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

} // namespace velmora
