// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "test_data.h"
#include "whole_file.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using velmora::WriteFault;
using velmora::WriteWholeFile;

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
    void NeedRoot()
    {
        if (::geteuid() != 0)
            QSKIP("only root can act on another user's files");
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
        QTest::addColumn<WriteFault>("fault");
        auto row = [](const char* name, QString setUp, QString path = "file",
                      WriteFault fault = WriteFault::NotRegularFile) {
            QTest::newRow(name) << setUp << path << fault;
        };
        row("FIFO", "mkfifo file");
        row("symlink to a FIFO", "mkfifo fifo && ln -s fifo file");
        row("folder", "mkdir file");
        row("device node, as /dev/null", "mknod file c 1 3");
        row("standard output by name", "true", "/dev/stdout");
        row("symlink to a descriptor", "ln -s /proc/self/fd/1 file");
        row("a file reached through /proc", "echo old > t && ln -s \"/proc/self/root$PWD/t\" file");
        row("a loop of links", "ln -s file file");
        row("41 links, more than the system follows", "echo old > target && " + Chain(41));
        row("read-only file", "echo old > file && chmod 444 file", "file", WriteFault::ReadOnly);
    }
    void refusesAnythingButARegularFile()
    {
        QFETCH(QString, setUp);
        QFETCH(QString, path);
        QFETCH(WriteFault, fault);
        if (setUp.startsWith("mknod"))
            NeedRoot();
        QVERIFY(SetUp(setUp));
        const QString target = QDir(m_dir.path()).filePath(path);
        const QString before = Describe(target);
        const auto failure = WriteWholeFile(target, kNew);
        QVERIFY(failure);
        QCOMPARE(failure->fault, fault);
        QCOMPARE(Describe(target), before); // no new bytes either: the size is kept
    }

    void newFilesAreTheOwnersAloneWhateverTheUmask_data()
    {
        QTest::addColumn<mode_t>("umask");
        QTest::newRow("umask 022") << mode_t(022);
        QTest::newRow("umask 0") << mode_t(0);
    }
    void newFilesAreTheOwnersAloneWhateverTheUmask()
    {
        QFETCH(mode_t, umask);
        ::umask(umask);
        QCOMPARE(WriteWholeFile(m_path, kNew), std::nullopt);
        QCOMPARE(Status(m_path).st_mode & 07777, 0600u);
        QCOMPARE(ReadBytes(m_path), kNew);
    }

    void replacedFilesKeepModeOwnerAndGroup_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<mode_t>("mode");
        QTest::newRow("through a symlink, 0644 under umask 077")
            << "echo old > target && chmod 644 target && ln -s target file" << mode_t(0644);
        QTest::newRow("through 40 links, the most the system follows")
            << "echo old > target && chmod 644 target && " + Chain(40) << mode_t(0644);
        QTest::newRow("0620 of another group")
            << "echo old > file && chmod 620 file && chgrp 65534 file" << mode_t(0620);
        QTest::newRow("her 0640 file in root's group, by root")
            << "echo old > file && chmod 640 file && chown 65534:0 file" << mode_t(0640);
        QTest::newRow("her 0640 file, by root")
            << "echo old > file && chmod 640 file && chown 65534:65534 file" << mode_t(0640);
    }
    void replacedFilesKeepModeOwnerAndGroup()
    {
        QFETCH(QString, setUp);
        QFETCH(mode_t, mode);
        if (setUp.contains("chgrp") || setUp.contains("chown"))
            NeedRoot();
        QVERIFY(SetUp(setUp));
        ::umask(077);
        const struct stat before = Status(m_path);
        QCOMPARE(WriteWholeFile(m_path, kNew), std::nullopt);
        const struct stat after = Status(m_path);
        QCOMPARE(after.st_mode & 07777, mode);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QCOMPARE(ReadBytes(m_path), kNew);
        QCOMPARE(QFileInfo(m_path).isSymLink(), setUp.contains("ln -s")); // written through
    }

    void rootCreatingInHerHomeMakesFoldersAndFileHersAndHerNextSaveWorks()
    {
        NeedRoot();
        QVERIFY(SetUp("mkdir her && chown 65534:65534 her"));
        const QString folder = m_dir.filePath("her/.config/Velmora");
        QVERIFY(velmora::MakeFolders(folder));
        const QString path = folder + "/file";
        QCOMPARE(WriteWholeFile(path, kNew), std::nullopt);
        const QStringList made = {m_dir.filePath("her/.config"), folder, path};
        QStringList owners;
        for (const QString& one : made)
            owners << Describe(one).section(' ', 0, 3); // mode and owner
        QCOMPARE(owners,
                 QStringList({"mode 40700 owner 65534:65534", "mode 40700 owner 65534:65534",
                              "mode 100600 owner 65534:65534"}));
        QCOMPARE(WriteInChild(path, kOld, BecomeHer), 0); // her own next save
        QCOMPARE(ReadBytes(path), kOld);
    }

    void makesNoFolderBelowAFile()
    {
        QVERIFY(WriteBytes(m_path, kOld));
        QVERIFY(!velmora::MakeFolders(m_path + "/folder"));
        QCOMPARE(ReadBytes(m_path), kOld);
    }

    void namesTheFaultOfAFailedWrite_data()
    {
        QTest::addColumn<bool>("asHer"); // else as root with a file-size limit
        QTest::addColumn<WriteFault>("fault");
        QTest::newRow("no permission in another's folder") << true << WriteFault::NoPermission;
        QTest::newRow("file too large for the disk") << false << WriteFault::NoSpace;
    }
    void namesTheFaultOfAFailedWrite()
    {
        QFETCH(bool, asHer);
        QFETCH(WriteFault, fault);
        if (asHer)
            NeedRoot();
        QVERIFY(WriteBytes(m_path, kOld));
        const int outcome = WriteInChild(m_dir.filePath(asHer ? "other" : "file"), kNew, [&] {
            // A file-size limit below the new bytes fails the write as a full disk does.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{2, 2};
            return setrlimit(RLIMIT_FSIZE, &limit) == 0 && (!asHer || BecomeHer());
        });
        QCOMPARE(outcome, 1 + static_cast<int>(fault));
        QCOMPARE(ReadBytes(m_path), kOld);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"file"});
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
    }
};

QTEST_GUILESS_MAIN(WholeFileTest)
#include "whole_file_test.moc"
