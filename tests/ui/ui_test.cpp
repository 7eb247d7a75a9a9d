// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window and the About box, driven as a user drives them.
#include "form1.h"
#include "frmabout.h"
#include "test_data.h"

#include <QAction>
#include <QDateEdit>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

using velmora::frmAbout;

namespace {

template <typename T = QWidget> T* Child(QWidget* form, const char* name)
{
    return form->findChild<T*>(QString::fromLatin1(name));
}

// The list's lines, each ending in a line feed as in the fixtures.
QString Lines(QWidget* form)
{
    QString lines;
    for (const QListWidgetItem* item :
         Child<QListWidget>(form, "List1")->findItems("", Qt::MatchContains))
        lines += item->text() + '\n';
    return lines;
}

// A calendar without the lines that tell when it was exported.
QString WithoutStamps(const QByteArray& calendar)
{
    return QString::fromUtf8(calendar).remove(QRegularExpression(
        "^(DTSTAMP|LAST-MODIFIED|SEQUENCE):.*\n", QRegularExpression::MultilineOption));
}

constexpr float kStartTop = 2775.0f / 1.448818f;
// 4560 (the text's height) + 2115 (Picture1's 2175 less its 2-pixel border twice) + 50.
constexpr float kRestartTop = 6725.0f;

QList<frmAbout*> OpenAboutBoxes()
{
    QList<frmAbout*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<frmAbout*>(widget); box && box->isVisible())
            boxes << box;
    return boxes;
}

} // namespace

class UiTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    const QString m_path = m_dir.filePath("dear.cfg");
    QPointer<velmora::Form1> m_form; // made as the program makes it: deleting itself when closed

    velmora::Form1* Open() { return m_form = new velmora::Form1(m_path); }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { QFile::remove(m_path); }
    void cleanup()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            widget->close();
        QTRY_VERIFY(m_form.isNull() && OpenAboutBoxes().isEmpty());
    }

    void firstStartShowsHelpMovesInTabOrderAndCancels()
    {
        auto* form = Open();
        QCOMPARE(form->windowTitle(), "Velmora");
        QStringList captions;
        for (const char* name :
             {"DTPicker1", "l1", "Label1", "Text1", "Command1", "Command2", "Command3"})
            captions << Child(form, name)->property("text").toString();
        QCOMPARE(captions, QStringList({"2003-12-17 (Wednesday)", "上次月经来潮日期:", "月经周期:",
                                        "30", "计    算", "取    消", "关于..."}));
        QCOMPARE(Lines(form), QString::fromUtf8(TestData("help_lines.txt")));

        form->show();
        QCOMPARE(form->size(), QSize(345, 239)); // 5175 x 3585 twips
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(QApplication::focusWidget(), Child(form, "DTPicker1"));
        for (const char* name :
             {"List1", "Text1", "Command1", "Command2", "Command3", "DTPicker1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(Child(form, "Text1"), key);
        QCOMPARE(Lines(form).count('\n'), 11); // Enter is no Calculate, Escape no Cancel

        form->showMaximized(); // a larger window moves none of its controls
        QTRY_VERIFY(form->width() > 345);
        QCOMPARE(Child(form, "List1")->geometry(), QRect(8, 40, 329, 160));
        QCOMPARE(Child(form, "Command3")->geometry(), QRect(176, 208, 73, 23));

        QTest::mouseClick(Child(form, "Command2"), Qt::LeftButton);
        QTRY_VERIFY(m_form.isNull()); // unloaded, not just hidden
        QVERIFY(!QFile::exists(m_path));
    }

    void calculateListsSixLinesAndSaves_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("nextPeriod");
        QTest::addColumn<QByteArray>("saved"); // the second record's text
        QTest::addColumn<bool>("exportable");  // the calendar entry of the list's menu
        auto row = [](const char* name, QString typed, QString next, QByteArray saved, bool ics) {
            QTest::newRow(name) << typed << next << saved << ics;
        };
        row("example: the fixture's lines", "30", "2004-03-20", "30", true);
        row("28 and Chinese: lines for 28, no length saved", "28天", "2004-03-18", "", true);
        row("20: periods out of order, no calendar", "20", "2004-03-10", "20", false);
    }
    void calculateListsSixLinesAndSaves()
    {
        QFETCH(QString, typed);
        QFETCH(QString, nextPeriod);
        QFETCH(QByteArray, saved);
        QFETCH(bool, exportable);
        QVERIFY(WriteBytes(m_path, TestData("example_dear.cfg")));
        auto* form = Open();
        QCOMPARE(Child<QDateEdit>(form, "DTPicker1")->date(), QDate(2004, 2, 19)); // restored
        auto* entry = form->findChild<QAction*>("exportCalendar");
        QCOMPARE(entry->text(), "导出到日历...");
        QVERIFY(!entry->isEnabled()); // the help lines are no calculation
        auto* text = Child<QLineEdit>(form, "Text1");
        text->clear();
        // Character by character, as a keyboard (or an input method, for Chinese) types.
        for (QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, text, Qt::Key_unknown, QString(c), Qt::NoModifier);
        for (int click = 0; click < 2; ++click) // the list is cleared first: no lines pile up
            QTest::mouseClick(Child(form, "Command1"), Qt::LeftButton);
        QCOMPARE(Lines(form).section('\n', 5), nextPeriod + QString(23, ' ') + "下次月经开始日\n");
        if (typed == "30")
            QCOMPARE(Lines(form), QString::fromUtf8(TestData("example_lines.txt")));
        QCOMPARE(ReadBytes(m_path), "\"2004-02-19\"\r\n\"" + saved + "\"\r\n");
        QCOMPARE(text->text(), typed); // the input is never changed
        QCOMPARE(entry->isEnabled(), exportable);
    }

    void exportSavesWhereTheDialogSaysAndOffersItAgainAfterAFailure()
    {
        QVERIFY(WriteBytes(m_path, TestData("example_dear.cfg")));
        auto* form = Open();
        form->show();
        QTest::mouseClick(Child(form, "Command1"), Qt::LeftButton);
        const QString readOnly = m_dir.filePath("read-only.ics");
        QVERIFY(WriteBytes(readOnly, "old") && QFile::setPermissions(readOnly, QFile::ReadOwner));
        const QString chosen = m_dir.filePath("cycle.ics");

        // Each modal window answered once, as she would: the read-only file first, then another.
        // An answer waits for the tick to return, since a window it opens runs a loop of its own.
        QStringList offered; // the file each save dialog opened with
        QStringList told;    // what each message said
        QTimer user;
        connect(&user, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal->property("answered").toBool())
                return;
            modal->setProperty("answered", true);
            if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                offered << dialog->selectedFiles().value(0);
                // A whole path typed into the file name box, then Save.
                dialog->findChild<QLineEdit*>("fileNameEdit")
                    ->setText(offered.size() == 1 ? readOnly : chosen);
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                QAbstractButton* replace = box->button(QMessageBox::Yes); // the dialog's own
                if (!replace)
                    told << box->text();
                QMetaObject::invokeMethod(replace ? replace : box->button(QMessageBox::Ok), "click",
                                          Qt::QueuedConnection);
            }
        });
        user.start(20);
        form->findChild<QAction*>("exportCalendar")->trigger();
        user.stop();

        QVERIFY(offered.value(0).endsWith("/velmora.ics"));
        QCOMPARE(offered.value(1), readOnly); // again where it failed, to choose another place
        QCOMPARE(told, QStringList{"无法导出日历：文件或磁盘是只读的。\nThe file is read-only"});
        QCOMPARE(ReadBytes(readOnly), "old");
        QCOMPARE(WithoutStamps(ReadBytes(chosen)), WithoutStamps(TestData("example.ics")));
    }

    void loadStepsTextClimbingMailLinkAndSystemInformation()
    {
        QList<QUrl> opened;
        int started = 0;
        // No mail program: the box says nothing, changes nothing.
        const auto openUrl = [&](const QUrl& url) {
            return opened << url, false;
        };
        frmAbout box({openUrl, [&] {
                          ++started;
                      }});
        QCOMPARE(box.windowTitle(), "关于Velmora");
        QCOMPARE(box.geometry(), QRect(156, 129, 409, 257)); // 6135 x 3855 twips
        auto* label = box.findChild<QLabel*>("Label5");
        QCOMPARE(label->text(), QString::fromUtf8(TestData("about_text.txt")));
        auto* timer = box.findChild<QTimer*>("Timer1");
        QCOMPARE(timer->isActive() ? timer->interval() : 0, 50);
        QCOMPARE(box.findChild<QLabel*>("Picture1")->pixmap().size(), QSize(844, 549));
        QCOMPARE(box.findChild<QLabel*>("Picture2")->pixmap().size(), QSize(115, 133));

        // The text climbs 20 twips a tick and first starts again from below on tick 324.
        QCOMPARE_EQ(box.Label5Top(), kStartTop);
        const int startY = label->y();
        for (int tick = 1; tick <= 323; ++tick)
            box.Timer1Timer();
        QCOMPARE_EQ(box.Label5Top(), kStartTop - 323 * 20.0f);
        QVERIFY(label->y() < startY);
        box.Timer1Timer();
        QCOMPARE_EQ(box.Label5Top(), kRestartTop);
        QCOMPARE(label->y(), 2 + qRound(kRestartTop / 15)); // inside the 2-pixel border
        const velmora::ScrollingText rule({4560.0f, 2115.0f});
        QCOMPARE_EQ(rule.NextTop(-4530.0f), -4550.0f); // a sum of exactly 10 stays
        QCOMPARE_EQ(rule.NextTop(-4531.0f), kRestartTop);

        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::mouseClick(box.findChild<QLabel*>("lblDisclaimer"), Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{QUrl("mailto:lxy@example.com")});
        QCOMPARE_EQ(box.Label5Top(), kRestartTop);
        QCOMPARE(QApplication::topLevelWidgets(), QWidgetList{&box}); // no message of our own
        QTest::mouseClick(box.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(started, 1);
    }

    void oneBoxAtATimeWithOkOnEnterOutlivingTheMainWindow()
    {
        auto* form = Open();
        auto* about = form->findChild<QPushButton*>("Command3");
        QTest::mouseClick(about, Qt::LeftButton);
        QPointer<frmAbout> box = OpenAboutBoxes().value(0);
        QVERIFY(box && QTest::qWaitForWindowActive(box));
        box->Timer1Timer();
        QTest::mouseClick(about, Qt::LeftButton); // the same box again, not restarted
        QCOMPARE(OpenAboutBoxes(), QList<frmAbout*>{box});
        QCOMPARE_EQ(box->Label5Top(), kStartTop - 20);

        QCOMPARE(QApplication::focusWidget(), box->findChild<QWidget*>("cmdOK"));
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box->findChild<QWidget*>("cmdSysInfo"));
        QTest::keyClick(box, Qt::Key_Tab);
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(box && box->isVisible());
        QTest::keyClick(box, Qt::Key_Return);
        QTRY_VERIFY(box.isNull()); // unloaded, not hidden
        QTest::mouseClick(about, Qt::LeftButton);
        QCOMPARE_EQ(OpenAboutBoxes().value(0)->Label5Top(), kStartTop);

        form->close(); // the box has no owner: it stays
        QTRY_VERIFY(m_form.isNull());
        QCOMPARE(OpenAboutBoxes().size(), 1);
    }
};

QTEST_MAIN(UiTest)
#include "ui_test.moc"
