// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings_file.h"
#include "test_data.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using velmora::LoadSettings;
using velmora::SaveSettings;

namespace {

const QByteArray kOld = "\"2001-01-01\"\r\n\"21\"\r\n";

} // namespace

class SettingsFileTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath("dear.cfg");
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(m_path);
    }

    void savesExactBytes_data()
    {
        QTest::addColumn<QString>("cycleText");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("example, 20 bytes") << "30" << TestData("example_dear.cfg");
        QTest::newRow("28.5 rounds to even 28") << "28.5" << QByteArray("\"2004-02-19\"\r\n\"28\"\r\n");
        QTest::newRow("29.5 rounds to even 30") << "29.5" << QByteArray("\"2004-02-19\"\r\n\"30\"\r\n");
        QTest::newRow("negative kept") << "-5" << QByteArray("\"2004-02-19\"\r\n\"-5\"\r\n");
        QTest::newRow("not a number: empty record")
            << "28天" << QByteArray("\"2004-02-19\"\r\n\"\"\r\n");
        QTest::newRow("beyond 16 bits: empty record")
            << "40000" << QByteArray("\"2004-02-19\"\r\n\"\"\r\n");
    }
    void savesExactBytes()
    {
        QFETCH(QString, cycleText);
        QFETCH(QByteArray, bytes);
        QVERIFY(WriteBytes(m_path, "an older, longer file that must be replaced whole"));
        SaveSettings(m_path, "2004-02-19", cycleText);
        QCOMPARE(ReadBytes(m_path), bytes);
    }

    void loads_data()
    {
        QTest::addColumn<std::optional<QByteArray>>("bytes"); // nothing: no file at all
        QTest::addColumn<std::optional<QDate>>("date");
        QTest::addColumn<std::optional<QString>>("cycleText");
        using Date = std::optional<QDate>;
        using Text = std::optional<QString>;
        const QDate example(2004, 2, 19);
        QTest::newRow("no file") << std::optional<QByteArray>() << Date() << Text();
        QTest::newRow("example") << std::optional(TestData("example_dear.cfg")) << Date(example)
                                 << Text("30");
        QTest::newRow("first record only")
            << std::optional<QByteArray>("\"2004-02-19\"\r\n") << Date(example) << Text();
        QTest::newRow("empty first field: nothing at all")
            << std::optional<QByteArray>("\"\"\r\n\"30\"\r\n") << Date() << Text();
        QTest::newRow("first field not a date, length still read")
            << std::optional<QByteArray>("\"hello\"\r\n\"25\"\r\n") << Date() << Text("25");
        QTest::newRow("second field out of range")
            << std::optional<QByteArray>("\"2004-02-19\"\r\n\"40000\"\r\n") << Date(example)
            << Text();
        QTest::newRow("unquoted line") << std::optional<QByteArray>("2004-02-19,30")
                                       << Date(example) << Text("30");
        QTest::newRow("locale's short date, two-digit year as 19xx")
            << std::optional<QByteArray>("2/19/04,30") << Date(QDate(1904, 2, 19)) << Text("30");
        QTest::newRow("Notepad's byte-order mark skipped")
            << std::optional<QByteArray>("\xEF\xBB\xBF\"2004-02-19\"\r\n\"30\"\r\n")
            << Date(example) << Text("30");
        QTest::newRow("byte-order mark only at the very start")
            << std::optional<QByteArray>(" \xEF\xBB\xBF\"2004-02-19\"\r\n\"30\"\r\n") << Date()
            << Text("30");
        QTest::newRow("record beyond the first 64 KiB is not read")
            << std::optional(QByteArray(64 * 1024, ' ') + "\"2004-02-19\"\r\n\"30\"\r\n")
            << Date() << Text();
    }
    void loads()
    {
        QFETCH(std::optional<QByteArray>, bytes);
        QFETCH(std::optional<QDate>, date);
        QFETCH(std::optional<QString>, cycleText);
        if (bytes)
            QVERIFY(WriteBytes(m_path, *bytes));
        const velmora::LoadedSettings loaded = LoadSettings(m_path);
        QCOMPARE(loaded.date, date);
        QCOMPARE(loaded.cycleLengthText, cycleText);
    }

    void onlyRegularFilesAreReplaced_data()
    {
        QTest::addColumn<bool>("viaSymlink");
        QTest::newRow("FIFO named dear.cfg") << false;
        QTest::newRow("symlink to a FIFO") << true;
    }
    void onlyRegularFilesAreReplaced()
    {
        QFETCH(bool, viaSymlink);
        const QString fifo = m_dir.filePath(viaSymlink ? "fifo" : "dear.cfg");
        QFile::remove(fifo);
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        if (viaSymlink)
            QVERIFY(QFile::link(fifo, m_path));
        SaveSettings(m_path, "2004-02-19", "30");
        QVERIFY(!QFileInfo(fifo).isFile());
        QCOMPARE(QFileInfo(m_path).isSymLink(), viaSymlink);
        QVERIFY(QFile::remove(fifo));
        QFile::remove(m_path);
    }

    void symlinkToAFileIsWrittenThrough()
    {
        const QString target = m_dir.filePath("target.cfg");
        QVERIFY(WriteBytes(target, kOld));
        QVERIFY(QFile::link(target, m_path));
        SaveSettings(m_path, "2004-02-19", "30");
        QVERIFY(QFileInfo(m_path).isSymLink());
        QCOMPARE(ReadBytes(target), TestData("example_dear.cfg"));
        QFile::remove(m_path);
        QFile::remove(target);
    }

    void folderNamedLikeTheFileIsLeftAlone()
    {
        QVERIFY(QDir(m_dir.path()).mkdir("dear.cfg"));
        QVERIFY(!LoadSettings(m_path).date);
        SaveSettings(m_path, "2004-02-19", "30");
        QVERIFY(QFileInfo(m_path).isDir());
        QVERIFY(QDir(m_dir.path()).rmdir("dear.cfg"));
    }

    void readOnlyFileIsLeftUntouched()
    {
        QVERIFY(WriteBytes(m_path, kOld));
        QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadUser));
        SaveSettings(m_path, "2004-02-19", "30");
        QCOMPARE(ReadBytes(m_path), kOld);
    }

    void fullDiskKeepsTheOldFile()
    {
        // A file-size limit below the 20 bytes fails the write the way a full disk does.
        QVERIFY(WriteBytes(m_path, kOld));
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{10, 10};
            setrlimit(RLIMIT_FSIZE, &limit);
            SaveSettings(m_path, "2004-02-19", "30");
            _exit(0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QCOMPARE(ReadBytes(m_path), kOld);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"dear.cfg"});
    }

    void unwritableFolderWritesNothing()
    {
        // A folder path that runs through a regular file cannot be created, even by root.
        QVERIFY(WriteBytes(m_path, "not a folder"));
        const QString inside = m_path + "/sub/dear.cfg";
        SaveSettings(inside, "2004-02-19", "30");
        QVERIFY(!QFileInfo::exists(inside));
        QCOMPARE(ReadBytes(m_path), QByteArray("not a folder"));
    }

    void missingFolderIsCreated()
    {
        const QString nested = m_dir.filePath("config/velmora/dear.cfg");
        SaveSettings(nested, "2004-02-19", "30");
        QCOMPARE(ReadBytes(nested), TestData("example_dear.cfg"));
    }
};

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "settings_file_test.moc"
