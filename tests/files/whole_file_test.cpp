// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "test_data.h"
#include "whole_file.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using velmora::WriteFault;
using velmora::WriteWholeFile;

Q_DECLARE_METATYPE(std::optional<QByteArray>)

namespace {

const QByteArray kOld = "old\n";
const QByteArray kNew = "new\r\n";
// An ordinary user for root to act on: nobody, in the group nogroup.
constexpr uid_t kHer = 65534;
constexpr gid_t kHerGroup = 65534;

// Follows links: a link replaced by a file shows as well as a file changed.
struct stat Status(const QString& path)
{
    struct stat status = {};
    ::stat(QFile::encodeName(path).constData(), &status);
    return status;
}

// What a user sees of a file: kind and mode, owner and group, size, and a device's number.
QString Describe(const QString& path)
{
    const struct stat status = Status(path);
    return QString::asprintf("mode %o owner %u:%u size %lld device %llu", status.st_mode,
                             status.st_uid, status.st_gid, static_cast<long long>(status.st_size),
                             static_cast<unsigned long long>(status.st_rdev));
}

// Every extended attribute of a file but the system's security labels, name and value: her
// ACL (system.posix_acl_access) and her own (user.*).
QMap<QByteArray, QByteArray> Attributes(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    QByteArray names(65536, '\0');
    const ssize_t size = ::llistxattr(native.constData(), names.data(), names.size());
    QMap<QByteArray, QByteArray> attributes;
    for (const QByteArray& name : names.left(std::max<ssize_t>(size, 0)).split('\0')) {
        if (name.isEmpty() || name.startsWith("security."))
            continue;
        QByteArray value(65536, '\0');
        value.truncate(std::max<ssize_t>(
            0, ::lgetxattr(native.constData(), name.constData(), value.data(), value.size())));
        attributes.insert(name, value);
    }
    return attributes;
}

// The hidden and visible names of a folder, sorted.
QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Writes in a child process that first becomes `prepare`d, and returns its exit status: 0
// written, else 1 + the fault, or 99 when it could not prepare.
int WriteInChild(const QString& path, const QByteArray& bytes, const std::function<bool()>& prepare)
{
    const pid_t child = fork();
    if (child == 0) {
        if (!prepare())
            _exit(99);
        const auto failure = WriteWholeFile(path, bytes);
        _exit(failure ? 1 + static_cast<int>(failure->fault) : 0);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A shell command linking "file" to "target" through `links` symbolic links.
QString Chain(int links)
{
    return QString("p=target && for i in $(seq 2 %1); do ln -s $p l$i && p=l$i; done && "
                   "ln -s $p file")
        .arg(links);
}

// Only root can act on another user's files: a test that needs to is skipped for anyone else.
constexpr const char* kOnlyRoot = "only root can act on another user's files";

bool BecomeHer()
{
    return setgid(kHerGroup) == 0 && setuid(kHer) == 0;
}

} // namespace

class WholeFileTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath("file");

    bool SetUp(const QString& command)
    {
        return QProcess::execute("sh", {"-c", "cd \"$0\" && " + command, m_dir.path()}) == 0;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path()));
        // Open to every user, as a home's parent is, so that another user can reach her folder.
        QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
        ::umask(022);
    }

    void refusesAnythingButARegularFile_data()
    {
        QTest::addColumn<QString>("setUp"); // a shell command run in the folder
        QTest::addColumn<QString>("path");  // relative to the folder
        QTest::addColumn<bool>("needsRoot");
        QTest::addColumn<WriteFault>("fault");
        auto row = [](const char* name, QString setUp, QString path = "file",
                      bool needsRoot = false, WriteFault fault = WriteFault::NotRegularFile) {
            QTest::newRow(name) << setUp << path << needsRoot << fault;
        };
        row("FIFO", "mkfifo file");
        row("folder", "mkdir file");
        row("device node, as /dev/null", "mknod file c 1 3", "file", true);
        row("standard output by name", "true", "/dev/stdout");
        row("a new file among the devices", "true", "/dev/velmora-test");
        row("a descriptor through a link to /proc's folder", "ln -s /proc/self/fd L", "L/1");
        row("a descriptor through a link and ..", "ln -s /proc/self/fdinfo info", "info/../fd/1");
        row("a new file in the kernel's sysfs, through a link", "ln -s /sys/kernel K",
            "K/velmora-test");
        row("41 links, more than the system follows", "echo old > target && " + Chain(41));
        row("read-only file", "echo old > file && chmod 444 file", "file", false,
            WriteFault::ReadOnly);
    }
    void refusesAnythingButARegularFile()
    {
        QFETCH(QString, setUp);
        QFETCH(QString, path);
        QFETCH(bool, needsRoot);
        QFETCH(WriteFault, fault);
        if (needsRoot && ::geteuid() != 0)
            QSKIP(kOnlyRoot);
        if (setUp.contains("/sys/") && !QFileInfo("/sys/kernel").isDir())
            QSKIP("no sysfs mounted here");
        QVERIFY(SetUp(setUp));
        const QString target = QDir(m_dir.path()).filePath(path);
        const QString before = Describe(target);
        const auto failure = WriteWholeFile(target, kNew);
        QVERIFY(failure);
        QCOMPARE(failure->fault, fault);
        QCOMPARE(Describe(target), before); // no new bytes either: the size is kept
    }

    void keepsOrSetsModeOwnerAndGroup_data()
    {
        QTest::addColumn<QString>("setUp"); // empty: a new file
        QTest::addColumn<mode_t>("umask");
        QTest::addColumn<bool>("needsRoot");
        QTest::addColumn<mode_t>("mode");
        auto row = [](const char* name, QString setUp, mode_t umask, bool needsRoot, mode_t mode) {
            QTest::newRow(name) << setUp << umask << needsRoot << mode;
        };
        row("new file, even under umask 0: the owner's alone", "", 0, false, 0600);
        row("through 40 links, the most the system follows",
            "echo old > target && chmod 644 target && " + Chain(40), 077, false, 0644);
        row("her 0640 file in root's group, by root",
            "echo old > file && chmod 640 file && chown 65534:0 file", 077, true, 0640);
        row("root's file in another group", "echo old > file && chown 0:65534 file", 077, true,
            0644);
        row("her 6750 file, set-id bits and all, by root",
            "echo old > file && chown 65534:65534 file && chmod 6750 file", 077, true, 06750);
    }
    void keepsOrSetsModeOwnerAndGroup()
    {
        QFETCH(QString, setUp);
        QFETCH(mode_t, umask);
        QFETCH(bool, needsRoot);
        QFETCH(mode_t, mode);
        if (needsRoot && ::geteuid() != 0)
            QSKIP(kOnlyRoot);
        QVERIFY(setUp.isEmpty() || SetUp(setUp));
        ::umask(umask);
        const struct stat before = setUp.isEmpty() ? Status(m_dir.path()) : Status(m_path);
        QCOMPARE(WriteWholeFile(m_path, kNew), std::nullopt);
        const struct stat after = Status(m_path);
        QCOMPARE(after.st_mode & 07777, mode);
        QCOMPARE(after.st_uid, before.st_uid); // a new file: the folder's owner, who wrote it
        QCOMPARE(after.st_gid, before.st_gid);
        QCOMPARE(ReadBytes(m_path), kNew);
        QCOMPARE(QFileInfo(m_path).isSymLink(), setUp.contains("ln -s")); // written through
    }

    void rootCreatingInHerHomeMakesFoldersAndFileHersAndHerNextSaveWorks()
    {
        if (::geteuid() != 0)
            QSKIP(kOnlyRoot);
        // Her dear.cfg a link into her settings, as a dotfile manager leaves it.
        QVERIFY(SetUp("mkdir her && ln -s .config/Velmora/file her/dear.cfg && chown -hR "
                      "65534:65534 her"));
        const std::vector<gid_t> rootGroups = {0, 4};
        QVERIFY(::setgroups(rootGroups.size(), rootGroups.data()) == 0);
        const QString folder = m_dir.filePath("her/.config/Velmora");
        QVERIFY(velmora::MakeFolders(folder));
        const QString path = folder + "/file";
        QCOMPARE(WriteWholeFile(m_dir.filePath("her/dear.cfg"), kNew), std::nullopt);
        const QStringList made = {m_dir.filePath("her/.config"), folder, path};
        QStringList owners;
        for (const QString& one : made)
            owners << Describe(one).section(' ', 0, 3); // mode and owner
        QCOMPARE(owners,
                 QStringList({"mode 40700 owner 65534:65534", "mode 40700 owner 65534:65534",
                              "mode 100600 owner 65534:65534"}));
        QCOMPARE(WriteInChild(path, kOld, BecomeHer), 0); // her own next save
        QCOMPARE(ReadBytes(path), kOld);
        // Made write-only by her, and reached through root's own link in root's folder: still
        // hers, saved as her.
        QVERIFY(SetUp("chmod 200 her/.config/Velmora/file && ln -s her/.config herlink"));
        QCOMPARE(WriteWholeFile(m_dir.filePath("herlink/Velmora/file"), kNew), std::nullopt);
        QCOMPARE(Describe(path).section(' ', 0, 3), "mode 100200 owner 65534:65534");
        // For a user whose group is not her number (Debian's man, 6:12), the user database's.
        QVERIFY(SetUp("mkdir his && chown 6:12 his"));
        QCOMPARE(WriteWholeFile(m_dir.filePath("his/file"), kNew), std::nullopt);
        QCOMPARE(Describe(m_dir.filePath("his/file")).section(' ', 0, 3), "mode 100600 owner 6:12");
        // Root is root again, groups and all: a file of root's own is root's.
        QCOMPARE(WriteWholeFile(m_path, kNew), std::nullopt);
        std::vector<gid_t> groups(8);
        groups.resize(static_cast<std::size_t>(std::max(0, ::getgroups(8, groups.data()))));
        QCOMPARE(groups, rootGroups);
        QCOMPARE(Status(m_path).st_uid, 0u);
    }

    // Her links in her home, planted for root to write through into a folder of root's or of
    // another user's (who has a link alias to his file decoy): what she could not write herself
    // is refused, and their files and folders stay as they were.
    void rootWritesThroughHerLinksOnlyWhatSheCould_data()
    {
        QTest::addColumn<QString>("owner");   // of the folder theirs and its file decoy
        QTest::addColumn<QString>("link");    // her link in her home
        QTest::addColumn<QString>("leadsTo"); // where it leads
        QTest::addColumn<QString>("path");    // what root is asked to write, in her home
        QTest::addColumn<bool>("folder");     // made with MakeFolders, else written
        QTest::addColumn<QString>("linkOwner");
        auto row = [](const char* name, QString owner, QString link, QString to, QString path,
                      bool folder, QString linkOwner = "65534") {
            QTest::newRow(name) << owner << link << to << path << folder << linkOwner;
        };
        row("a link to root's file", "0", "cycle.ics", "../theirs/decoy", "cycle.ics", false);
        row("a link to another user's file", "65533", "cycle.ics", "../theirs/decoy", "cycle.ics",
            false);
        row("a link to another user's own link to his file", "65533", "cycle.ics",
            "../theirs/alias", "cycle.ics", false);
        row("a dangling link into root's folder", "0", "cycle.ics", "../theirs/new", "cycle.ics",
            false);
        row("a link to root's folder, written below", "0", ".config", "../theirs",
            ".config/cycle.ics", false);
        row("a link to root's folder, folders made below", "0", ".config", "../theirs",
            ".config/Velmora", true);
        // Root's own links, which she may rename within her home: hers to answer for.
        row("root's link to root's file, moved by her", "0", "cycle.ics", "../theirs/decoy",
            "cycle.ics", false, "0");
        row("root's link to root's folder as .config, moved by her", "0", ".config", "../theirs",
            ".config/Velmora", true, "0");
    }
    void rootWritesThroughHerLinksOnlyWhatSheCould()
    {
        QFETCH(QString, owner);
        QFETCH(QString, link);
        QFETCH(QString, leadsTo);
        QFETCH(QString, path);
        QFETCH(bool, folder);
        QFETCH(QString, linkOwner);
        if (::geteuid() != 0)
            QSKIP(kOnlyRoot);
        QVERIFY(SetUp(QString("mkdir her theirs && echo old > theirs/decoy && ln -s decoy "
                              "theirs/alias && chown -hR %1:%1 theirs && chown 65534:65534 her && "
                              "ln -s %2 her/%3 && chown -h %4:%4 her/%3")
                          .arg(owner, leadsTo, link, linkOwner)));
        const QString target = m_dir.filePath("her/" + path);
        if (folder)
            QVERIFY(!velmora::MakeFolders(target));
        else
            QCOMPARE(WriteWholeFile(target, kNew)->fault, WriteFault::NoPermission);
        QCOMPARE(QDir(m_dir.filePath("theirs"))
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({"alias", "decoy"}));
        QCOMPARE(ReadBytes(m_dir.filePath("theirs/decoy")), kOld);
        QCOMPARE(Describe(m_dir.filePath("theirs")).section(' ', 0, 3),
                 QString("mode 40755 owner %1:%1").arg(owner));
    }

    void makingFoldersNeverHandsHerRootsFolderWhateverSheSwaps()
    {
        // She swaps the folder root makes for her with a link to root's folder, over and over;
        // root making folders there must never hand her root's folder or make one in it.
        if (::geteuid() != 0)
            QSKIP(kOnlyRoot);
        QVERIFY(SetUp("mkdir her root && chown 65534:65534 her"));
        const QByteArray made = QFile::encodeName(m_dir.filePath("her/x"));
        const QByteArray moved = QFile::encodeName(m_dir.filePath("her/moved"));
        const QByteArray root = QFile::encodeName(m_dir.filePath("root"));
        const pid_t her = fork();
        if (her == 0) {
            if (!BecomeHer())
                _exit(99);
            for (;;) {
                if (::rename(made.constData(), moved.constData()) != 0)
                    continue;
                ::symlink(root.constData(), made.constData());
                ::unlink(made.constData());
                QDir(QString::fromLocal8Bit(moved)).removeRecursively();
            }
        }
        for (int attempt = 0; attempt < 20000; ++attempt)
            velmora::MakeFolders(m_dir.filePath("her/x/sub"));
        ::kill(her, SIGKILL);
        QCOMPARE(waitpid(her, nullptr, 0), her);
        QCOMPARE(Describe(m_dir.filePath("root")).section(' ', 0, 3), "mode 40755 owner 0:0");
        QCOMPARE(QDir(m_dir.filePath("root")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void savingIntoAFolderOfAnotherUserSheMayWriteIsHers()
    {
        // A group's shared folder, owned by another ordinary user.
        if (::geteuid() != 0)
            QSKIP(kOnlyRoot);
        QVERIFY(SetUp("mkdir shared && chown 65533:65534 shared && chmod 2770 shared"));
        const QString path = m_dir.filePath("shared/file");
        QCOMPARE(WriteInChild(path, kNew, BecomeHer), 0);
        QCOMPARE(Status(path).st_uid, kHer);
        QCOMPARE(ReadBytes(path), kNew);
    }

    void replacesAFileWithTheLongestPathTwice()
    {
        // A path of 4095 bytes, the most the system takes, whose name leaves no room for a
        // temporary name beside it spelled out in full.
        constexpr int kFolderSize = 4095 - 1 - 255;
        QString folder = m_dir.path();
        while (folder.size() + 201 < kFolderSize)
            folder += '/' + QString(200, 'd');
        folder += '/' + QString(kFolderSize - folder.size() - 1, 'd');
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + '/' + QString(255, 'f');
        QCOMPARE(path.size(), 4095);
        QCOMPARE(WriteWholeFile(path, kOld), std::nullopt);
        QCOMPARE(WriteWholeFile(path, kNew), std::nullopt);
        QCOMPARE(ReadBytes(path), kNew);
    }

    void aKillAtAnyMomentLeavesAWholeFile()
    {
        // Killed at any moment while it saves two versions in turn, it leaves one of the three.
        QVERIFY(WriteBytes(m_path, kOld));
        const QByteArray other = QByteArray(4096, 'x');
        for (int round = 0; round < 300; ++round) {
            const pid_t saver = fork();
            if (saver == 0) {
                for (unsigned long i = 0;; ++i)
                    WriteWholeFile(m_path, i % 2 ? other : kNew);
            }
            QThread::usleep(round * 16); // killed anywhere in its first 5 ms
            ::kill(saver, SIGKILL);      // no chance to tidy up
            QCOMPARE(waitpid(saver, nullptr, 0), saver);
            QVERIFY2(QByteArrayList({kOld, kNew, other}).contains(ReadBytes(m_path)),
                     qPrintable(QString::number(round)));
        }
        // What the kills left beside it goes with the next good save.
        QCOMPARE(WriteWholeFile(m_path, kNew), std::nullopt);
        QCOMPARE(Entries(m_dir.path()), QStringList({"file"}));
    }

    void theNextSaveTakesAwayOnlyItsOwnLeftovers()
    {
        // Left by killed saves: .file.abc123 and .file.zzz999. Only alike: the rest.
        QVERIFY(SetUp("echo old > file && echo 1 > .file.abc123 && echo 2 > .file.zzz999 && "
                      "echo 3 > .file.abc12 && echo 4 > .other.abc123 && echo 5 > .file.ABC123 "
                      "&& ln -s file .file.lnk000 && mkfifo .file.fifo00 && mkdir .file.dir000 "
                      "&& echo 6 > .file.hard00 && ln .file.hard00 hard && echo 7 > .file.held00"));
        // One that a live save holds locked.
        QFile held(m_dir.filePath(".file.held00"));
        QVERIFY(held.open(QIODevice::ReadOnly) && ::flock(held.handle(), LOCK_EX) == 0);
        QCOMPARE(WriteWholeFile(m_path, kNew), std::nullopt);
        QCOMPARE(Entries(m_dir.path()),
                 QStringList({".file.ABC123", ".file.abc12", ".file.dir000", ".file.fifo00",
                              ".file.hard00", ".file.held00", ".file.lnk000", ".other.abc123",
                              "file", "hard"}));
    }

    void neverReplacesWhatIsSwappedInAtTheLastMoment()
    {
        // She swaps a FIFO with her file, back and forth, while it is saved over and over:
        // whenever the swap comes, the FIFO is never replaced.
        QVERIFY(SetUp("echo old > file && mkfifo fifo"));
        const QByteArray file = QFile::encodeName(m_path);
        const QByteArray fifo = QFile::encodeName(m_dir.filePath("fifo"));
        const pid_t her = fork();
        if (her == 0) {
            for (;;)
                ::renameat2(AT_FDCWD, file.constData(), AT_FDCWD, fifo.constData(),
                            RENAME_EXCHANGE);
        }
        for (int save = 0; save < 1000; ++save)
            WriteWholeFile(m_path, kNew);
        ::kill(her, SIGKILL);
        QCOMPARE(waitpid(her, nullptr, 0), her);
        int fifos = 0;
        for (const QString& name : Entries(m_dir.path()))
            fifos += S_ISFIFO(Status(m_dir.filePath(name)).st_mode) ? 1 : 0;
        QCOMPARE(fifos, 1);
    }

    // What the old file carries beyond its bytes is kept exactly: her ACL and her own
    // attributes. A folder's default ACL opens neither a replaced file nor a new one.
    void keepsTheAclAndAttributesOfWhatItReplaces_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<bool>("userAttribute"); // set on the old file
        auto row = [](const char* name, QString setUp, bool userAttribute = false) {
            QTest::newRow(name) << setUp << userAttribute;
        };
        row("her ACL for another user, her group kept out",
            "echo old > file && chmod 640 file && setfacl -m u:65533:r--,g::--- file");
        row("a plain 0640 file in a folder whose default ACL lets another user read",
            "echo old > file && chmod 640 file && setfacl -d -m u:65533:rw .");
        row("a new file in that folder", "setfacl -d -m u:65533:rw .");
        row("her own attribute", "echo old > file", true);
    }
    void keepsTheAclAndAttributesOfWhatItReplaces()
    {
        QFETCH(QString, setUp);
        QFETCH(bool, userAttribute);
        const QByteArray folder = QFile::encodeName(m_dir.path());
        if (::getxattr(folder.constData(), "system.posix_acl_access", nullptr, 0) < 0 &&
            errno == ENOTSUP)
            QSKIP("this file system keeps no ACLs");
        QVERIFY(SetUp(setUp));
        const QByteArray file = QFile::encodeName(m_path);
        if (userAttribute && (::setxattr(file.constData(), "user.origin", "hers", 4, 0) != 0 ||
                              ::setxattr(file.constData(), "user.empty", "", 0, 0) != 0))
            QSKIP("this file system keeps no user attributes");
        const bool isNew = !QFileInfo::exists(m_path);
        const auto before = Attributes(m_path);
        // Whether the user the ACLs name can read it, as he would try: only root can ask.
        const auto heCanRead = [&file] {
            const pid_t him = fork();
            if (him == 0)
                _exit(setuid(65533) == 0 && ::open(file.constData(), O_RDONLY) >= 0 ? 0 : 1);
            int status = -1;
            return waitpid(him, &status, 0) == him && status == 0;
        };
        const bool couldRead = ::geteuid() == 0 && !isNew && heCanRead();
        QCOMPARE(WriteWholeFile(m_path, kNew), std::nullopt);
        if (!isNew)
            QCOMPARE(Attributes(m_path), before);
        if (::geteuid() == 0)
            QCOMPARE(heCanRead(), couldRead);
    }

    void readsOnlyARegularFileItCouldWrite_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("needsRoot");
        QTest::addColumn<std::optional<QByteArray>>("read"); // the first 3 bytes
        auto row = [](const char* name, QString setUp, QString path, bool needsRoot,
                      std::optional<QByteArray> read = {}) {
            QTest::newRow(name) << setUp << path << needsRoot << read;
        };
        row("a file, cut at the limit", "echo old > file", "file", false, "old");
        row("a FIFO that nobody writes", "mkfifo file", "file", false);
        row("standard input by name", "true", "/dev/stdin", false);
        row("her own file, read by root",
            "mkdir her && echo old > her/file && chmod 600 her/file && chown -R 65534 her",
            "her/file", true, "old");
        row("her link to root's file, read by root",
            "mkdir her theirs && echo secret > theirs/file && chmod 600 theirs/file && "
            "chown 65534 her && ln -s ../theirs/file her/file && chown -h 65534 her/file",
            "her/file", true);
    }
    void readsOnlyARegularFileItCouldWrite()
    {
        QFETCH(QString, setUp);
        QFETCH(QString, path);
        QFETCH(bool, needsRoot);
        QFETCH(std::optional<QByteArray>, read);
        if (needsRoot && ::geteuid() != 0)
            QSKIP(kOnlyRoot);
        QVERIFY(SetUp(setUp));
        QCOMPARE(velmora::ReadWholeFile(QDir(m_dir.path()).filePath(path), 3), read);
    }

    // 清除记录: the file goes only where a save could have replaced it.
    void removesOnlyWhatASaveCouldReplace_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("needsRoot");
        QTest::addColumn<int>("fault"); // -1: removed, or nothing to remove
        QTest::addColumn<QStringList>("left");
        const int none = -1;
        const int notRegular = static_cast<int>(WriteFault::NotRegularFile);
        auto row = [](const char* name, QString setUp, QString path, bool needsRoot, int fault,
                      QStringList left) {
            QTest::newRow(name) << setUp << path << needsRoot << fault << left;
        };
        row("her file", "echo old > file && echo old > other", "file", false, none, {"other"});
        row("her file and what a killed save left of it",
            "echo old > file && echo old > .file.k1lled", "file", false, none, {});
        row("nothing there", "true", "file", false, none, {});
        row("a folder on the way missing", "true", "gone/file", false, none, {});
        row("a FIFO", "mkfifo file", "file", false, notRegular, {"file"});
        row("a folder", "mkdir file", "file", false, notRegular, {"file"});
        row("a link: the file it leads to goes", "echo old > target && ln -s target file", "file",
            false, none, {"file"});
        row("a device by name", "true", "/dev/null", false, notRegular, {});
        row("her own file, by root", "mkdir her && echo old > her/file && chown -R 65534 her",
            "her/file", true, none, {"her"});
        row("her link to root's file, by root",
            "mkdir her theirs && echo old > theirs/file && chown 65534 her && "
            "ln -s ../theirs/file her/file && chown -h 65534 her/file",
            "her/file", true, static_cast<int>(WriteFault::NoPermission), {"her", "theirs"});
    }
    void removesOnlyWhatASaveCouldReplace()
    {
        QFETCH(QString, setUp);
        QFETCH(QString, path);
        QFETCH(bool, needsRoot);
        QFETCH(int, fault);
        QFETCH(QStringList, left);
        if (needsRoot && ::geteuid() != 0)
            QSKIP(kOnlyRoot);
        QVERIFY(SetUp(setUp));
        const auto failure = velmora::RemoveWholeFile(QDir(m_dir.path()).filePath(path));
        QCOMPARE(failure ? static_cast<int>(failure->fault) : -1, fault);
        QCOMPARE(Entries(m_dir.path()), left);
        if (QFile::exists(m_dir.filePath("theirs/file")))
            QCOMPARE(ReadBytes(m_dir.filePath("theirs/file")), kOld);
    }

    // The lock of a read-change-write: only ever a regular file beside the file, made where there
    // is none; what stands in its place is never followed or waited on, and a lock another
    // holds is waited for only so long.
    void locksBesideTheFileOnlyWithARegularFile_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("heldElsewhere");
        QTest::addColumn<int>("fault"); // -1: held
        auto row = [](const char* name, QString setUp, QString path, bool heldElsewhere,
                      int fault) {
            QTest::newRow(name) << setUp << path << heldElsewhere << fault;
        };
        const int notRegular = static_cast<int>(WriteFault::NotRegularFile);
        row("none yet: made", "true", "file", false, -1);
        row("held by another", "true", "file", true, static_cast<int>(WriteFault::Busy));
        row("a FIFO in its place", "mkfifo .file.lock", "file", false, notRegular);
        row("a link in its place", "ln -s elsewhere .file.lock", "file", false, notRegular);
        row("a folder on the way missing", "true", "gone/file", false,
            static_cast<int>(WriteFault::Other));
    }
    void locksBesideTheFileOnlyWithARegularFile()
    {
        QFETCH(QString, setUp);
        QFETCH(QString, path);
        QFETCH(bool, heldElsewhere);
        QFETCH(int, fault);
        QVERIFY(SetUp(setUp));
        const int other = heldElsewhere ? ::open(QFile::encodeName(m_dir.filePath(".file.lock")),
                                                 O_RDONLY | O_CREAT | O_CLOEXEC, 0600)
                                        : -1;
        const auto closeOther = qScopeGuard([other] { ::close(other); });
        QVERIFY(!heldElsewhere || ::flock(other, LOCK_EX) == 0);
        const velmora::FileLock lock(QDir(m_dir.path()).filePath(path),
                                     std::chrono::milliseconds(200));
        QCOMPARE(lock.failure() ? static_cast<int>(lock.failure()->fault) : -1, fault);
        QVERIFY(!QFile::exists(m_dir.filePath("elsewhere")));
    }

    // A lock file a clean-up tool deletes while a change holds it keeps nobody out: the holder
    // learns it before it writes, and the next change locks a new file, not the lost one.
    void aLockWhoseFileWasDeletedIsNoLongerHeld()
    {
        const QString path = m_dir.filePath("file");
        const velmora::FileLock first(path, std::chrono::milliseconds(200));
        QVERIFY(!first.failure() && first.StillHeld());
        QVERIFY(QFile::remove(m_dir.filePath(".file.lock")));
        QVERIFY(!first.StillHeld());
        const velmora::FileLock second(path, std::chrono::milliseconds(200));
        QVERIFY(!second.failure() && second.StillHeld());
        QVERIFY(!first.StillHeld());
    }

    void anAppendOnlyFolderIsToldAndLeftAsItWas()
    {
        if (::geteuid() != 0)
            QSKIP("only root can make a folder append-only");
        QVERIFY(SetUp("mkdir kept && echo old > kept/file"));
        if (!SetUp("chattr +a kept 2>/dev/null"))
            QSKIP("this file system has no append-only folders");
        const auto undo = qScopeGuard([this] { SetUp("chattr -a kept"); });
        const auto failure = WriteWholeFile(m_dir.filePath("kept/file"), kNew);
        QVERIFY(failure);
        QCOMPARE(failure->fault, WriteFault::NoPermission);
        QCOMPARE(failure->reason, "Operation not permitted");
        QCOMPARE(Entries(m_dir.filePath("kept")), QStringList({"file"}));
    }

    void rootSavesForHerWhereProcIsMissing()
    {
        if (::geteuid() != 0)
            QSKIP(kOnlyRoot);
        QVERIFY(SetUp("mkdir her && chown 65534:65534 her"));
        const QString path = m_dir.filePath("her/file");
        // A chroot without /proc, as a private mount of an empty folder over it.
        const int status = WriteInChild(path, kNew, [] {
            return ::unshare(CLONE_NEWNS) == 0 &&
                   ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                   ::mount("none", "/proc", "tmpfs", 0, nullptr) == 0;
        });
        if (status == 99)
            QSKIP("no mount namespace of its own here");
        QCOMPARE(status, 0);
        QCOMPARE(Describe(path).section(' ', 0, 3), "mode 100600 owner 65534:65534");
        QCOMPARE(ReadBytes(path), kNew);
    }
};

QTEST_GUILESS_MAIN(WholeFileTest)
#include "whole_file_test.moc"
