// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The settings of a program that runs from the folder it was installed to: built here with that
// folder being the test's own, which it may write.

#include "settings_file.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class InstalledPathTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsTheInputsWithTheUsersSettingsNeverBesideTheProgram_data()
    {
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QString>("path"); // under the temporary folder; empty: nowhere
        QTest::newRow("her home") << QByteArray("home") << u"home/.config/Velmora/dear.cfg"_s;
        QTest::newRow("no home: nowhere, not the program's folder") << QByteArray() << QString();
    }
    void keepsTheInputsWithTheUsersSettingsNeverBesideTheProgram()
    {
        QFETCH(QByteArray, home);
        QFETCH(QString, path);
        QTemporaryDir dir;
        qunsetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.isEmpty() ? home : QFile::encodeName(dir.filePath(home)));
        QCOMPARE(velmora::SettingsFilePath(), path.isEmpty() ? path : dir.filePath(path));
    }
};

QTEST_GUILESS_MAIN(InstalledPathTest)
#include "installed_path_test.moc"
