// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

class SettingsKillTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedSaveNeverLeavesAHalfWrittenFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("dear.cfg");
        const QByteArray versionA = "\"2004-02-19\"\r\n\"30\"\r\n";
        const QByteArray versionB = "\"1999-12-31\"\r\n\"-12345\"\r\n";
        QRandomGenerator random(20040219);

        constexpr int kKills = 300;
        for (int kill = 0; kill < kKills; ++kill) {
            QProcess saver;
            saver.start(QStringLiteral(SAVE_LOOP_PATH), {path});
            QVERIFY2(saver.waitForReadyRead(10000), qPrintable(saver.errorString()));
            QThread::usleep(random.bounded(0, 5000));
            saver.kill(); // SIGKILL: no chance to tidy up
            QVERIFY(saver.waitForFinished());

            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QVERIFY2(bytes == versionA || bytes == versionB,
                     qPrintable(QStringLiteral("after kill %1: %2")
                                    .arg(kill)
                                    .arg(QString::fromLatin1(bytes.toPercentEncoding()))));
        }
    }
};

QTEST_GUILESS_MAIN(SettingsKillTest)
#include "settings_kill_test.moc"
