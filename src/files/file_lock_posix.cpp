// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_file_posix.h"

#include <cerrno>
#include <chrono>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

using namespace posix;

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

} // namespace velmora
