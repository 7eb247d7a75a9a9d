// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window and the About box, driven as a user drives them.
// Qt 6.4's moc cannot parse the C++20 <chrono>, and needs nothing from it.
#ifndef Q_MOC_RUN
#include "calculation.h"
#include "month_window.h"
#include "result_list_menu.h"
#endif
#include "form1.h"
#include "frmabout.h"
#include "test_data.h"
#include "texts.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <atomic>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

using velmora::frmAbout;

namespace {

template <typename T = QWidget> T* Child(QObject* form, const char* name)
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

// The accessible names of a month's day cells, in order, and the focused one's.
QStringList CellNames(QTableView* month)
{
    QStringList names;
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 7; ++column)
            if (const QString name =
                    month->model()->index(row, column).data(Qt::AccessibleTextRole).toString();
                !name.isEmpty())
                names << name;
    return names;
}

// Chooses the entry of the menu just popped up under `parent`, as a click would, and closes it.
bool Choose(QObject* parent, const char* menuName, const char* entry)
{
    const QList<QMenu*> menus = parent->findChildren<QMenu*>(QString::fromLatin1(menuName));
    for (QMenu* menu : menus) {
        if (!menu->isVisible())
            continue;
        auto* action = menu->findChild<QAction*>(QString::fromLatin1(entry));
        menu->close();
        if (!action)
            return false;
        action->trigger();
        return true;
    }
    return false;
}

QList<frmAbout*> OpenAboutBoxes()
{
    QList<frmAbout*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<frmAbout*>(widget); box && box->isVisible())
            boxes << box;
    return boxes;
}

} // namespace

