// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "round_half_even.h"
#include "settings_file.h"
#include "test_data.h"
#include "whole_number_text.h"

#include <QDir>
#include <QLocale>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using velmora::SaveSettings;

namespace {

const QDate kDay(2004, 2, 19);

} // namespace

class SettingsFileTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath("dear.cfg");

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(QDir(m_dir.path()).removeRecursively() && QDir().mkpath(m_dir.path()));
    }

    void savesTheLengthAsAWholeNumber_data()
    {
        QTest::addColumn<QLocale::Language>("language"); // the user's number conventions
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("saved"); // the second record's text
        auto row = [](const char* name, QString typed, QByteArray saved,
                      QLocale::Language language = QLocale::English) {
            QTest::newRow(name) << language << typed << saved;
        };
        row("28.5 rounds to even 28", "28.5", "28");
        row("29.5 rounds to even 30", "29.5", "30");
        row("the upper bound itself", "32767", "32767");
        row("rounds past the upper bound: empty", "32767.5", "");
        row("lower bound by rounding", "-32768.5", "-32768");
        row("below the lower bound: empty", "-32769", "");
        row("German decimal comma", "28,6", "29", QLocale::German);
    }
    void savesTheLengthAsAWholeNumber()
    {
        QFETCH(QLocale::Language, language);
        QFETCH(QString, typed);
        QFETCH(QByteArray, saved);
        QLocale::setDefault(QLocale(language));
        const QString path = m_dir.filePath("config/velmora/dear.cfg"); // folders made as needed
        SaveSettings(path, {.date = kDay, .cycleLengthText = typed});
        QCOMPARE(ReadBytes(path), "\"2004-02-19\"\r\n\"" + saved + "\"\r\n");
    }

    void restoresInputsFromTheFile_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: no file
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        auto row = [](const char* name, QByteArray file, QDate date, QString text) {
            QTest::newRow(name) << file << date << text;
        };
        const QDate initial(2003, 12, 17);
        row("no file: initial inputs", {}, initial, "30");
        row("empty first field: nothing at all", "\"\"\r\n\"25\"", initial, "30");
        row("blank first field: nothing at all", "  ,25", initial, "30");
        row("not a date, length still read", "\"x\"\r\n\"25\"", initial, "25");
        row("length out of range", "\"2004-02-19\"\r\n\"40000\"", kDay, "30");
        row("LF line ends", "\"2004-02-19\"\n\"25\"\n", kDay, "25");
        row("CR line ends, unquoted", "2004-02-19\r25", kDay, "25");
        row("comma, blanks around unquoted fields", " \t2004-02-19 , 25 ", kDay, "25");
        row("text after a closing quote passed over", "\"2004-02-19\"xyz\r\n\"25\"", kDay, "25");
        row("quoted comma stays in the field", "\"2004-02-19\",\"3,000\"", kDay, "3000");
        row("unclosed quote runs to the end", "\"2004-02-19\r\n25", initial, "30");
        row("Notepad's byte-order mark skipped", "\xEF\xBB\xBF\"2004-02-19\",25", kDay, "25");
        row("date before 1601 refused, length taken", "\"1600-12-31\"\r\n\"25\"", initial, "25");
        row("earliest date", "1601-01-01,25", QDate(1601, 1, 1), "25");
        row("latest date", "9999-12-31", QDate(9999, 12, 31), "30");
        row("a blank before the comma", "2004-02-19 ,30", kDay, "30");
        row("the short date of en_US, its two-digit year in 1930 to 2029", "2/19/04,25", kDay,
            "25");
        row("a two-digit year of 30 is 1930", "2/19/30,25", QDate(1930, 2, 19), "25");
        row("a date past the first 64 KiB is not read",
            QByteArray(64 * 1024, ' ') + "\"2004-02-19\",25", initial, "30");
        row("start of a 1 MiB file read", "2004-02-19,25" + QByteArray(1 << 20, ' '), kDay, "25");
    }
    void restoresInputsFromTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QDate, date);
        QFETCH(QString, text);
        QVERIFY(file.isEmpty() || WriteBytes(m_path, file));
        const velmora::Inputs inputs = velmora::RestoreInputs(m_path);
        QCOMPARE(inputs.date, date);
        QCOMPARE(inputs.cycleLengthText, text);
    }

    void readsNoHiddenFile()
    {
        QVERIFY(WriteBytes(m_dir.filePath(".dear.cfg"), "2004-02-19,25"));
        const velmora::Inputs inputs = velmora::RestoreInputs(m_dir.filePath(".dear.cfg"));
        QCOMPARE(inputs.date, QDate(2003, 12, 17));
        QCOMPARE(inputs.cycleLengthText, "30");
    }

    // What is kept of the cycle box is the number Qt reads in the user's locale: the same for
    // every text she may type, in the ways of writing numbers of a few locales.
    void keepsWhatTheLocaleReadsAsAWholeNumber_data()
    {
        QTest::addColumn<QString>("locale");
        for (const char* name : {"C", "en_US", "zh_CN", "de_DE", "fr_FR", "de_CH"})
            QTest::newRow(name) << QString(name);
    }
    void keepsWhatTheLocaleReadsAsAWholeNumber()
    {
        QFETCH(QString, locale);
        const QLocale conventions(locale);
        // Grouped, with decimal points of either kind, signs, exponents, blanks of several
        // kinds, full-width digits, numbers too large and too small, a '|' between each.
        QStringList texts = QString("3,000|30,00|3,0000|3,000.5|3.000|3.000,5|30.5|30,5| 30 |+30|"
                                    "-30|\u221230|1e2|1E+2|1e|1.e5|.5|5.|,300|300,|3,,000|1.5e1|"
                                    "\uFF13\uFF10|3 000|3\u00A0000|3\u202F000|\u300030\u3000|"
                                    "1e-400|1e400|4.9e-324|inf|nan|00,030|32767.5|-32768.5|32,767|"
                                    "1 0|1000,000|-")
                                .split('|');
        // The fuzzer's corpus too: a corpus gone missing fails, rather than testing less.
        const QDir corpus(VELMORA_TEST_DATA "/../../fuzz/corpus/fuzz_cycle_text");
        const QStringList found = corpus.entryList(QDir::Files);
        QVERIFY2(found.size() > 3, qPrintable(corpus.path()));
        for (const QString& path : found)
            texts << QString::fromUtf8(ReadBytes(corpus.filePath(path)));
        for (const QString& text : texts) {
            bool ok = false;
            const double read = conventions.toDouble(QStringView(text).trimmed(), &ok);
            const auto whole = ok ? velmora::SavedCycleLength(read) : std::nullopt;
            QCOMPARE(velmora::ToWholeNumberText(text, conventions),
                     whole ? std::optional<QString>(QString::number(*whole)) : std::nullopt);
        }
    }

    void keepsTheInputsInTheUsersConfigurationFolder_data()
    {
        QTest::addColumn<QByteArray>("xdgConfigHome"); // as the environment holds them
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QString>("folder"); // empty: no usable home
        auto row = [](const char* name, QByteArray xdg, QByteArray home, QString folder) {
            QTest::newRow(name) << xdg << home << folder;
        };
        row("home", {}, "/home/her", "/home/her/.config/Velmora");
        row("absolute XDG_CONFIG_HOME, even without HOME", "/srv/config/", {},
            "/srv/config/Velmora");
        row("relative XDG_CONFIG_HOME ignored", "rel", "/home/her", "/home/her/.config/Velmora");
        row("relative HOME: nowhere", {}, "her", {});
        row("a home in Chinese", {}, "/home/\xE5\xA5\xB9", "/home/\u5979/.config/Velmora");
        // Read as text, these would name another folder than the one she has.
        row("HOME with a byte that is no UTF-8: nowhere", {}, "/home/h\xFFr", {});
        row("XDG_CONFIG_HOME with such a byte: nowhere", "/srv/c\xFF", "/home/her", {});
    }
    void keepsTheInputsInTheUsersConfigurationFolder()
    {
        QFETCH(QByteArray, xdgConfigHome);
        QFETCH(QByteArray, home);
        QFETCH(QString, folder);
        const QByteArray oldXdg = qgetenv("XDG_CONFIG_HOME");
        const QByteArray oldHome = qgetenv("HOME");
        const auto restore = qScopeGuard([&] {
            qputenv("XDG_CONFIG_HOME", oldXdg);
            qputenv("HOME", oldHome);
        });
        qputenv("XDG_CONFIG_HOME", xdgConfigHome);
        qputenv("HOME", home);
        QCOMPARE(velmora::UserConfigFolder().value_or(QString()), folder);
    }
};

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "settings_file_test.moc"
