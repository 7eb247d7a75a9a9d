#include "settings_file.h"
#include "test_data.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using velmora::LoadSettings;
using velmora::SaveSettings;

class SettingsFileTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;

    QByteArray FileBytes() const
    {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void WriteFile(const QByteArray& bytes) const
    {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

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
        QTest::newRow("28.5 saved as 28") << "28.5" << QByteArray("\"2004-02-19\"\r\n\"28\"\r\n");
        QTest::newRow("29.5 saved as 30") << "29.5" << QByteArray("\"2004-02-19\"\r\n\"30\"\r\n");
        QTest::newRow("blanks around") << " 30 " << QByteArray("\"2004-02-19\"\r\n\"30\"\r\n");
        QTest::newRow("negative") << "-5" << QByteArray("\"2004-02-19\"\r\n\"-5\"\r\n");
        QTest::newRow("not convertible, 18 bytes")
            << "28天" << QByteArray("\"2004-02-19\"\r\n\"\"\r\n");
        QTest::newRow("too large") << "40000" << QByteArray("\"2004-02-19\"\r\n\"\"\r\n");
        QTest::newRow("empty") << "" << QByteArray("\"2004-02-19\"\r\n\"\"\r\n");
    }
    void savesExactBytes()
    {
        QFETCH(QString, cycleText);
        QFETCH(QByteArray, bytes);
        WriteFile("an older, longer file that must be replaced whole");
        SaveSettings(m_path, "2004-02-19", cycleText);
        QCOMPARE(FileBytes(), bytes);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("cycleText");
        QTest::addColumn<QString>("restored"); // "nothing" when Text1 keeps its own text
        QTest::newRow("30") << "30"
                            << "30";
        QTest::newRow("-5") << "-5"
                            << "-5";
        QTest::newRow("28.5") << "28.5"
                              << "28";
        QTest::newRow("unconvertible") << "28天"
                                       << "nothing";
    }
    void roundTrip()
    {
        QFETCH(QString, cycleText);
        QFETCH(QString, restored);
        SaveSettings(m_path, "2004-02-19", cycleText);
        const velmora::LoadedSettings loaded = LoadSettings(m_path);
        QCOMPARE(loaded.date, QDate(2004, 2, 19));
        QCOMPARE(loaded.cycleLengthText.value_or("nothing"), restored);
    }

    void loads_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // "<none>" for no file at all
        QTest::addColumn<QDate>("date");       // invalid when none is returned
        QTest::addColumn<QString>("cycleText");
        QTest::newRow("no file") << QByteArray("<none>") << QDate() << "nothing";
        QTest::newRow("empty file") << QByteArray() << QDate() << "nothing";
        QTest::newRow("first record only")
            << QByteArray("\"2004-02-19\"\r\n") << QDate(2004, 2, 19) << "nothing";
        QTest::newRow("empty first field")
            << QByteArray("\"\"\r\n\"30\"\r\n") << QDate() << "nothing";
        QTest::newRow("first field not a date")
            << QByteArray("\"hello\"\r\n\"25\"\r\n") << QDate() << "25";
        QTest::newRow("date before the picker's range is still returned")
            << QByteArray("\"1500-01-01\"\r\n\"25\"\r\n") << QDate(1500, 1, 1) << "25";
        QTest::newRow("second field not a number")
            << QByteArray("\"2004-02-19\"\r\n\"abc\"\r\n") << QDate(2004, 2, 19) << "nothing";
        QTest::newRow("second field out of range")
            << QByteArray("\"2004-02-19\"\r\n\"40000\"\r\n") << QDate(2004, 2, 19) << "nothing";
        QTest::newRow("unquoted line") << QByteArray("2004-02-19,30") << QDate(2004, 2, 19) << "30";
        QTest::newRow("locale's short date")
            << QByteArray("2/19/04,30") << QDate(1904, 2, 19) << "30";
        QTest::newRow("binary bytes")
            << QByteArray("\xff\0\x01\"\r\n\x80", 7) << QDate() << "nothing";
        QTest::newRow("record beyond the first 64 KiB is not read")
            << QByteArray(64 * 1024, ' ') + "\"2004-02-19\"\r\n\"30\"\r\n"
            << QDate() << "nothing";
        QTest::newRow("long junk after a valid record")
            << QByteArray("\"2004-02-19\"\r\n\"30\"\r\n") + QByteArray(1 << 20, 'x')
            << QDate(2004, 2, 19) << "30";
    }
    void loads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QDate, date);
        QFETCH(QString, cycleText);
        if (bytes != "<none>")
            WriteFile(bytes);
        const velmora::LoadedSettings loaded = LoadSettings(m_path);
        QCOMPARE(loaded.date.value_or(QDate()), date);
        QCOMPARE(loaded.cycleLengthText.value_or("nothing"), cycleText);
    }

    void folderNamedLikeTheFileIsNotRead()
    {
        QVERIFY(QDir(m_dir.path()).mkdir("dear.cfg"));
        QVERIFY(!LoadSettings(m_path).date);
        SaveSettings(m_path, "2004-02-19", "30");
        QVERIFY(QFileInfo(m_path).isDir());
        QVERIFY(QDir(m_dir.path()).rmdir("dear.cfg"));
    }

    void readOnlyFileIsLeftUntouched()
    {
        const QByteArray old = "\"2001-01-01\"\r\n\"21\"\r\n";
        WriteFile(old);
        QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadUser));
        SaveSettings(m_path, "2004-02-19", "30");
        QCOMPARE(FileBytes(), old);
        QCOMPARE(LoadSettings(m_path).date, QDate(2001, 1, 1));
    }

    void unwritableFolderWritesNothing()
    {
        // A folder path that runs through a regular file cannot be created, even by root.
        WriteFile("not a folder");
        const QString inside = m_path + "/sub/dear.cfg";
        SaveSettings(inside, "2004-02-19", "30");
        QVERIFY(!QFileInfo::exists(inside));
        QCOMPARE(FileBytes(), QByteArray("not a folder"));
    }

    void missingFolderIsCreated()
    {
        const QString nested = m_dir.filePath("config/velmora/dear.cfg");
        SaveSettings(nested, "2004-02-19", "30");
        QCOMPARE(LoadSettings(nested).cycleLengthText, QString("30"));
    }
};

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "settings_file_test.moc"
