// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "test_data.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
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
    Run RunCli(const QStringList& arguments, const QString& standardOutput = {})
    {
        QProcess cli;
        if (!standardOutput.isEmpty())
            cli.setStandardOutputFile(standardOutput);
        cli.start(m_program, arguments);
        if (!cli.waitForFinished(10000))
            return {}; // and the QProcess kills the hanging program as it goes
        return {cli.exitCode(), cli.readAllStandardOutput(), cli.readAllStandardError()};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFile::copy(QStringLiteral(CLI_PATH), m_program));
        QVERIFY(WriteBytes(m_dir.filePath("dear.cfg"), kSaved));
    }

    void answersWithOutputOrAReason_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out"); // in standard output after a success
        QTest::addColumn<QByteArray>("err"); // in standard error after a failure
        struct Row {
            const char* name;
            QStringList arguments = {};
            int status = 0;
            QByteArray out = {};
            QByteArray err = {};
        };
        const QByteArray next = QByteArray(23, ' ') + "下次月经开始日\n";
        const auto ics = [](const char* cycle) {
            return QStringList{"--ics", "-", "2004-02-19", cycle};
        };
        const Row rows[] = {
            {.name = "the window's six lines",
             .arguments = {"2004-02-19", "30"},
             .out = TestData("example_lines.txt")},
            {.name = "no arguments: the saved inputs", .out = "2004-03-18" + next},
            {.name = "first day only: the saved length",
             .arguments = {"2004-01-01"},
             .out = "2004-01-29" + next},
            {.name = "earliest first day",
             .arguments = {"1601-01-01", "30"},
             .out = "1601-01-31" + next},
            {.name = "no number: the lines for 0 days",
             .arguments = {"2004-02-19", "abc"},
             .out = "2004-02-19" + next},
            {.name = "calendar to stdout", .arguments = ics("30"), .out = "BEGIN:VCALENDAR\r\n"},
            {.name = "version",
             .arguments = {"--version"},
             .out = "velmora-cli " VELMORA_VERSION "\n"},
            {.name = "help with Qt's options", .arguments = {"--help-all"}, .out = "Usage: "},
            {.name = "month 13", .arguments = {"2004-13-01"}, .status = 2, .err = "'2004-13-01'"},
            {.name = "before the picker's range", .arguments = {"1600-12-31"}, .status = 2},
            {.name = "not zero-padded", .arguments = {"2004-2-19"}, .status = 2},
            {.name = "unknown option", .arguments = {"--bogus"}, .status = 2, .err = "'bogus'"},
            {.name = "three arguments", .arguments = {"2004-02-19", "30", "x"}, .status = 2},
            {.name = "calendar of 20 days: out of order",
             .arguments = ics("20"),
             .status = 1,
             .err = "shorter than 25 days"},
            {.name = "calendar of no number: says so",
             .arguments = ics("abc"),
             .status = 1,
             .err = "'abc' is no number"},
            {.name = "calendar of a fullwidth digit: no number either",
             .arguments = ics("０"),
             .status = 1,
             .err = "'０' is no number"},
            {.name = "calendar of a length beyond the calendar",
             .arguments = ics("3000000"),
             .status = 1,
             .err = "3000000 days ends outside"},
            {.name = "calendar past libical's own year 3000",
             .arguments = {"--ics", "-", "3001-01-01", "30"},
             .out = "DTSTART;VALUE=DATE:30010101\r\n"},
            {.name = "calendar ending on 9999-12-31: refused",
             .arguments = {"--ics", "-", "9999-11-01", "60"},
             .status = 1,
             .err = "9999-12-31"},
            {.name = "unwritable file",
             .arguments = {"--ics", "/nonexistent/velmora.ics", "2004-02-19", "30"},
             .status = 1,
             .err = "cannot write /nonexistent/velmora.ics"},
            {.name = "standard output by name: use -",
             .arguments = {"--ics", "/dev/stdout", "2004-02-19", "30"},
             .status = 1,
             .err = "(use - for standard output)"},
        };
        for (const Row& row : rows)
            QTest::newRow(row.name) << row.arguments << row.status << row.out << row.err;
    }
    void answersWithOutputOrAReason()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, err);
        const Run run = RunCli(arguments);
        QCOMPARE(run.status, status);
        if (status == 0) {
            QVERIFY2(run.out.contains(out), run.out.constData());
            QCOMPARE(run.err, QByteArray());
        } else {
            // A failure says why on standard error and prints nothing else.
            QCOMPARE(run.out, QByteArray());
            QVERIFY2(run.err.startsWith("velmora-cli: ") && run.err.contains(err),
                     run.err.constData());
        }
        QCOMPARE(ReadBytes(m_dir.filePath("dear.cfg")), kSaved); // only ever read
    }

    void leavesAnythingButARegularFileAsItWas_data()
    {
        QTest::addColumn<QString>("setUp"); // makes `target` in the folder
        QTest::newRow("FIFO") << "mkfifo target";
        QTest::newRow("device node") << "mknod target c 1 3";
    }
    void leavesAnythingButARegularFileAsItWas()
    {
        QFETCH(QString, setUp);
        if (setUp.startsWith("mknod") && ::geteuid() != 0)
            QSKIP("only root can make a device node");
        const QString target = m_dir.filePath("target");
        QCOMPARE(
            QProcess::execute("sh", {"-c", "cd \"$0\" && rm -rf target && " + setUp, m_dir.path()}),
            0);
        const QFileInfo before(target);
        const Run run = RunCli({"--ics", target, "2004-02-19", "30"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("Not a regular file"), run.err.constData());
        QVERIFY(!QFileInfo(target).isFile()); // not replaced by a file, nor written to
        QCOMPARE(QFileInfo(target).lastModified(), before.lastModified());
    }

    void writesAFileWholeAndFailsOnAFullStandardOutput()
    {
        const QString ics = m_dir.filePath("cycle.ics");
        const mode_t umask = ::umask(022);
        QCOMPARE(RunCli({"--ics", ics, "2004-02-19", "30"}).status, 0);
        ::umask(umask);
        QVERIFY(ReadBytes(ics).startsWith("BEGIN:VCALENDAR\r\n"));
        // Health data: the owner's alone, whatever the umask lets others see.
        QCOMPARE(QFileInfo(ics).permissions() & 0x0077, QFileDevice::Permissions());
        const QStringList runs[] = {{"2004-02-19"}, {"--help"}, {"--ics", "-", "2004-02-19", "30"}};
        for (const QStringList& arguments : runs)
            QCOMPARE(RunCli(arguments, "/dev/full").status, 1);
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
