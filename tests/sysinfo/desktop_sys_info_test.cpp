// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop_sys_info.h"
#include "test_data.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The launcher on this desktop, with the search path pointed at a folder of the test's own that
// holds a stand-in "hardinfo". The folder's name has a blank, which must not split the path.
class DesktopSysInfoTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findsToolsOnlyInAbsoluteFolders_data()
    {
        QTest::addColumn<QString>("searchPath"); // "%1" stands for the tool's folder
        QTest::addColumn<bool>("started");
        QTest::addColumn<QStringList>("messages");
        const QStringList unavailable{"System Information Is Unavailable At This Time"};
        QTest::newRow("absolute folder: started") << "/nonexistent:%1" << true << QStringList();
        QTest::newRow("relative '.': message") << "." << false << unavailable;
    }
    void findsToolsOnlyInAbsoluteFolders()
    {
        QFETCH(QString, searchPath);
        QFETCH(bool, started);
        QFETCH(QStringList, messages);
        QTemporaryDir dir;
        const QString folder = dir.filePath("tool folder"), marker = dir.filePath("started");
        QVERIFY(QDir().mkdir(folder) && QDir::setCurrent(folder)); // where "." finds the tool
        QVERIFY(WriteBytes("hardinfo", "#!/bin/sh\n: > '" + marker.toLocal8Bit() + "'\n"));
        QVERIFY(QFile::setPermissions("hardinfo", QFile::ReadOwner | QFile::ExeOwner));
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", searchPath.arg(folder).toLocal8Bit());
        QStringList shown;
        velmora::StartDesktopSysInfo(
            [&](const std::string& m) { shown << QString::fromStdString(m); });
        qputenv("PATH", oldPath);
        QVERIFY(QDir::setCurrent(QDir::tempPath()));
        QCOMPARE(shown, messages);
        if (started) {
            QTRY_VERIFY(QFile::exists(marker));
            return;
        }
        // A tool started by then would have run before one started after it has: the test's
        // own, started now, shows when that is.
        const QString after = dir.filePath("after");
        QVERIFY(
            QProcess::startDetached(QStringLiteral("/bin/sh"),
                                    {QStringLiteral("-c"), QStringLiteral(": > \"$0\""), after}));
        QTRY_VERIFY(QFile::exists(after));
        QVERIFY(!QFile::exists(marker));
    }
};

QTEST_GUILESS_MAIN(DesktopSysInfoTest)
#include "desktop_sys_info_test.moc"
