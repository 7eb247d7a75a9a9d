// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings_file.h"
#include "test_data.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

class SettingsKillTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedSaveNeverLeavesAHalfWrittenFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("dear.cfg");
        const QByteArray versionA = "\"2004-02-19\"\r\n\"30\"\r\n";
        const QByteArray versionB = "\"1999-12-31\"\r\n\"-12345\"\r\n";
        QVERIFY(WriteBytes(path, versionA));
        QRandomGenerator random(20040219);
        for (int round = 0; round < 300; ++round) {
            const pid_t saver = fork();
            if (saver == 0) { // saves the two versions in turn until it is killed
                for (unsigned long i = 0;; ++i)
                    velmora::SaveSettings(path, i % 2 ? "1999-12-31" : "2004-02-19",
                                          i % 2 ? "-12345" : "30");
            }
            QThread::usleep(random.bounded(0, 5000));
            ::kill(saver, SIGKILL); // no chance to tidy up
            QCOMPARE(waitpid(saver, nullptr, 0), saver);
            const auto bytes = ReadBytes(path);
            QVERIFY2(bytes == versionA || bytes == versionB, qPrintable(QString::number(round)));
        }
    }
};

QTEST_GUILESS_MAIN(SettingsKillTest)
#include "settings_kill_test.moc"