// 月历 of a calculation, over her record as the test wrote it, its dialogs answered by the
// test.
struct MonthScene {
    velmora::MonthWindow* window = nullptr;
    QTableView* february = nullptr;
    QListWidget* history = nullptr;
    QString saveTo, openFrom;
    bool confirmed = false;
    QString Said() const { return Child<QLabel>(window, "recordStatus")->text(); }
};
std::unique_ptr<MonthScene> OpenMonths(velmora::Form1* form)
{
    auto scene = std::make_unique<MonthScene>();
    Child<QAction>(form, "showMonths")->trigger();
    scene->window = Child<velmora::MonthWindow>(form, "monthWindow");
    MonthScene* the = scene.get();
    the->window->SetRecordDialogs({.chooseSaveFile = [the](const QString&) { return the->saveTo; },
                                   .chooseOpenFile = [the] { return the->openFrom; },
                                   .confirm = [the](const QString&) { return the->confirmed; },
                                   .tell =
                                       [](const QString&) {
                                       }});
    the->february = Child<QTableView>(the->window, "month0");
    the->history = Child<QListWidget>(the->window, "history");
    return scene;
}

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

    // The main window and the About box its About button opened.
    QPointer<frmAbout> OpenAboutFromTheWindow(velmora::Form1* form)
    {
        QTest::mouseClick(Child(form, "Command3"), Qt::LeftButton);
        return OpenAboutBoxes().value(0);
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
        QCOMPARE(Child<QDateEdit>(form, "DTPicker1")->text(), "2003-12-17 (Wednesday)");
        QCOMPARE(Child<QLineEdit>(form, "Text1")->text(), "30");
        QCOMPARE(Lines(form).toUtf8(), TestData("help_lines.txt"));
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

    void calculateListsSavesAndOffersTheCalendar_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("nextPeriod"); // the last line's date
        QTest::addColumn<QByteArray>("saved");   // the second record's text
        QTest::addColumn<QString>("whyNot");     // why 导出到日历... is off; empty when on
        const auto row = [](const char* name, QString typed, QString next, QByteArray saved,
                            QString whyNot) {
            QTest::newRow(name) << typed << next << saved << whyNot;
        };
        row("example", "30", "2004-03-20", "30", "");
        row("28 and Chinese: lines for 28, no length saved", "28天", "2004-03-18", "", "");
        row("20: periods out of order, listed but not exported", "20", "2004-03-10", "20",
            "月经周期短于25天");
        row("no number: lines for 0, not exported", "abc", "2004-02-19", "", "月经周期不是数字");
    }
    void calculateListsSavesAndOffersTheCalendar()
    {
        QFETCH(QString, typed);
        QFETCH(QString, nextPeriod);
        QFETCH(QByteArray, saved);
        QFETCH(QString, whyNot);
        auto* form = Calculate(typed);
        QCOMPARE(Lines(form).section('\n', 5), nextPeriod + QString(23, ' ') + "下次月经开始日\n");
        QCOMPARE(ReadBytes(m_path), "\"2004-02-19\"\r\n\"" + saved + "\"\r\n");
        QCOMPARE(Child<QLineEdit>(form, "Text1")->text(), typed); // the input is never changed
        const auto* entry = Child<QAction>(form, "exportCalendar");
        QCOMPARE(entry->isEnabled(), whyNot.isEmpty());
        QCOMPARE(entry->statusTip().left(whyNot.size()), whyNot);
        QCOMPARE(entry->toolTip().startsWith(whyNot), true);
    }

    void exportSavesWhereSheChoosesAndOffersThePlaceAgainAfterAFailure()
    {
        auto* form = Calculate("30");
        const QString readOnly = m_dir.filePath("read-only.ics");
        QVERIFY(WriteBytes(readOnly, "old") && QFile::setPermissions(readOnly, QFile::ReadOwner));
        const QString chosen = m_dir.filePath("cycle.ics");
        // Her answers to the save dialog, in turn: the read-only file, then another place.
        const QStringList answers = {readOnly, chosen};
        QStringList proposed, told;
        // Qt 6.4's moc cannot read the menu's header, so it has no meta-object to cast with.
        static_cast<velmora::ResultListMenu*>(Child<QObject>(form, "resultListMenu"))
            ->SetDialogs({
                .choosePath =
                    [&](const QString& path) {
                        proposed << path;
                        return answers.value(proposed.size() - 1);
                    },
                .tell = [&](const QString& message) { told << message; },
            });
        Child<QAction>(form, "exportCalendar")->trigger();

        QCOMPARE(proposed.size(), 2);
        QVERIFY(proposed[0].endsWith("/velmora.ics"));
        QCOMPARE(proposed[1], readOnly); // again where it failed, to choose another place
        QCOMPARE(told, QStringList{"无法导出日历：文件或磁盘是只读的。\nThe file is read-only"});
        QCOMPARE(ReadBytes(readOnly), "old");
        QCOMPARE(WithoutStamps(ReadBytes(chosen)), WithoutStamps(TestData("example.ics")));
    }

    void monthViewOpensFromTheMenuNamesItsDaysAndFollowsCalculate()
    {
        auto* form = Calculate("30"); // 2004-02-19
        Child<QAction>(form, "showMonths")->trigger();
        auto* window = Child<QWidget>(form, "monthWindow");
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), "月历");
        auto* february = Child<QTableView>(window, "month0");
        auto* march = Child<QTableView>(window, "month1");
        QVERIFY(CellNames(february).contains("2004-02-19 星期四 月经期"));
        QCOMPARE(february->accessibleName(), "2004年2月");
        QVERIFY(CellNames(march).contains("2004-03-06 星期六 排卵日"));
        QVERIFY(CellNames(march).contains("2004-03-20 星期六 下次月经开始日 月经期"));
        // A day on from the last of February is the 1st of March; a page on, the 1st of April,
        // with the months moved to show it.
        QTest::mouseClick(february->viewport(), Qt::LeftButton, {},
                          february->visualRect(february->model()->index(4, 0)).center());
        QCOMPARE(february->currentIndex().data(Qt::AccessibleTextRole).toString().left(10),
                 "2004-02-29");
        QTest::keyClick(february, Qt::Key_Right);
        QCOMPARE(march->currentIndex().data(Qt::AccessibleTextRole).toString().left(10),
                 "2004-03-01");
        QTest::keyClick(march, Qt::Key_PageDown);
        QVERIFY(CellNames(march).contains("2004-04-01 星期四 危险期"));
        QCOMPARE(march->currentIndex().data(Qt::AccessibleTextRole).toString(),
                 "2004-04-01 星期四 危险期");
        QTest::keyClick(march, Qt::Key_PageUp); // back: March now in the first of the two
        QCOMPARE(february->currentIndex().data(Qt::AccessibleTextRole).toString().left(10),
                 "2004-03-01");
        QTest::mouseClick(Child(window, "previousMonth"), Qt::LeftButton);
        QCOMPARE(CellNames(february).first(), "2004-02-01 星期日"); // from March back to February
        // 今天 shows today's month, today's cell (alone) named so.
        QTest::mouseClick(Child(window, "today"), Qt::LeftButton);
        const QStringList named =
            (CellNames(february) + CellNames(march)).filter(QStringLiteral(" 今天"));
        QVERIFY(named.size() == 1 && // the day may turn meanwhile
                QDate::fromString(named[0].left(10), Qt::ISODate).daysTo(QDate::currentDate()) <=
                    1);
        // A later calculation of 14 days has no picture: the window says why.
        auto* text = Child<QLineEdit>(form, "Text1");
        text->setText("14");
        QTest::mouseClick(Child(form, "Command1"), Qt::LeftButton);
        QVERIFY(!Child<QPushButton>(window, "nextMonth")->isEnabled());
        QVERIFY(!Child<QAction>(form, "showMonths")->isEnabled());
        QVERIFY(!february->isVisible());
    }

    void monthViewRecordsADayByKeyboard()
    {
        const QString record = m_dir.filePath("periods.txt");
        const auto cleanUp = qScopeGuard([&record] { QFile::remove(record); });
        QVERIFY(WriteBytes(record, "2004-01-22\n"));
        auto* form = Calculate("30"); // 2004-02-19
        const auto scene = OpenMonths(form);
        auto* february = scene->february;
        // January's day is drawn as a period she recorded; February's 19th is chosen by keys.
        QVERIFY(CellNames(february).contains("2004-02-19 星期四 月经期"));
        february->setCurrentIndex(february->model()->index(2, 4));
        QTest::keyClick(february, Qt::Key_Return);
        auto* dayMenu = Child<QMenu>(scene->window, "dayMenu"); // named by its day, Enter does it
        QCOMPARE(dayMenu->accessibleName() + dayMenu->activeAction()->objectName(),
                 "2004-02-19 星期四 月经期recordDay");
        QVERIFY(Choose(scene->window, "dayMenu", "recordDay"));
        QCOMPARE(ReadBytes(record), "2004-01-22\n2004-02-19\n");
        QCOMPARE(scene->Said(), "已记下 2004-02-19。"); // said on the status line, asked nothing
        QVERIFY(CellNames(february).contains("2004-02-19 星期四 月经期 已记下"));
        QVERIFY(CellNames(february).contains("2004-02-23 星期一 月经期 已记下")); // its five days
        QCOMPARE(scene->history->item(1)->text(), "2004-02-19  28 天");
        // The average fills the cycle box and calculates, as 计    算 does.
        auto* list = Child<QListWidget>(form, "List1");
        bool chosen = false;
        QTimer::singleShot(0, list, [&] { chosen = Choose(list, "listMenu", "useAverage"); });
        Q_EMIT list->customContextMenuRequested({}); // the menu, until the entry is chosen
        QVERIFY(chosen);
        QCOMPARE(Child<QLineEdit>(form, "Text1")->text(), "28");
        QCOMPARE(ReadBytes(m_path), "\"2004-02-19\"\r\n\"28\"\r\n");
    }

    void monthViewTakesAPeriodOutAndWaitsForATerminalsChange()
    {
        const QString record = m_dir.filePath("periods.txt");
        const auto cleanUp = qScopeGuard([&record] { QFile::remove(record); });
        QVERIFY(WriteBytes(record, "2004-01-22\n2004-02-19\n"));
        const auto scene = OpenMonths(Calculate("30"));
        auto* february = scene->february;
        // Her period's third day is no new period: what it offers is taking the period out.
        february->setCurrentIndex(february->model()->index(3, 0)); // 2004-02-22
        QTest::keyClick(february, Qt::Key_Space);
        QVERIFY(Choose(scene->window, "dayMenu", "forgetPeriod"));
        QCOMPARE(ReadBytes(record), "2004-01-22\n");
        // A terminal changing the record at the same moment: the window waits for its lock,
        // then keeps both its day and the window's.
        std::atomic<bool> locked = false;
        std::thread terminal([&] {
            const int lock = ::open(QFile::encodeName(m_dir.filePath(".periods.txt.lock")),
                                    O_RDONLY | O_CREAT | O_CLOEXEC, 0600);
            ::flock(lock, LOCK_EX);
            locked = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            WriteBytes(record, "2004-01-22\n2004-04-15\n");
            ::close(lock);
        });
        while (!locked)
            std::this_thread::yield();
        february->setCurrentIndex(february->model()->index(2, 4)); // 2004-02-19
        QTest::keyClick(february, Qt::Key_Return);
        QVERIFY(Choose(scene->window, "dayMenu", "recordDay"));
        terminal.join();
        QCOMPARE(ReadBytes(record), "2004-01-22\n2004-02-19\n2004-04-15\n");
        // What the terminal recorded while she was away is in sight when she comes back.
        QVERIFY(WriteBytes(record, "2004-01-22\n2004-02-19\n2004-04-15\n2004-05-13\n"));
        QEvent back(QEvent::WindowActivate);
        QApplication::sendEvent(scene->window, &back);
        QCOMPARE(scene->history->count(), 4);
    }

    void monthViewTakesInCarriesOutAndClearsHerRecord()
    {
        const QString record = m_dir.filePath("periods.txt");
        QVERIFY(WriteBytes(record, "2004-01-22\n2004-02-19\n"));
        const auto scene = OpenMonths(Calculate("30"));
        // Periodical's backup comes in as it is, gzip and all; the record goes out as the file
        // holds it.
        scene->openFrom = QStringLiteral(VELMORA_TEST_DATA "/imports/periodical-backup.json.gz");
        QTest::mouseClick(Child(scene->window, "importRecord"), Qt::LeftButton);
        QCOMPARE(scene->Said(), "从 Periodical 导入了 3 次月经。有 1 条没有用上。");
        QTest::mouseClick(Child(scene->window, "importRecord"), Qt::LeftButton); // nothing new
        QCOMPARE(scene->Said(), "从 Periodical 导入了 0 次月经。有 1 条没有用上。");
        scene->saveTo = m_dir.filePath("carried.txt");
        QTest::mouseClick(Child(scene->window, "exportRecord"), Qt::LeftButton);
        QCOMPARE(ReadBytes(scene->saveTo),
                 "2004-01-22\n2004-02-19\n2024-01-03\n2024-02-01\n2024-03-02\n");
        // 清除记录 asks first; the last change's words go as it starts.
        QTest::mouseClick(Child(scene->window, "clearRecord"), Qt::LeftButton);
        QVERIFY(QFile::exists(record) && scene->Said().isEmpty());
        scene->confirmed = true;
        QTest::mouseClick(Child(scene->window, "clearRecord"), Qt::LeftButton);
        QVERIFY(!QFile::exists(record));
        QCOMPARE(scene->Said(), "记录已清除。");
        QCOMPARE(scene->history->count(), 0);
        QVERIFY(!CellNames(scene->february).join(' ').contains("已记下"));
    }

    // 提醒我 shows whether the daily reminder is on, turns it on and off, and where the system
    // cannot, says why and shows it as it is.
    void remindMeTurnsTheDailyReminderOnAndOff()
    {
        auto* form = Calculate("30");
        Child<QAction>(form, "showMonths")->trigger();
        auto* window = Child<velmora::MonthWindow>(form, "monthWindow");
        QList<bool> asked;
        bool scheduler = true;
        window->SetReminderSwitch(
            {.isOn = [] { return std::optional(true); },
             .set =
                 [&](bool on) {
                     asked << on;
                     if (!scheduler)
                         return velmora::ScheduleAnswer{
                             false, "这台电脑没有可用的 systemd 用户服务，无法每天提醒。", {}};
                     return velmora::ScheduleAnswer{
                         true, on ? "已打开每天的提醒。" : "已关闭每天的提醒。", {}};
                 }});
        auto* remind = Child<QCheckBox>(window, "remindMe");
        const auto said = [window] {
            return Child<QLabel>(window, "recordStatus")->text();
        };
        QVERIFY(remind->isChecked() && asked.isEmpty()); // asked, not changed
        remind->click();
        QCOMPARE(asked, QList<bool>{false});
        QVERIFY(!remind->isChecked());
        QCOMPARE(said(), "已关闭每天的提醒。");
        scheduler = false;
        remind->click();
        QCOMPARE(asked, (QList<bool>{false, true}));
        QVERIFY(!remind->isChecked());
        QCOMPARE(said(), "这台电脑没有可用的 systemd 用户服务，无法每天提醒。");
    }

    void herRecordFeedsTheCalculation()
    {
        // Cycles of 29 and 28 days: the next period on 2004-04-16, from the 13th to the 18th, long
        // past today.
        const QString record = m_dir.filePath("periods.txt");
        const auto cleanUp = qScopeGuard([&record] { QFile::remove(record); });
        QVERIFY(WriteBytes(record, "2004-01-21\n2004-02-19\n2004-03-18\n"));
        auto* form = Calculate("30"); // 2004-02-19
        auto* picker = Child<QDateEdit>(form, "DTPicker1");
        auto* list = Child<QListWidget>(form, "List1");
        // Calculated: the cycle box holds the length, and the lines run from the first day to the
        // next period's.
        const auto calculated = [&form](const QString& cycle, const QString& first,
                                        const QString& next) {
            QCOMPARE(Child<QLineEdit>(form, "Text1")->text(), cycle);
            const QStringList lines = Lines(form).split('\n', Qt::SkipEmptyParts);
            QCOMPARE(lines.size(), 6);
            QCOMPARE(lines.front().left(10) + ' ' + lines.back(),
                     first + ' ' + next + QStringLiteral("                       下次月经开始日"));
        };
        // 按记录计算 from the list's menu: her latest first day and the length her record
        // foretells, calculated.
        bool chosen = false;
        QTimer::singleShot(0, list, [&] { chosen = Choose(list, "listMenu", "fromRecord"); });
        Q_EMIT list->customContextMenuRequested({});
        QVERIFY(chosen);
        QCOMPARE(picker->date(), QDate(2004, 3, 18));
        calculated("29", "2004-03-18", "2004-04-16");
        // Under the six lines, the days they call 安全期 that cycles of 28 and 29 days may make
        // fertile.
        auto* caution = Child<QLabel>(form, "safeCaution");
        QVERIFY(!caution->isHidden() && form->rect().contains(caution->geometry()));
        QCOMPARE(caution->text(),
                 "按你的记录，2004-03-25 到 2004-03-27、2004-04-07 也可能易孕，不是安全期。");
        QCOMPARE(ReadBytes(m_path), "\"2004-03-18\"\r\n\"29\"\r\n");
        // 月历 says first how long ago her last period began, foretells nothing from so long
        // ago, and marks the likely days.
        Child<QAction>(form, "showMonths")->trigger();
        auto* window = Child<velmora::MonthWindow>(form, "monthWindow");
        QCOMPARE(Child<QLabel>(window, "recordNotice")->text().section(" 开始", 0, 0),
                 "上次记下的月经 2004-03-18");
        QVERIFY(Child<QLabel>(window, "forecast")->text().isEmpty());
        auto* april = Child<QTableView>(window, "month1");
        const QStringList likely = CellNames(april).filter("可能来月经");
        QCOMPARE(likely.size(), 6);
        QVERIFY(likely.front().startsWith("2004-04-13 ") &&
                likely.back().startsWith("2004-04-18 "));
        // Her period came on the 16th: recorded, it calculates from her record at once.
        april->setCurrentIndex(april->model()->index(2, 5));
        QTest::keyClick(april, Qt::Key_Return);
        QVERIFY(Choose(window, "dayMenu", "recordDay"));
        QCOMPARE(picker->date(), QDate(2004, 4, 16));
        calculated("29", "2004-04-16", "2004-05-15"); // 29, 28 and 29 days
        QVERIFY(CellNames(april).filter("可能来月经").join(' ').startsWith("2004-05-13 ")); // May
        // The record view's own 按记录计算 takes her record again over what was typed.
        picker->setDate(QDate(2004, 2, 19));
        QTest::mouseClick(Child(window, "fromRecord"), Qt::LeftButton);
        QCOMPARE(picker->date(), QDate(2004, 4, 16));
        const QPointer<QWidget> open = window;
        QTest::keyClick(april, Qt::Key_Escape); // closes 月历
        QTRY_VERIFY(open.isNull());
    }

    void aboutBoxShowsItsTitleAndScrollingCredits()
    {
        frmAbout* box = OpenAboutBox();
        QCOMPARE(box->windowTitle(), "关于Velmora");
        const auto* credits = Child<QLabel>(box, "Label5");
        QVERIFY(Child<QTimer>(box, "Timer1")->isActive());
        // They climb over the large picture, inside its border: neither side is cut off.
        const QRect inside = Child<QLabel>(box, "Picture1")->contentsRect();
        QVERIFY(credits->x() >= inside.left() && credits->geometry().right() <= inside.right());
    }

    void textClimbsAndStartsAgainFromBelowOnlyOnceItHasPassed()
    {
        // It starts low in the picture's window, climbs through it a little each tick, and
        // starts again from below only once the last line has gone over the top.
        frmAbout* box = OpenAboutBox();
        auto* label = Child<QLabel>(box, "Label5");
        const QRect inside = Child<QLabel>(box, "Picture1")->contentsRect();
        QVERIFY(label->y() > inside.center().y() && label->y() < inside.bottom());
        int ticks = 0;
        for (int y = label->y(); ticks < 2000; y = label->y(), ++ticks) {
            box->Timer1Timer();
            if (label->y() > y) {
                QVERIFY2(y + label->height() <= inside.top() + 1, qPrintable(QString::number(y)));
                break;
            }
            QVERIFY(label->y() < y || y + label->height() > inside.top());
        }
        QVERIFY(ticks > 100 && ticks < 2000);
        QVERIFY(label->y() >= inside.bottom());
    }

    void aboutBoxButtonsHandOverToTheDesktop_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QList<QUrl>>("opened");
        QTest::addColumn<int>("started");
        QTest::newRow("mail link: mailto, and a failure says nothing")
            << "lblDisclaimer" << QList<QUrl>{QUrl("mailto:lxy@example.com")} << 0;
        QTest::newRow("系统信息: the system-information tool")
            << "cmdSysInfo" << QList<QUrl>{} << 1;
    }
    void aboutBoxButtonsHandOverToTheDesktop()
    {
        QFETCH(QString, control);
        QFETCH(QList<QUrl>, opened);
        QFETCH(int, started);
        frmAbout* box = OpenAboutBox();
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box));
        QTest::mouseClick(Child(box, control.toLatin1()), Qt::LeftButton);
        QCOMPARE(m_opened, opened);
        QCOMPARE(m_started, started);
        QCOMPARE(QApplication::topLevelWidgets(), QWidgetList{box}); // no message of our own
    }

    // One About box at a time, of its own: the About button brings the open one back as it
    // is, and closing the main window leaves it open.
    void theAboutBoxIsOneAndOutlivesTheMainWindow()
    {
        auto* form = Open();
        const QPointer<frmAbout> box = OpenAboutFromTheWindow(form);
        QVERIFY(box);
        box->Timer1Timer();
        const int climbed = Child<QLabel>(box, "Label5")->y();
        QTest::mouseClick(Child(form, "Command3"), Qt::LeftButton);
        QCOMPARE(OpenAboutBoxes(), QList<frmAbout*>{box});
        QCOMPARE(Child<QLabel>(box, "Label5")->y(), climbed); // not restarted
        form->close();
        QTRY_VERIFY(m_form.isNull());
        QCOMPARE(OpenAboutBoxes(), QList<frmAbout*>{box});
    }
};

QTEST_MAIN(UiTest)
#include "ui_test.moc"
