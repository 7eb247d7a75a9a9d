// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"
#include "test_data.h"

#include <QAction>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using velmora::Form1;

namespace {

const QByteArray kExampleFile = TestData("example_dear.cfg");

// A main window as the program makes one, on the heap and deleting itself when closed.
struct Window {
    explicit Window(const QString& settingsPath) : form(new Form1(settingsPath)) {}
    ~Window() { delete form.data(); }
    template <typename T = QWidget> T* child(const char* name) const
    {
        T* widget = form->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
    }
    void click(const char* button) const
    {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    QStringList lines() const
    {
        QStringList lines;
        auto* list = child<QListWidget>("List1");
        for (int row = 0; row < list->count(); ++row)
            lines << list->item(row)->text();
        return lines;
    }
    bool showActive() const
    {
        form->show();
        return QTest::qWaitForWindowActive(form);
    }
    QPointer<Form1> form;
};

} // namespace

class Form1Test : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath("dear.cfg");
        QFile::remove(m_path);
    }

    void firstStartShowsCaptionsAndHelp()
    {
        Window window(m_path);
        QCOMPARE(window.form->windowTitle(), "Velmora");
        QCOMPARE(window.child<QDateEdit>("DTPicker1")->text(), "2003-12-17 (Wednesday)");
        QCOMPARE(window.child<QLineEdit>("Text1")->text(), "30");
        const std::pair<const char*, QString> captions[] = {
            {"l1", "上次月经来潮日期:"}, {"Label1", "月经周期:"}, {"Command1", "计    算"},
            {"Command2", "取    消"},    {"Command3", "关于..."},
        };
        for (const auto& [name, caption] : captions)
            QCOMPARE(window.child(name)->property("text").toString(), caption);

        const QStringList lines = window.lines();
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.mid(0, 4),
                 QStringList({" 用《Velmora》软件你只需了解上次月经来潮日",
                              " 期及月经周期即可能过计算可得知一系列有关安全期及非安",
                              " 全期的日期Velmora》采用先进的计算方法，使得到",
                              " 的数据更合理，更适合你的生理"}));
        QVERIFY(lines[4].startsWith("     如果你有好的意见或建议请拔打电话"));
        QVERIFY(lines[7].startsWith("    邮编："));
        QCOMPARE(lines[9], QString(9, u' '));
        QCOMPARE(lines[10], "                  最后修改于04年2月");
        // Every line fits the list in the Chinese UI font it was wrapped for.
        QStringEncoder gbk("GBK");
        for (const QString& line : lines)
            QVERIFY2(QByteArray(gbk(line)).size() <= 53, qPrintable(line));
    }

    void restoresSavedInputs_data()
    {
        QTest::addColumn<std::optional<QByteArray>>("file"); // nothing: no file
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        using File = std::optional<QByteArray>;
        QTest::newRow("no file: initial inputs") << File() << QDate(2003, 12, 17) << "30";
        QTest::newRow("saved inputs") << File(kExampleFile) << QDate(2004, 2, 19) << "30";
        QTest::newRow("date before 1601 refused, length taken")
            << File("\"1500-01-01\"\r\n\"25\"\r\n") << QDate(2003, 12, 17) << "25";
        QTest::newRow("earliest date taken")
            << File("\"1601-01-01\"\r\n\"25\"\r\n") << QDate(1601, 1, 1) << "25";
    }
    void restoresSavedInputs()
    {
        QFETCH(std::optional<QByteArray>, file);
        QFETCH(QDate, date);
        QFETCH(QString, text);
        if (file)
            QVERIFY(WriteBytes(m_path, *file));
        Window window(m_path);
        QCOMPARE(window.child<QDateEdit>("DTPicker1")->date(), date);
        QCOMPARE(window.child<QLineEdit>("Text1")->text(), text);
        QCOMPARE(window.lines().size(), 11); // the help stays until Calculate
    }

    void calculateListsSixLinesAndSaves()
    {
        QVERIFY(WriteBytes(m_path, kExampleFile));
        Window window(m_path);
        QFile::remove(m_path);
        window.click("Command1");
        window.click("Command1"); // the list is cleared first: no lines pile up
        QCOMPARE(window.lines(), TestDataLines("example_lines.txt"));
        QCOMPARE(ReadBytes(m_path), kExampleFile);
    }

    void typedCycleLengths_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("nextPeriod");
        QTest::addColumn<QByteArray>("savedLength");
        QTest::newRow("28.5 calculates and saves 28") << "28.5"
                                                      << "2004-03-18" << QByteArray("28");
        QTest::newRow("28 and Chinese: calculated, not saved") << "28天"
                                                               << "2004-03-18" << QByteArray();
    }
    void typedCycleLengths()
    {
        QFETCH(QString, typed);
        QFETCH(QString, nextPeriod);
        QFETCH(QByteArray, savedLength);
        QVERIFY(WriteBytes(m_path, kExampleFile));
        Window window(m_path);
        auto* text = window.child<QLineEdit>("Text1");
        text->clear();
        // Character by character, as a keyboard (or an input method, for Chinese) types.
        for (QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, text, Qt::Key_unknown, QString(c), Qt::NoModifier);
        window.click("Command1");
        QCOMPARE(window.lines().value(5).left(10), nextPeriod);
        QCOMPARE(ReadBytes(m_path), "\"2004-02-19\"\r\n\"" + savedLength + "\"\r\n");
        QCOMPARE(text->text(), typed); // the input is never changed
    }

    void failedSaveLeavesTheLines()
    {
        QVERIFY(WriteBytes(m_path, "not a folder"));
        Window window(m_path + "/dear.cfg"); // its folder is a regular file
        window.click("Command1");
        QCOMPARE(window.lines().size(), 6);
        QCOMPARE(ReadBytes(m_path), QByteArray("not a folder"));
    }

    void cancelAndCloseBoxUnloadWithoutSaving_data()
    {
        QTest::addColumn<bool>("viaCancel");
        QTest::newRow("Cancel") << true;
        QTest::newRow("close box") << false;
    }
    void cancelAndCloseBoxUnloadWithoutSaving()
    {
        QFETCH(bool, viaCancel);
        Window window(m_path);
        QVERIFY(window.showActive());
        if (viaCancel)
            window.click("Command2");
        else
            window.form->close();
        QTRY_VERIFY(window.form.isNull()); // unloaded, not just hidden
        QVERIFY(!QFile::exists(m_path));
    }

    void keysMoveInTabOrderAndEnterDoesNothing()
    {
        Window window(m_path);
        QVERIFY(window.showActive());
        QCOMPARE(QApplication::focusWidget(), window.child("DTPicker1"));
        for (const char* name :
             {"List1", "Text1", "Command1", "Command2", "Command3", "DTPicker1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
        auto* text = window.child("Text1");
        text->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(text, key);
        QCOMPARE(window.lines().size(), 11);
        QVERIFY(window.form->isVisible());
    }

    void resizingMovesNothing()
    {
        Window window(m_path);
        QVERIFY(window.showActive());
        QCOMPARE(window.form->size(), QSize(345, 239)); // 5175 x 3585 twips
        QCOMPARE(window.child("List1")->geometry(), QRect(8, 40, 329, 160));
        QCOMPARE(window.child("Command3")->geometry(), QRect(176, 208, 73, 23));
        const auto children = window.form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QList<QRect> before;
        for (QWidget* child : children)
            before << child->geometry();
        window.form->showMaximized();
        QTest::qWait(50);
        for (QWidget* child : children)
            QCOMPARE(child->geometry(), before.takeFirst());
    }

    void calendarEntryOnlyForAnExportableCalculation()
    {
        Window window(m_path);
        auto* entry = window.form->findChild<QAction*>("exportCalendar");
        QVERIFY(entry);
        QCOMPARE(entry->text(), "导出到日历...");
        QVERIFY(!entry->isEnabled()); // the help lines are no calculation
        window.click("Command1");
        QVERIFY(entry->isEnabled());
        window.child<QLineEdit>("Text1")->setText("20");
        window.click("Command1");
        QVERIFY(!entry->isEnabled());
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
