// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "test_data.h"

#include <QDate>
#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <memory>
#include <set>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kSaved = "\"2004-02-19\"\r\n\"28\"\r\n";

} // namespace

// A copy of the program beside a dear.cfg of its own, as the window keeps it.
class CliTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    const QString m_program = m_dir.filePath("velmora-cli");

    struct Run {
        int status = -1;
        QByteArray out, err;
    };
    // Runs the program, its standard output appended to a file where one is named (or the
    // write end of a pipe whose reader is gone, for "|"), and under a file-size limit where one
    // is given.
    Run RunCli(const QStringList& arguments, const QString& standardOutput = {},
               rlim_t fileSizeLimit = RLIM_INFINITY)
    {
        QProcess cli;
        int closedPipe[2] = {-1, -1};
        if (standardOutput == "|" && ::pipe(closedPipe) == 0)
            ::close(closedPipe[0]);
        else if (!standardOutput.isEmpty())
            cli.setStandardOutputFile(standardOutput, QIODevice::Append);
        const auto closeWriter = qScopeGuard([&closedPipe] {
            if (closedPipe[1] >= 0)
                ::close(closedPipe[1]);
        });
        cli.setChildProcessModifier([fileSizeLimit, writer = closedPipe[1]] {
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            if (writer >= 0)
                ::dup2(writer, STDOUT_FILENO);
        });
        // No systemd of her own here: --reminders never reaches the one of whoever runs this.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", m_dir.path());
        cli.setProcessEnvironment(environment);
        cli.start(m_program, arguments);
        if (!cli.waitForFinished(10000))
            return {}; // and the QProcess kills the hanging program as it goes
        const int status = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
        return {status, cli.readAllStandardOutput(), cli.readAllStandardError()};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFile::copy(QStringLiteral(CLI_PATH), m_program));
        QVERIFY(WriteBytes(m_dir.filePath("dear.cfg"), kSaved));
        QVERIFY(::mkfifo(QFile::encodeName(m_dir.filePath("fifo")).constData(), 0600) == 0);
        QVERIFY(WriteBytes(m_dir.filePath("page.html"), "<html></html>\n"));
        const QByteArray backup = TestData("imports/periodical-backup.json.gz");
        QVERIFY(WriteBytes(m_dir.filePath("short.gz"), backup.chopped(4)));
        // Two thousand members of it, one after another: small, and over 1 MB unpacked.
        QVERIFY(WriteBytes(m_dir.filePath("large.gz"), backup.repeated(2000)));
    }

    void printsWhatWasAskedFor_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("out"); // in standard output
        const QByteArray next = QByteArray(23, ' ') + "下次月经开始日\n";
        const auto row = [](const char* name, QStringList arguments, QByteArray out) {
            QTest::newRow(name) << arguments << out;
        };
        row("the window's six lines", {"2004-02-19", "30"}, TestData("example_lines.txt"));
        row("no arguments: the saved inputs", {}, "2004-03-18" + next);
        row("first day only: the saved length", {"2004-01-01"}, "2004-01-29" + next);
        row("the picker's first day", {"1601-01-01", "28"}, "1601-01-29" + next);
        row("calendar to stdout", {"--ics", "-", "2004-02-19", "30"}, "BEGIN:VCALENDAR\r\n");
        // Through a pipe: plain text, a mark a phase, the weeks under their weekdays.
        row("the cycle's months", {"--month", "2004-02-19", "30"},
            "         2004年2月\n日  一  二  三  四  五  六\n 1   2   3   4   5   6   7\n"
            " 8   9  10  11  12  13  14\n15  16  17  18  19# 20# 21#\n22# 23# 24. 25. 26. 27. 28.\n"
            "29.\n");
        // February 2004 to January 2005: the legend follows January's last week.
        row("twelve months at most", {"--month", "2004-02-19", "400"},
            "2005年1月\n日  一  二  三  四  五  六\n                         1.\n"
            " 2.  3.  4.  5.  6.  7.  8.\n 9. 10. 11. 12. 13. 14. 15.\n16. 17. 18. 19. 20. 21. "
            "22.\n"
            "23. 24. 25. 26. 27. 28. 29.\n30. 31.\n\n# 月经期  . 安全期\n");
        // A cycle too short for a calendar still has its months: 危险期 from its fourth day.
        row("a cycle of 22 days", {"--month", "2004-02-19", "22"},
            "15  16  17  18  19# 20# 21#\n22# 23# 24+ 25+ 26+ 27* 28+\n");
        row("to the next period's month, with the legend", {"--month", "2004-02-19", "30"},
            "20>\n21# 22# 23# 24# 25. 26. 27.\n28. 29. 30. 31+\n\n> 下次月经开始日  * 排卵日");
    }
    void printsWhatWasAskedFor()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, out);
        const Run run = RunCli(arguments);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(out), run.out.constData());
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(ReadBytes(m_dir.filePath("dear.cfg")), kSaved); // only ever read
    }

    void failsWithTheReasonOnStandardError_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("reason"); // in standard error
        const auto row = [](const char* name, QStringList arguments, int status, QByteArray why) {
            QTest::newRow(name) << arguments << status << why;
        };
        const auto ics = [](const char* firstDay, const char* cycle) {
            return QStringList{"--ics", "-", firstDay, cycle};
        };
        row("month 13", {"2004-13-01"}, 2, "'2004-13-01' is not a date YYYY-MM-DD between");
        row("not zero-padded", {"2004-2-19"}, 2, "'2004-2-19' is not a date");
        row("a slash for a dash", {"2004-02/19"}, 2, "'2004-02/19' is not a date");
        row("unknown option", {"--bogus"}, 2, "'bogus'");
        row("three arguments", {"2004-02-19", "30", "x"}, 2, "Too many arguments.");
        row("calendar of 20 days", ics("2004-02-19", "20"), 1, "shorter than 25 days");
        row("calendar of no number", ics("2004-02-19", "abc"), 1, "'abc' is no number");
        row("calendar of a length beyond the calendar", ics("2004-02-19", "3000000"), 1,
            "outside the calendar's years 100 to 9999");
        row("calendar ending on 9999-12-31", ics("9999-11-01", "60"), 1, "9999-12-31");
        row("months of 14 days", {"--month", "2004-02-19", "14"}, 1, "shorter than 15 days");
        row("months and a calendar at once", {"--month", "--ics", "-"}, 2, "one at a time");
        row("unwritable file", {"--ics", "/nonexistent/velmora.ics", "2004-02-19", "30"}, 1,
            "cannot write /nonexistent/velmora.ics");
        row("standard output by name", {"--ics", "/dev/stdout", "2004-02-19", "30"}, 1,
            "(use - for standard output)");
        row("record a day that is none", {"--record", "2004-02-30"}, 2,
            "'2004-02-30' is not a date");
        row("record one good day and one bad", {"--record", "2004-02-19", "--record", "1600-12-31"},
            2, "'1600-12-31' is not a date");
        row("forget a day not written YYYY-MM-DD", {"--forget", "19.2.2004"}, 2, "is not a date");
        row("record and print at once", {"--record", "2004-02-19", "--history"}, 2, "go alone");
        row("record with a calculation", {"--record", "2004-02-19", "2004-02-19"}, 2, "go alone");
        row("record a day after today", {"--record", "9999-12-31"}, 1,
            "9999-12-31 还没到，不能记下。\n"); // a refusal names no file
        row("from a record with no day", {"--from-record"}, 1,
            "再记下 3 次月经开始日，才能预测下次月经。");
        row("from the record and a first day", {"--from-record", "2004-02-19"}, 2,
            "takes no first day");
        row("from the record and print it", {"--from-record", "--history"}, 2, "go alone");
        row("take in a file that is not there", {"--import", "/nonexistent/record.txt"}, 1,
            "无法读取这个文件。 (/nonexistent/record.txt)");
        row("take in a FIFO nobody writes", {"--import", m_dir.filePath("fifo")}, 1,
            "无法读取这个文件。");
        // Another tracker's file is known by what it holds, or brings nothing and says so.
        row("take in a file no reader knows", {"--import", m_dir.filePath("page.html")}, 1,
            "认不出这个文件，没有导入。能导入的有：Velmora 的记录，drip、Clue、Flo、Periodical "
            "导出的文件，以及有日期列的 CSV。");
        row("take in a gzip cut short", {"--import", m_dir.filePath("short.gz")}, 1,
            "压缩文件不完整或已损坏，没有导入。");
        row("take in a gzip over 1 MB unpacked", {"--import", m_dir.filePath("large.gz")}, 1,
            "文件太大（超过 1 MB），没有导入。");
        row("reminders neither on nor off", {"--reminders", "yes"}, 2,
            "--reminders takes on or off, not 'yes'.");
        row("reminders without a systemd of her own", {"--reminders", "on"}, 1,
            "这台电脑没有可用的 systemd 用户服务，无法每天提醒。");
        row("a reminder and a day at once", {"--remind", "--record", "2004-02-19"}, 2, "go alone");
        row("forget a day that is not recorded", {"--forget", "2004-01-01"}, 1,
            "2004-01-01 不在记录里，没有改动。");
        row("record a later day of the same period",
            {"--record", "2004-02-19", "--record", "2004-02-21"}, 1,
            "2004-02-21 在 2004-02-19 起记下的月经期内。");
    }
    void failsWithTheReasonOnStandardError()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QByteArray, reason);
        const Run run = RunCli(arguments);
        QCOMPARE(run.status, status);
        QCOMPARE(run.out, QByteArray()); // nothing else is printed
        QVERIFY2(run.err.startsWith("velmora-cli: ") && run.err.contains(reason),
                 run.err.constData());
        QCOMPARE(ReadBytes(m_dir.filePath("dear.cfg")), kSaved);
        QVERIFY(!QFile::exists(m_dir.filePath("periods.txt"))); // nothing recorded
    }

    // When her record or its lock is what failed, the message names it, not the file she gave.
    void namesTheFileAtFault_data()
    {
        QTest::addColumn<QString>("folder"); // made a folder where a file should be
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        const QString given = QStringLiteral(VELMORA_TEST_DATA "/imports/dates.csv");
        QTest::newRow("the lock, taking a file in")
            << QStringLiteral(".periods.txt.lock") << QStringList{"--import", given}
            << m_dir.filePath(".periods.txt.lock");
        QTest::newRow("the record, taking a file in")
            << QStringLiteral("periods.txt") << QStringList{"--import", given}
            << m_dir.filePath("periods.txt");
        QTest::newRow("the record, reminding")
            << QStringLiteral("periods.txt") << QStringList{"--remind"}
            << m_dir.filePath("periods.txt");
        QTest::newRow("the lock, recording a day")
            << QStringLiteral(".periods.txt.lock") << QStringList{"--record", "2004-02-19"}
            << m_dir.filePath(".periods.txt.lock");
    }
    void namesTheFileAtFault()
    {
        QFETCH(QString, folder);
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        const auto cleanUp = [this, &folder] {
            QDir(m_dir.filePath(folder)).removeRecursively();
            QFile::remove(m_dir.filePath(".periods.txt.lock")); // left by earlier changes
        };
        cleanUp();
        const auto cleanUpAfter = qScopeGuard(cleanUp);
        QVERIFY(QDir(m_dir.path()).mkdir(folder));
        const Run run = RunCli(arguments);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(" (" + named.toUtf8()) && !run.err.contains("dates.csv"),
                 run.err.constData());
    }

    // The manual names every option --help lists.
    void theManualNamesEveryOption()
    {
        const Run help = RunCli({"--help"});
        const QByteArray manual = TestData("../../resources/velmora-cli.1.in");
        QVERIFY(!manual.isEmpty());
        static const QRegularExpression option(QStringLiteral("(?:^|\\s)--([a-z][a-z-]*)"));
        int named = 0;
        for (auto found = option.globalMatch(QString::fromUtf8(help.out)); found.hasNext();
             ++named) {
            const QString name = found.next().captured(1);
            QVERIFY2(manual.contains("\\-\\-" + name.toUtf8().replace("-", "\\-")),
                     qPrintable(name));
        }
        QVERIFY(named > 10);
    }

    void keepsHerRecordBesideDearCfg()
    {
        const QString record = m_dir.filePath("periods.txt");
        const auto cleanUp = qScopeGuard([&record] { QFile::remove(record); });
        QCOMPARE(RunCli({"--record", "2004-03-18", "--record", "2004-01-22"}).status, 0);
        QCOMPARE(RunCli({"--record", "2004-03-18"}).status, 0); // already there: stays once
        QCOMPARE(ReadBytes(record), "2004-01-22\n2004-03-18\n");
        QCOMPARE(QFile::permissions(record) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner); // hers alone
        QCOMPARE(RunCli({"--record", "2004-02-19"}).out, "已记下 2004-02-19。\n");
        QCOMPARE(RunCli({"--forget", "2004-01-22"}).status, 0);
        const Run history = RunCli({"--history"});
        QCOMPARE(history.status, 0);
        QCOMPARE(history.out, "2004-02-19\n2004-03-18  28 天\n"
                              "最近 1 个周期：平均 28 天，最短 28 天，最长 28 天\n"
                              "再记下 1 次月经开始日，才能预测下次月经。\n");
        QCOMPARE(ReadBytes(m_dir.filePath("dear.cfg")), kSaved); // never written
        // A third first day foretells: --from-record calculates with her latest and her average.
        QCOMPARE(RunCli({"--record", "2004-04-15"}).status, 0);
        QCOMPARE(RunCli({"--from-record"}).out, RunCli({"2004-04-15", "28"}).out);
        const QByteArray calendar =
            RunCli({"--from-record", "--ics", "-"}).out.replace("\r\n ", "");
        QVERIFY(calendar.contains("DTSTART;VALUE=DATE:20040513"));
        // Cycles of 28 days: its events say which of its 安全期 days may be fertile.
        QVERIFY(calendar.contains("按你的记录，2004-04-22 到 2004-04-23、2004-05-04 也可能易孕"));
        QCOMPARE(ReadBytes(m_dir.filePath("dear.cfg")), kSaved);
        // The months show her recorded periods, every day of them, from the first one recorded.
        const QByteArray months = RunCli({"--month", "2004-03-18", "28"}).out;
        QVERIFY2(months.startsWith("         2004年2月\n") &&
                     months.contains("15  16  17  18  19@ 20@ 21@") && months.contains("18@") &&
                     months.contains("@ 已记下"),
                 months.constData());
        // A record over the limit is not rewritten: what lay past it would be lost.
        QVERIFY(WriteBytes(record, QByteArray(1 << 20, '\n') + "2004-01-22\n"));
        const Run refused = RunCli({"--record", "2004-04-15"});
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.err.contains("记录文件无法完整读取，为了不丢失其中内容，没有改动它。 (" +
                                      record.toUtf8() + ")"),
                 refused.err.constData());
        QCOMPARE(ReadBytes(record).size(), (1 << 20) + 11);
        QVERIFY(RunCli({"--from-record"}).err.contains("cannot read")); // not "record more days"
        // --clear takes it away, even one too large to read.
        const Run cleared = RunCli({"--clear"});
        QCOMPARE((QPair<int, QByteArray>(cleared.status, cleared.out)),
                 (QPair<int, QByteArray>(0, "记录已清除。\n")));
        QVERIFY(!QFile::exists(record));
    }

    // A record she cannot read is never written over with the nothing that could be read of it:
    // run as her where the test runs as root, who reads anything.
    void neverRewritesARecordItCannotRead()
    {
        const QString her = m_dir.filePath("unreadable");
        const auto cleanUp = qScopeGuard([&her] { QDir(her).removeRecursively(); });
        QVERIFY(QDir().mkpath(her) && QFile::copy(m_program, her + "/velmora-cli"));
        const QByteArray record = QFile::encodeName(her + "/periods.txt");
        QVERIFY(WriteBytes(record, "2004-01-22\n") && ::chmod(record, 0200) == 0);
        const bool root = ::geteuid() == 0;
        QVERIFY(!root || (::chmod(QFile::encodeName(m_dir.path()), 0755) == 0 &&
                          ::chown(QFile::encodeName(her), 65534, 65534) == 0 &&
                          ::chown(record, 65534, 65534) == 0));
        QProcess cli;
        cli.setChildProcessModifier([root] {
            if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(3);
        });
        cli.start(her + "/velmora-cli", {"--record", "2004-02-19"});
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitCode(), 1);
        QVERIFY(::chmod(record, 0600) == 0);
        QCOMPARE(ReadBytes(record), "2004-01-22\n");
    }

    // Whatever a change writes, every later one reads back: a change that would take the record
    // past the limit is refused, and one that shrinks a full record is made.
    void keepsTheRecordWithinWhatItReads_data()
    {
        QTest::addColumn<int>("size"); // of the record before: blank lines, then 2004-01-22
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        constexpr int limit = 1 << 20;
        constexpr int day = 11; // "2004-04-15\n"
        const auto row = [](const char* name, int size, QStringList arguments, int status) {
            QTest::newRow(name) << size << arguments << status;
        };
        row("a day that fills it to the byte", limit - day, {"--record", "2004-04-15"}, 0);
        row("a day one byte too many", limit - day + 1, {"--record", "2004-04-15"}, 1);
        const QString file = m_dir.filePath("take-in.txt");
        row("a file one byte too many", limit - day + 1, {"--import", file}, 1);
        row("the last day out of a full record", limit, {"--forget", "2004-01-22"}, 0);
    }
    void keepsTheRecordWithinWhatItReads()
    {
        QFETCH(int, size);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        const QString record = m_dir.filePath("periods.txt");
        const auto cleanUp = qScopeGuard([&record] { QFile::remove(record); });
        const QByteArray before = QByteArray(size - 11, '\n') + "2004-01-22\n";
        QVERIFY(WriteBytes(record, before));
        QVERIFY(WriteBytes(m_dir.filePath("take-in.txt"), "2004-04-15\n"));
        const Run run = RunCli(arguments);
        QCOMPARE(run.status, status);
        if (status == 0) {
            QCOMPARE(RunCli({"--history"}).status, 0); // and it reads back
        } else {
            QVERIFY2(run.err.contains("记录会超过 1 MB 的上限，没有改动。"), run.err.constData());
            QCOMPARE(ReadBytes(record), before);
        }
    }

    // Writers at once, each told to record or take out its own day: the lock makes each change
    // read what the one before wrote, so that no day is lost and none comes back. As root, some
    // write for her in her folder while she writes herself.
    void keepsEveryDayOfWritersAtOnce_data()
    {
        QTest::addColumn<int>("writers");
        QTest::addColumn<int>("rounds");
        QTest::addColumn<bool>("forgetting"); // the first writer takes out the day recorded before
        QTest::addColumn<bool>("rootForHer");
        QTest::newRow("two recording") << 2 << 20 << false << false;
        QTest::newRow("one forgetting, one recording") << 2 << 20 << true << false;
        QTest::newRow("twenty recording") << 20 << 1 << false << false;
        QTest::newRow("root for her and she herself") << 4 << 5 << true << true;
    }
    void keepsEveryDayOfWritersAtOnce()
    {
        QFETCH(int, writers);
        QFETCH(int, rounds);
        QFETCH(bool, forgetting);
        QFETCH(bool, rootForHer);
        if (rootForHer && ::geteuid() != 0)
            QSKIP("only root can act for another user");
        const QString folder = m_dir.filePath("writers");
        const auto cleanUp = qScopeGuard([&folder] { QDir(folder).removeRecursively(); });
        QVERIFY(QDir().mkpath(folder) && QFile::copy(m_program, folder + "/velmora-cli"));
        if (rootForHer) {
            QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
            QVERIFY(::chown(QFile::encodeName(folder).constData(), 65534, 65534) == 0);
        }
        std::set<QString> kept;
        QDate day(2004, 1, 1);
        for (int round = 0; round < rounds; ++round) {
            std::vector<std::unique_ptr<QProcess>> running;
            std::set<QString> expected = kept;
            for (int writer = 0; writer < writers; ++writer) {
                day = day.addDays(30);
                QStringList arguments = {"--record", day.toString(Qt::ISODate)};
                if (forgetting && writer == 0 && !kept.empty()) {
                    arguments = {"--forget", *kept.begin()};
                    expected.erase(*kept.begin());
                } else {
                    expected.insert(arguments[1]);
                }
                auto& cli = running.emplace_back(std::make_unique<QProcess>());
                if (rootForHer && writer % 2) // she runs this one herself
                    cli->setChildProcessModifier([] {
                        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                            ::_exit(3);
                    });
                cli->start(folder + "/velmora-cli", arguments);
            }
            for (const auto& cli : running) {
                QVERIFY(cli->waitForFinished(20000));
                QCOMPARE(cli->exitCode(), 0);
            }
            const QString text = QString::fromUtf8(ReadBytes(folder + "/periods.txt"));
            const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
            QCOMPARE(std::set<QString>(lines.begin(), lines.end()), expected);
            kept = expected;
        }
    }

    // Another program that holds her record's lock longer than the program waits: the day is
    // not recorded, and she is told why, not that something failed.
    void saysTheRecordIsBusyWhileAnotherHoldsItsLock()
    {
        const QString record = m_dir.filePath("periods.txt");
        QVERIFY(WriteBytes(record, "2004-01-22\n"));
        const int lock = ::open(QFile::encodeName(m_dir.filePath(".periods.txt.lock")).constData(),
                                O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
        const auto cleanUp = qScopeGuard([lock] { ::close(lock); });
        QVERIFY(lock >= 0 && ::flock(lock, LOCK_EX) == 0);
        const Run run = RunCli({"--record", "2004-02-19"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("记录正被另一个 Velmora 改动，请稍后再试。"),
                 run.err.constData());
        QCOMPARE(ReadBytes(record), "2004-01-22\n");
        QFile::remove(record);
    }

    void rootRecordingBesideHerCopyKeepsTheRecordHers()
    {
        if (::geteuid() != 0)
            QSKIP("only root can act for another user");
        // Her copy of the program in her folder, run with sudo: the record is hers, 0600, and
        // her link to a file of root's is not written through.
        const QString her = m_dir.filePath("her");
        const auto cleanUp = qScopeGuard([&her] { QDir(her).removeRecursively(); });
        QVERIFY(QDir().mkpath(her) && QFile::copy(m_program, her + "/velmora-cli"));
        QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
        QVERIFY(::chown(QFile::encodeName(her).constData(), 65534, 65534) == 0);
        QProcess cli;
        cli.start(her + "/velmora-cli", {"--record", "2004-02-19"});
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitCode(), 0);
        struct stat status = {};
        QCOMPARE(::stat(QFile::encodeName(her + "/periods.txt").constData(), &status), 0);
        QCOMPARE(status.st_uid, 65534u);
        QCOMPARE(status.st_mode & 07777, 0600u);
        QVERIFY(WriteBytes(m_dir.filePath("roots"), "root's\n"));
        QVERIFY(QFile::remove(her + "/periods.txt"));
        QVERIFY(QFile::link(m_dir.filePath("roots"), her + "/periods.txt"));
        QVERIFY(::lchown(QFile::encodeName(her + "/periods.txt").constData(), 65534, 65534) == 0);
        cli.start(her + "/velmora-cli", {"--record", "2004-03-18"});
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitCode(), 1);
        QCOMPARE(ReadBytes(m_dir.filePath("roots")), "root's\n");
    }

    void writesTheCalendarItWasAskedFor()
    {
        const QString ics = m_dir.filePath("cycle.ics");
        const Run run = RunCli({"--ics", ics, "2004-02-19", "30"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out + run.err, QByteArray());
        QCOMPARE(WithoutStamps(ReadBytes(ics)), WithoutStamps(TestData("example.ics")));
        // Written again over a calendar whose events a clock far ahead numbered: each event's
        // SEQUENCE still rises past them, so that a calendar program takes the new days.
        const QByteArray ahead = QString::fromUtf8(ReadBytes(ics))
                                     .replace(QRegularExpression(QStringLiteral("SEQUENCE:\\d+")),
                                              QStringLiteral("SEQUENCE:2000000000"))
                                     .toUtf8();
        QVERIFY(WriteBytes(ics, ahead));
        QCOMPARE(RunCli({"--ics", ics, "2004-02-19", "31"}).status, 0);
        QCOMPARE(ReadBytes(ics).count("SEQUENCE:2000000001\r\n"), ahead.count("SEQUENCE:"));
    }

    void tellsAFileSizeLimitAsAFullDisk()
    {
        const QString ics = m_dir.filePath("limited.ics");
        const Run run = RunCli({"--ics", ics, "2004-02-19", "30"}, {}, 1);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("cannot write " + ics.toUtf8() + ": File too large."),
                 run.err.constData());
        // Nothing of it is left, under its name or any other.
        QCOMPARE(QDir(m_dir.path()).entryList({"*limited*"}, QDir::Files | QDir::Hidden),
                 QStringList());
    }

    void failsWhereStandardOutputTakesNothing_data()
    {
        QTest::addColumn<QString>("standardOutput");
        QTest::newRow("a full disk") << "/dev/full";
        QTest::newRow("a pipe nobody reads") << "|";
    }
    void failsWhereStandardOutputTakesNothing()
    {
        QFETCH(QString, standardOutput);
        const QStringList runs[] = {
            {"2004-02-19"}, {"--help"}, {"--version"}, {"--ics", "-", "2004-02-19", "30"}};
        for (const QStringList& arguments : runs)
            QCOMPARE(RunCli(arguments, standardOutput).status, 1);
        QVERIFY(RunCli({"2004-02-19"}, standardOutput)
                    .err.contains("cannot write to standard output."));
    }

    void keepsNothingBesideAProgramWhoseFolderNameIsNoText()
    {
        // Its folder's name has a byte that is no UTF-8: the inputs come from her home instead.
        QVERIFY(QDir().mkpath(m_dir.filePath("home/.config/Velmora")) &&
                WriteBytes(m_dir.filePath("home/.config/Velmora/dear.cfg"), "2004-01-01,28"));
        QProcess cli;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", m_dir.filePath("home"));
        environment.remove("XDG_CONFIG_HOME");
        cli.setProcessEnvironment(environment);
        cli.setWorkingDirectory(m_dir.path());
        cli.start("sh", {"-c",
                         "d=$(printf 'b\\377n') && mkdir \"$d\" && cp \"$0\" \"$d\" && "
                         "cp dear.cfg \"$d\" && exec \"$d/velmora-cli\"",
                         m_program});
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitCode(), 0);
        QVERIFY2(cli.readAllStandardOutput().contains("2004-01-29" + QByteArray(23, ' ')),
                 "the inputs of her home");
    }

    void refusesANameThatIsNoText()
    {
        // A byte that is no UTF-8 would come back as U+FFFD: another name, maybe another file's.
        QVERIFY(WriteBytes(m_dir.filePath("a\uFFFDb.ics"), "hers"));
        QProcess cli;
        cli.setWorkingDirectory(m_dir.path());
        cli.start("sh",
                  {"-c", "exec \"$0\" --ics \"$(printf 'a\\377b.ics')\" 2004-02-19 30", m_program});
        QVERIFY(cli.waitForFinished(10000));
        QCOMPARE(cli.exitCode(), 2);
        QVERIFY(cli.readAllStandardError().contains("not valid text"));
        QCOMPARE(QDir(m_dir.path()).entryList({"a*.ics"}), QStringList({"a\uFFFDb.ics"}));
        QCOMPARE(ReadBytes(m_dir.filePath("a\uFFFDb.ics")), "hers");
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
