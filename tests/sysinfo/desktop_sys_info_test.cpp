#include "desktop_sys_info.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The launcher on this desktop, with the search path pointed at folders of the test's own.
class DesktopSysInfoTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QByteArray m_oldPath;

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_oldPath = qgetenv("PATH");
    }
    void cleanup() { qputenv("PATH", m_oldPath); }

    void startsAnInstalledSystemInformationProgram()
    {
        // A stand-in "hardinfo" in a folder with a blank in its name, which must not split
        // the program's path.
        QDir(m_dir.path()).mkdir("tool folder");
        const QString folder = m_dir.filePath("tool folder");
        const QString marker = m_dir.filePath("started");
        const QString program = folder + "/hardinfo";
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n: > '" + marker.toLocal8Bit() + "'\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("PATH", folder.toLocal8Bit());

        std::vector<std::string> messages;
        velmora::StartDesktopSysInfo([&](const std::string& m) { messages.push_back(m); });
        QVERIFY(messages.empty());
        QTRY_VERIFY(QFile::exists(marker));
    }

    void withoutOneTheMessageAppears()
    {
        qputenv("PATH", m_dir.path().toLocal8Bit());
        std::vector<std::string> messages;
        velmora::StartDesktopSysInfo([&](const std::string& m) { messages.push_back(m); });
        QCOMPARE(messages,
                 std::vector<std::string>{"System Information Is Unavailable At This Time"});
    }
};

QTEST_GUILESS_MAIN(DesktopSysInfoTest)
#include "desktop_sys_info_test.moc"
