// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"
#include "test_data.h"

#include <QAction>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
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
const QStringList kExampleLines = TestDataLines("example_lines.txt");

// Types character by character, as a keyboard (or an input method, for Chinese) would.
void TypeText(QWidget* widget, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A main window as the program makes one: on the heap, deleting itself when closed.
class Window
{
public:
    explicit Window(const QString& settingsPath) : m_form(new Form1(settingsPath)) {}
    ~Window() { delete m_form.data(); }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Form1* operator->() const { return m_form; }
    Form1* get() const { return m_form; }
    template <typename T> T* child(const char* name) const
    {
        T* widget = m_form->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no child %s", name);
        return widget;
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
        m_form->show();
        return QTest::qWaitForWindowActive(m_form);
    }

private:
    QPointer<Form1> m_form;
};

} // namespace

class Form1Test : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;

    void writeSettings(const QByteArray& bytes)
    {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray settingsBytes() const
    {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath("dear.cfg");
        QFile::remove(m_path);
    }

    void firstStartShowsInitialValuesAndHelp()
    {
        Window form(m_path);
        QCOMPARE(form->windowTitle(), "Velmora");
        QCOMPARE(form.child<QDateEdit>("DTPicker1")->date(), QDate(2003, 12, 17));
        QCOMPARE(form.child<QDateEdit>("DTPicker1")->text(), "2003-12-17 (Wednesday)");
        QCOMPARE(form.child<QLineEdit>("Text1")->text(), "30");
        QCOMPARE(form.child<QLabel>("l1")->text(), "上次月经来潮日期:");
        QCOMPARE(form.child<QLabel>("Label1")->text(), "月经周期:");
        QCOMPARE(form.child<QPushButton>("Command1")->text(), "计    算");
        QCOMPARE(form.child<QPushButton>("Command2")->text(), "取    消");
        QCOMPARE(form.child<QPushButton>("Command3")->text(), "关于...");

        const QStringList lines = form.lines();
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines[0], " 用《Velmora》软件你只需了解上次月经来潮日");
        QCOMPARE(lines[1], " 期及月经周期即可能过计算可得知一系列有关安全期及非安");
        QCOMPARE(lines[2], " 全期的日期Velmora》采用先进的计算方法，使得到");
        QCOMPARE(lines[3], " 的数据更合理，更适合你的生理");
        QVERIFY(lines[4].startsWith("     如果你有好的意见或建议请拔打电话"));
        QVERIFY(lines[6].startsWith("    ") && lines[6].endsWith(" 收"));
        QVERIFY(lines[7].startsWith("    邮编："));
        QVERIFY(lines[8].startsWith("    E-mail:"));
        QCOMPARE(lines[9], QString(9, u' '));
        QCOMPARE(lines[10], "                  最后修改于04年2月");

        QStringEncoder gbk("GBK");
        QVERIFY(gbk.isValid());
        for (const QString& line : lines)
            QVERIFY2(QByteArray(gbk(line)).size() <= 53, qPrintable(line));
    }

    void restoresSavedInputs_data()
    {
        QTest::addColumn<QByteArray>("file"); // "<none>" for no file
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("no file") << QByteArray("<none>") << QDate(2003, 12, 17) << "30";
        QTest::newRow("saved inputs") << kExampleFile << QDate(2004, 2, 19) << "30";
        QTest::newRow("date before 1601 refused")
            << QByteArray("\"1500-01-01\"\r\n\"25\"\r\n") << QDate(2003, 12, 17) << "25";
        QTest::newRow("earliest date taken")
            << QByteArray("\"1601-01-01\"\r\n\"25\"\r\n") << QDate(1601, 1, 1) << "25";
        QTest::newRow("only the date")
            << QByteArray("\"2004-02-19\"\r\n") << QDate(2004, 2, 19) << "30";
        QTest::newRow("garbage") << QByteArray("\x01\xfe\"\r\n,,,") << QDate(2003, 12, 17) << "30";
    }
    void restoresSavedInputs()
    {
        QFETCH(QByteArray, file);
        QFETCH(QDate, date);
        QFETCH(QString, text);
        if (file != "<none>")
            writeSettings(file);
        Window form(m_path);
        QCOMPARE(form.child<QDateEdit>("DTPicker1")->date(), date);
        QCOMPARE(form.child<QLineEdit>("Text1")->text(), text);
        QCOMPARE(form.lines().size(), 11); // the help stays until Calculate
    }

    void calculateListsSixLinesAndSaves()
    {
        writeSettings(kExampleFile);
        Window form(m_path);
        QFile::remove(m_path);
        QTest::mouseClick(form.child<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(form.lines(), kExampleLines);
        QCOMPARE(settingsBytes(), kExampleFile);
        QTest::mouseClick(form.child<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(form.lines(), kExampleLines);
    }

    void typedCycleLengths_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("nextPeriod");
        QTest::addColumn<QByteArray>("savedLength");
        QTest::newRow("28.5 calculates 28, saves 28") << "28.5"
                                                      << "2004-03-18" << QByteArray("28");
        QTest::newRow("Chinese after 28") << "28天"
                                          << "2004-03-18" << QByteArray();
        QTest::newRow("empty") << ""
                               << "2004-02-19" << QByteArray();
        QTest::newRow("too large to add") << "3000000"
                                          << "2004-02-19" << QByteArray();
    }
    void typedCycleLengths()
    {
        QFETCH(QString, typed);
        QFETCH(QString, nextPeriod);
        QFETCH(QByteArray, savedLength);
        writeSettings(kExampleFile);
        Window form(m_path);
        auto* text = form.child<QLineEdit>("Text1");
        text->clear();
        TypeText(text, typed);
        QTest::mouseClick(form.child<QPushButton>("Command1"), Qt::LeftButton);
        const QStringList lines = form.lines();
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[5].left(10), nextPeriod);
        QCOMPARE(settingsBytes(), "\"2004-02-19\"\r\n\"" + savedLength + "\"\r\n");
        QCOMPARE(text->text(), typed); // the input is never changed
    }

    void textHasNoLengthLimit()
    {
        Window form(m_path);
        auto* text = form.child<QLineEdit>("Text1");
        const QString longText = "28" + QString(100000, u'x');
        text->setText(longText);
        QCOMPARE(text->text().size(), longText.size());
    }

    void failedSaveLeavesTheLines()
    {
        writeSettings("not a folder");
        Window form(m_path + "/dear.cfg"); // its folder is a regular file
        QTest::mouseClick(form.child<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(form.lines().size(), 6);
        QCOMPARE(settingsBytes(), QByteArray("not a folder"));
    }

    void cancelAndCloseBoxCloseWithoutSaving_data()
    {
        QTest::addColumn<bool>("viaCancel");
        QTest::newRow("Cancel") << true;
        QTest::newRow("close box") << false;
    }
    void cancelAndCloseBoxCloseWithoutSaving()
    {
        QFETCH(bool, viaCancel);
        Window form(m_path);
        QPointer<Form1> alive = form.get();
        QVERIFY(form.showActive());
        if (viaCancel)
            QTest::mouseClick(form.child<QPushButton>("Command2"), Qt::LeftButton);
        else
            form->close();
        QTRY_VERIFY(alive.isNull()); // unloaded, not just hidden
        QVERIFY(!QFile::exists(m_path));
    }

    void tabOrderAndStartFocus()
    {
        Window form(m_path);
        QVERIFY(form.showActive());
        const QStringList expected = {"List1",    "Text1",    "Command1",
                                      "Command2", "Command3", "DTPicker1"};
        QCOMPARE(QApplication::focusWidget(), form.child<QWidget>("DTPicker1"));
        for (const QString& name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    void enterAndEscapeDoNothing()
    {
        Window form(m_path);
        QVERIFY(form.showActive());
        auto* text = form.child<QLineEdit>("Text1");
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClick(text, Qt::Key_Enter);
        QTest::keyClick(text, Qt::Key_Escape);
        QCOMPARE(form.lines().size(), 11);
        QVERIFY(form->isVisible());
        QVERIFY(!QFile::exists(m_path));
    }

    void resizingMovesNothing()
    {
        Window form(m_path);
        QVERIFY(form.showActive());
        QCOMPARE(form->size(), QSize(345, 239)); // 5175 x 3585 twips
        QList<QRect> before;
        const auto children = form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget* child : children)
            before << child->geometry();
        QCOMPARE(form.child<QWidget>("List1")->geometry(), QRect(8, 40, 329, 160));
        QCOMPARE(form.child<QWidget>("Command3")->geometry(), QRect(176, 208, 73, 23));

        form->resize(900, 700);
        form->showMaximized();
        QTest::qWait(50);
        QList<QRect> after;
        for (QWidget* child : children)
            after << child->geometry();
        QCOMPARE(after, before);
    }

    void calendarEntryOnlyForAnExportableCalculation()
    {
        Window form(m_path);
        auto* entry = form->findChild<QAction*>("exportCalendar");
        QVERIFY(entry);
        QCOMPARE(entry->text(), "导出到日历...");
        QVERIFY(!entry->isEnabled()); // the help lines are no calculation
        QTest::mouseClick(form.child<QPushButton>("Command1"), Qt::LeftButton);
        QVERIFY(entry->isEnabled());
        form.child<QLineEdit>("Text1")->setText("20");
        QTest::mouseClick(form.child<QPushButton>("Command1"), Qt::LeftButton);
        QVERIFY(!entry->isEnabled());
    }

    void inputsAreNamedForScreenReaders()
    {
        Window form(m_path);
        QCOMPARE(form.child<QWidget>("DTPicker1")->accessibleName(), "上次月经来潮日期:");
        QCOMPARE(form.child<QWidget>("Text1")->accessibleName(), "月经周期:");
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
