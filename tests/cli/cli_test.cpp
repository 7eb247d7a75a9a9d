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
    void answersWithOutputOrAReason_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out"); // how standard output starts after a success
        auto row = [](const char* name, QStringList arguments, int status, QByteArray out = {}) {
            QTest::newRow(name) << arguments << status << out;
        };
        row("the window's six lines", {"2004-02-19", "30"}, 0, TestData("example_lines.txt"));
        row("calendar to standard output", {"--ics", "-", "2004-02-19", "30"}, 0,
            "BEGIN:VCALENDAR\r\n");
        row("version", {"--version"}, 0, "velmora-cli 1.1.0\n");
        row("month 13", {"2004-13-01"}, 2);
        row("before the picker's range", {"1600-12-31"}, 2);
        row("not zero-padded", {"2004-2-19"}, 2);
        row("unknown option", {"--bogus"}, 2);
        row("three arguments", {"2004-02-19", "30", "x"}, 2);
        row("refused: 20 days", {"--ics", "-", "2004-02-19", "20"}, 1);
        row("unwritable file", {"--ics", "/nonexistent/velmora.ics", "2004-02-19", "30"}, 1);
    }
    void answersWithOutputOrAReason()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QByteArray, out);
        const Run run = RunCli(arguments);
        QCOMPARE(run.status, status);
        // A failure says why on standard error and prints nothing else.
        QCOMPARE(run.err.isEmpty(), status == 0);
        QVERIFY(status == 0 ? run.out.startsWith(out) : run.out.isEmpty());
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
