// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window and the About box, driven as a user drives them.
#include "form1.h"
#include "frmabout.h"
#include "scrolling_label.h"
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
    QList<QUrl> m_opened;            // what the About box handed to the mail program
    int m_started = 0;               // how often it started the system-information tool

    velmora::Form1* Open() { return m_form = new velmora::Form1(m_path); }

    // The main window after typing into the cycle box, character by character as a keyboard
    // (or an input method, for Chinese) types, and clicking Calculate.
    velmora::Form1* Calculate(const QString& typed)
    {
        auto* form = Open();
        auto* text = Child<QLineEdit>(form, "Text1");
        text->clear();
        for (QChar c : typed)
            QTest::sendKeyEvent(QTest::Click, text, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::mouseClick(Child(form, "Command1"), Qt::LeftButton);
        return form;
    }

    // An About box whose mail program fails to open, as when there is none.
    frmAbout* OpenAboutBox()
    {
        const auto openUrl = [this](const QUrl& url) {
            m_opened << url;
            return false;
        };
        return new frmAbout({openUrl, [this] {
                                 ++m_started;
                             }});
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        QVERIFY(WriteBytes(m_path, TestData("example_dear.cfg"))); // 2004-02-19, 30
        m_opened.clear();
        m_started = 0;
    }
    void cleanup()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            widget->close();
        QTRY_VERIFY(m_form.isNull() && OpenAboutBoxes().isEmpty());
    }

    void firstStartShowsTheInitialInputsAndTheHelp()
    {
        QFile::remove(m_path);
        auto* form = Open();
        QCOMPARE(form->windowTitle(), "Velmora");
        QStringList captions;
        for (const char* name :
             {"DTPicker1", "l1", "Label1", "Text1", "Command1", "Command2", "Command3"})
            captions << Child(form, name)->property("text").toString();
        QCOMPARE(captions, QStringList({"2003-12-17 (Wednesday)", "上次月经来潮日期:", "月经周期:",
                                        "30", "计    算", "取    消", "关于..."}));
        QCOMPARE(Lines(form), QString::fromUtf8(TestData("help_lines.txt")));
    }

    void startRestoresTheSavedInputs()
    {
        auto* form = Open();
        QCOMPARE(Child<QDateEdit>(form, "DTPicker1")->date(), QDate(2004, 2, 19));
        QCOMPARE(Child<QLineEdit>(form, "Text1")->text(), "30");
    }

    void tabMovesThroughTheControlsInTheirOrder()
    {
        auto* form = Open();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(QApplication::focusWidget(), Child(form, "DTPicker1"));
        QStringList order;
        for (int step = 0; step < 6; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order,
                 QStringList({"List1", "Text1", "Command1", "Command2", "Command3", "DTPicker1"}));
    }

    void enterIsNoCalculateAndEscapeNoCancel()
    {
        auto* form = Open();
        form->show();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(Child(form, "Text1"), key);
        QVERIFY(m_form);
        QCOMPARE(Lines(form), QString::fromUtf8(TestData("help_lines.txt")));
    }

    void aLargerWindowMovesNoControl()
    {
        auto* form = Open();
        form->show();
        QCOMPARE(form->size(), QSize(345, 239)); // 5175 x 3585 twips
        form->showMaximized();
        QTRY_VERIFY(form->width() > 345);
        QCOMPARE(Child(form, "List1")->geometry(), QRect(8, 40, 329, 160));
        QCOMPARE(Child(form, "Command3")->geometry(), QRect(176, 208, 73, 23));
    }

    void cancelUnloadsTheWindowAndSavesNothing()
    {
        QFile::remove(m_path);
        auto* form = Open();
        form->show();
        QTest::mouseClick(Child(form, "Command2"), Qt::LeftButton);
        QTRY_VERIFY(m_form.isNull()); // unloaded, not just hidden
        QVERIFY(!QFile::exists(m_path));
    }

    void calculateListsTheSixLinesOnce()
    {
        auto* form = Calculate("30");
        QTest::mouseClick(Child(form, "Command1"), Qt::LeftButton); // the list is cleared first
        QCOMPARE(Lines(form), QString::fromUtf8(TestData("example_lines.txt")));
    }

    void calculateUsesTheLeadingNumberAndSavesTheInputs_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("nextPeriod");
        QTest::addColumn<QByteArray>("saved"); // the second record's text
        const auto row = [](const char* name, QString typed, QString next, QByteArray saved) {
            QTest::newRow(name) << typed << next << saved;
        };
        row("example", "30", "2004-03-20", "30");
        row("28 and Chinese: lines for 28, no length saved", "28天", "2004-03-18", "");
        row("20: periods out of order, still listed", "20", "2004-03-10", "20");
    }
    void calculateUsesTheLeadingNumberAndSavesTheInputs()
    {
        QFETCH(QString, typed);
        QFETCH(QString, nextPeriod);
        QFETCH(QByteArray, saved);
        auto* form = Calculate(typed);
        QCOMPARE(Lines(form).section('\n', 5), nextPeriod + QString(23, ' ') + "下次月经开始日\n");
        QCOMPARE(ReadBytes(m_path), "\"2004-02-19\"\r\n\"" + saved + "\"\r\n");
        QCOMPARE(Child<QLineEdit>(form, "Text1")->text(), typed); // the input is never changed
    }

    void calendarEntryIsOnForPhasesInOrder_data()
    {
        QTest::addColumn<QString>("typed"); // empty: no calculation yet, only the help
        QTest::addColumn<bool>("enabled");
        QTest::newRow("help lines") << QString() << false;
        QTest::newRow("30 days") << "30" << true;
        QTest::newRow("20 days: out of order") << "20" << false;
    }
    void calendarEntryIsOnForPhasesInOrder()
    {
        QFETCH(QString, typed);
        QFETCH(bool, enabled);
        auto* form = typed.isEmpty() ? Open() : Calculate(typed);
        auto* entry = form->findChild<QAction*>("exportCalendar");
        QCOMPARE(entry->text(), "导出到日历...");
        QCOMPARE(entry->isEnabled(), enabled);
    }

    void exportSavesWhereTheDialogSaysAndOffersItAgainAfterAFailure()
    {
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

    void aboutBoxShowsItsLoadSteps()
    {
        frmAbout* box = OpenAboutBox();
        QCOMPARE(box->windowTitle(), "关于Velmora");
        QCOMPARE(box->geometry(), QRect(156, 129, 409, 257)); // 6135 x 3855 twips
        auto* credits = box->findChild<QLabel*>("Label5");
        QCOMPARE(credits->text(), QString::fromUtf8(TestData("about_text.txt")));
        QVERIFY(credits->wordWrap()); // a line wider than the picture goes on below
        QCOMPARE(box->findChild<QLabel*>("Picture1")->pixmap().size(), QSize(844, 549));
        QCOMPARE(box->findChild<QLabel*>("Picture2")->pixmap().size(), QSize(115, 133));
        auto* timer = box->findChild<QTimer*>("Timer1");
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 50);
    }

    void coloursAndTheUnderlinedMailLink()
    {
        frmAbout* box = OpenAboutBox();
        QCOMPARE(box->palette().color(QPalette::Window), QColor(192, 192, 255));
        const QPalette welcome = box->findChild<QLabel*>("Label3")->palette();
        QCOMPARE(welcome.color(QPalette::WindowText), QColor(0, 255, 0));
        QVERIFY(box->findChild<QLabel*>("lblDisclaimer")->font().underline());
        const QPalette warning = box->findChild<QLabel*>("Label2")->palette();
        QCOMPARE(warning.color(QPalette::WindowText), QColor(255, 128, 255));
    }

    void anEtchedLineSeparatesTheMailRow()
    {
        const QImage box = OpenAboutBox()->grab().toImage();
        // 3000 twips down: a grey line over the upper half of a white one two pixels wide,
        // straight across the box.
        for (int x : {0, 400}) {
            QCOMPARE(box.pixelColor(x, 200), QColor(128, 128, 128));
            QCOMPARE(box.pixelColor(x, 201), QColor(Qt::white));
            QCOMPARE(box.pixelColor(x, 202), QColor(192, 192, 255));
        }
    }

    void textClimbsAndFirstStartsAgainFromBelowOnTick324()
    {
        frmAbout* box = OpenAboutBox();
        auto* label = box->findChild<QLabel*>("Label5");
        QCOMPARE_EQ(box->Label5Top(), kStartTop);
        const int startY = label->y();
        for (int tick = 1; tick <= 323; ++tick)
            box->Timer1Timer();
        QCOMPARE_EQ(box->Label5Top(), kStartTop - 323 * 20.0f);
        QVERIFY(label->y() < startY);
        box->Timer1Timer();
        QCOMPARE_EQ(box->Label5Top(), kRestartTop);
        QCOMPARE(label->y(), 2 + qRound(kRestartTop / 15)); // inside the 2-pixel border
    }

    void creditsAreDrawnAnewAtANewSize()
    {
        velmora::ScrollingLabel label, fresh;
        label.setText("Velmora\r\n程序编制");
        label.resize(60, 20);
        label.grab();
        label.resize(120, 40);
        fresh.setText(label.text());
        fresh.resize(120, 40);
        QCOMPARE(label.grab().toImage(), fresh.grab().toImage());
    }

    void textStartsAgainOnlyOnceItsBottomPassedTenTwips()
    {
        const velmora::ScrollingText rule({4560.0f, 2115.0f});
        QCOMPARE_EQ(rule.NextTop(-4530.0f), -4550.0f); // a sum of exactly 10 stays
        QCOMPARE_EQ(rule.NextTop(-4531.0f), kRestartTop);
    }

    void mailLinkOpensMailToAndChangesNothing()
    {
        frmAbout* box = OpenAboutBox();
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box));
        QTest::mouseClick(box->findChild<QLabel*>("lblDisclaimer"), Qt::LeftButton);
        QCOMPARE(m_opened, QList<QUrl>{QUrl("mailto:lxy@example.com")});
        QCOMPARE_EQ(box->Label5Top(), kStartTop);
        QCOMPARE(QApplication::topLevelWidgets(), QWidgetList{box}); // no message of our own
    }

    void systemInformationButtonStartsTheTool()
    {
        frmAbout* box = OpenAboutBox();
        box->show();
        QTest::mouseClick(box->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(m_started, 1);
    }

    void aboutButtonShowsTheOpenBoxAgainNotRestarted()
    {
        auto* about = Open()->findChild<QPushButton*>("Command3");
        QTest::mouseClick(about, Qt::LeftButton);
        QPointer<frmAbout> box = OpenAboutBoxes().value(0);
        QVERIFY(box);
        box->Timer1Timer();
        QTest::mouseClick(about, Qt::LeftButton);
        QCOMPARE(OpenAboutBoxes(), QList<frmAbout*>{box});
        QCOMPARE_EQ(box->Label5Top(), kStartTop - 20);
    }

    void okAnswersEnterWhereEscapeDoesNothing()
    {
        auto* about = Open()->findChild<QPushButton*>("Command3");
        QTest::mouseClick(about, Qt::LeftButton);
        QPointer<frmAbout> box = OpenAboutBoxes().value(0);
        QVERIFY(box && QTest::qWaitForWindowActive(box));
        QCOMPARE(QApplication::focusWidget(), box->findChild<QWidget*>("cmdOK"));
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box->findChild<QWidget*>("cmdSysInfo"));
        QTest::keyClick(box, Qt::Key_Tab);
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(box && box->isVisible());
        QTest::keyClick(box, Qt::Key_Return);
        QTRY_VERIFY(box.isNull());                // unloaded, not hidden
        QTest::mouseClick(about, Qt::LeftButton); // a new box starts from the beginning
        QCOMPARE_EQ(OpenAboutBoxes().value(0)->Label5Top(), kStartTop);
    }

    void aboutBoxOutlivesTheMainWindow()
    {
        auto* form = Open();
        QTest::mouseClick(form->findChild<QPushButton*>("Command3"), Qt::LeftButton);
        form->close(); // the box has no owner: it stays
        QTRY_VERIFY(m_form.isNull());
        QCOMPARE(OpenAboutBoxes().size(), 1);
    }
};

QTEST_MAIN(UiTest)
#include "ui_test.moc"
