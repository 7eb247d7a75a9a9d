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

namespace {

const QByteArray kExampleFile = TestData("example_dear.cfg");

template <typename T = QWidget> T* Child(QWidget* form, const char* name)
{
    return form->findChild<T*>(QString::fromLatin1(name));
}

void Click(QWidget* form, const char* button)
{
    QTest::mouseClick(Child(form, button), Qt::LeftButton);
}

QStringList Lines(QWidget* form)
{
    QStringList lines;
    for (const QListWidgetItem* item :
         Child<QListWidget>(form, "List1")->findItems("", Qt::MatchContains))
        lines << item->text();
    return lines;
}

} // namespace

class Form1Test : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;
    QPointer<velmora::Form1> m_form; // made as the program makes it: deleting itself when closed

    velmora::Form1* Open(const QString& path)
    {
        m_form = new velmora::Form1(path);
        return m_form;
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        m_path = m_dir.filePath("dear.cfg");
        QFile::remove(m_path);
    }
    void cleanup() { delete m_form.data(); }

    void firstStartShowsCaptionsAndHelp()
    {
        auto* form = Open(m_path);
        QCOMPARE(form->windowTitle(), "Velmora");
        QCOMPARE(Child<QDateEdit>(form, "DTPicker1")->text(), "2003-12-17 (Wednesday)");
        const char* names[] = {"l1", "Label1", "Text1", "Command1", "Command2", "Command3"};
        QStringList captions;
        for (const char* name : names)
            captions << Child(form, name)->property("text").toString();
        QCOMPARE(captions, QStringList({"上次月经来潮日期:", "月经周期:", "30", "计    算",
                                        "取    消", "关于..."}));
        const QStringList lines = Lines(form);
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.mid(0, 4),
                 QStringList({" 用《Velmora》软件你只需了解上次月经来潮日",
                              " 期及月经周期即可能过计算可得知一系列有关安全期及非安",
                              " 全期的日期Velmora》采用先进的计算方法，使得到",
                              " 的数据更合理，更适合你的生理"}));
        QVERIFY(lines[4].startsWith("     如果你有好的意见或建议请拔打电话"));
        QCOMPARE(lines.mid(9),
                 QStringList({QString(9, u' '), "                  最后修改于04年2月"}));
        // Every line fits the list in the Chinese UI font it was wrapped for.
        QStringEncoder gbk("GBK");
        for (const QString& line : lines)
            QVERIFY2(QByteArray(gbk(line)).size() <= 53, qPrintable(line));
    }

    void restoresSavedInputs_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: no file
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("no file: initial inputs") << QByteArray() << QDate(2003, 12, 17) << "30";
        QTest::newRow("saved inputs") << kExampleFile << QDate(2004, 2, 19) << "30";
        QTest::newRow("date before 1601 refused, length taken")
            << QByteArray("\"1600-12-31\"\r\n\"25\"") << QDate(2003, 12, 17) << "25";
        QTest::newRow("earliest date taken")
            << QByteArray("\"1601-01-01\"\r\n\"25\"") << QDate(1601, 1, 1) << "25";
    }
    void restoresSavedInputs()
    {
        QFETCH(QByteArray, file);
        QFETCH(QDate, date);
        QFETCH(QString, text);
        if (!file.isEmpty())
            QVERIFY(WriteBytes(m_path, file));
        auto* form = Open(m_path);
        QCOMPARE(Child<QDateEdit>(form, "DTPicker1")->date(), date);
        QCOMPARE(Child<QLineEdit>(form, "Text1")->text(), text);
        QCOMPARE(Lines(form).size(), 11); // the help stays until Calculate
    }

    void calculateListsSixLinesAndSaves_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("nextPeriod");
        QTest::addColumn<QByteArray>("savedLength");
        QTest::newRow("30") << "30"
                            << "2004-03-20" << QByteArray("30");
        QTest::newRow("28.5 calculates and saves 28") << "28.5"
                                                      << "2004-03-18" << QByteArray("28");
        QTest::newRow("28 and Chinese: calculated, not saved") << "28天"
                                                               << "2004-03-18" << QByteArray();
    }
    void calculateListsSixLinesAndSaves()
    {
        QFETCH(QString, typed);
        QFETCH(QString, nextPeriod);
        QFETCH(QByteArray, savedLength);
        QVERIFY(WriteBytes(m_path, kExampleFile));
        auto* form = Open(m_path);
        auto* text = Child<QLineEdit>(form, "Text1");
        text->clear();
        // Character by character, as a keyboard (or an input method, for Chinese) types.
        for (QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, text, Qt::Key_unknown, QString(c), Qt::NoModifier);
        Click(form, "Command1");
        Click(form, "Command1"); // the list is cleared first: no lines pile up
        const QStringList lines = Lines(form);
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[5].left(10), nextPeriod);
        if (typed == "30")
            QCOMPARE(lines.join('\n') + '\n', QString::fromUtf8(TestData("example_lines.txt")));
        QCOMPARE(ReadBytes(m_path), "\"2004-02-19\"\r\n\"" + savedLength + "\"\r\n");
        QCOMPARE(text->text(), typed); // the input is never changed
    }

    void failedSaveLeavesTheLines()
    {
        QVERIFY(WriteBytes(m_path, "not a folder"));
        auto* form = Open(m_path + "/dear.cfg"); // its folder is a regular file
        Click(form, "Command1");
        QCOMPARE(Lines(form).size(), 6);
        QCOMPARE(ReadBytes(m_path), QByteArray("not a folder"));
    }

    void cancelAndCloseBoxUnloadWithoutSaving()
    {
        for (bool viaCancel : {true, false}) {
            auto* form = Open(m_path);
            form->show();
            viaCancel ? Click(form, "Command2") : void(form->close());
            QTRY_VERIFY(m_form.isNull()); // unloaded, not just hidden
        }
        QVERIFY(!QFile::exists(m_path));
    }

    void keysMoveInTabOrderAndEnterDoesNothing()
    {
        auto* form = Open(m_path);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(QApplication::focusWidget(), Child(form, "DTPicker1"));
        for (const char* name :
             {"List1", "Text1", "Command1", "Command2", "Command3", "DTPicker1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(Child(form, "Text1"), key);
        QCOMPARE(Lines(form).size(), 11);
        QVERIFY(form->isVisible());
    }

    void resizingMovesNothing()
    {
        auto* form = Open(m_path);
        form->show();
        QCOMPARE(form->size(), QSize(345, 239)); // 5175 x 3585 twips
        QCOMPARE(Child(form, "List1")->geometry(), QRect(8, 40, 329, 160));
        QCOMPARE(Child(form, "Command3")->geometry(), QRect(176, 208, 73, 23));
        const auto children = form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QList<QRect> before;
        for (QWidget* child : children)
            before << child->geometry();
        form->showMaximized();
        QTest::qWait(50);
        for (QWidget* child : children)
            QCOMPARE(child->geometry(), before.takeFirst());
    }

    void calendarEntryOnlyForAnExportableCalculation()
    {
        auto* form = Open(m_path);
        auto* entry = form->findChild<QAction*>("exportCalendar");
        QCOMPARE(entry->text(), "导出到日历...");
        QVERIFY(!entry->isEnabled()); // the help lines are no calculation
        Click(form, "Command1");
        QVERIFY(entry->isEnabled());
        Child<QLineEdit>(form, "Text1")->setText("20");
        Click(form, "Command1");
        QVERIFY(!entry->isEnabled());
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
