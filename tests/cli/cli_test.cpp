// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "test_data.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run RunCli(const QStringList& arguments, const QString& program = QStringLiteral(CLI_PATH),
           const QString& standardOutput = {})
{
    QProcess cli;
    if (!standardOutput.isEmpty())
        cli.setStandardOutputFile(standardOutput);
    cli.start(program, arguments);
    if (!cli.waitForFinished(10000)) {
        cli.kill(); // no orphan left spinning
        cli.waitForFinished();
        return {};
    }
    return {cli.exitCode(), cli.readAllStandardOutput(), cli.readAllStandardError()};
}

} // namespace

class CliTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printsTheWindowsSixLines()
    {
        const Run run = RunCli({"2004-02-19", "30"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, TestData("example_lines.txt"));
    }

    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::newRow("calendar to standard output")
            << QStringList{"--ics", "-", "2004-02-19", "30"} << 0;
        QTest::newRow("version") << QStringList{"--version"} << 0;
        QTest::newRow("month 13") << QStringList{"2004-13-01"} << 2;
        QTest::newRow("before the picker's range") << QStringList{"1600-12-31"} << 2;
        QTest::newRow("not zero-padded") << QStringList{"2004-2-19"} << 2;
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2;
        QTest::newRow("three arguments") << QStringList{"2004-02-19", "30", "x"} << 2;
        QTest::newRow("refused: 20 days") << QStringList{"--ics", "-", "2004-02-19", "20"} << 1;
        QTest::newRow("unwritable file")
            << QStringList{"--ics", "/nonexistent/velmora.ics", "2004-02-19", "30"} << 1;
    }
    void exitStatus()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        const Run run = RunCli(arguments);
        QCOMPARE(run.status, status);
        // A failure says why on standard error and prints nothing else.
        QCOMPARE(run.err.isEmpty(), status == 0);
        if (status != 0)
            QVERIFY(run.out.isEmpty());
    }

    void writesAFileWholeAndFailsOnAFullStandardOutput()
    {
        QTemporaryDir dir;
        const QString ics = dir.filePath("cycle.ics");
        QCOMPARE(RunCli({"--ics", ics, "2004-02-19", "30"}).status, 0);
        QVERIFY(ReadBytes(ics).value_or("").startsWith("BEGIN:VCALENDAR\r\n"));
        const QStringList runs[] = {{"2004-02-19"}, {"--help"}, {"--ics", "-", "2004-02-19", "30"}};
        for (const QStringList& arguments : runs)
            QCOMPARE(RunCli(arguments, CLI_PATH, "/dev/full").status, 1);
    }

    void withoutArgumentsUsesTheSavedInputsAndNeverWrites()
    {
        // A copy of the program beside a dear.cfg of its own, as the window keeps it.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString program = dir.filePath("velmora-cli");
        QVERIFY(QFile::copy(QStringLiteral(CLI_PATH), program));
        const QByteArray saved = "\"2004-02-19\"\r\n\"28\"\r\n";
        QVERIFY(WriteBytes(dir.filePath("dear.cfg"), saved));
        const Run run = RunCli({}, program);
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.endsWith("2004-03-18                       下次月经开始日\n"));
        QCOMPARE(ReadBytes(dir.filePath("dear.cfg")), saved);
    }
};

QTEST_GUILESS_MAIN(CliTest)
#include "cli_test.moc"
