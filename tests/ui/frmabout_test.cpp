// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"
#include "frmabout.h"
#include "test_data.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

using velmora::frmAbout;

namespace {

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

class FrmAboutTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void cleanup()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            widget->close();
        QTRY_VERIFY(OpenAboutBoxes().isEmpty());
    }

    void loadStepsThenTheTextClimbsAndRestarts()
    {
        frmAbout box({});
        QCOMPARE(box.windowTitle(), "关于Velmora");
        QCOMPARE(box.geometry(), QRect(156, 129, 409, 257)); // 6135 x 3855 twips
        QCOMPARE(box.findChild<QLabel*>("Label5")->text(),
                 QString::fromUtf8(TestData("about_text.txt")));
        auto* timer = box.findChild<QTimer*>("Timer1");
        QCOMPARE(timer->isActive() ? timer->interval() : 0, 50);
        QCOMPARE(box.findChild<QLabel*>("Picture1")->pixmap().size(), QSize(844, 549));
        QCOMPARE(box.findChild<QLabel*>("Picture2")->pixmap().size(), QSize(115, 133));

        // The text climbs 20 twips a tick and first starts again from below on tick 324.
        auto* label = box.findChild<QLabel*>("Label5");
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
    }

    void oneBoxAtATimeWithOkOnEnterOutlivingTheMainWindow()
    {
        QPointer<velmora::Form1> form = new velmora::Form1(m_dir.filePath("dear.cfg"));
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
        QTRY_VERIFY(form.isNull());
        QCOMPARE(OpenAboutBoxes().size(), 1);
    }

    void mailLinkAndSystemInformationGoThroughTheirServices()
    {
        QList<QUrl> opened;
        int started = 0;
        // No mail program: the box says nothing, changes nothing.
        frmAbout box({[&](const QUrl& url) { return opened << url, false; },
                      [&] {
                          ++started;
                      }});
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::mouseClick(box.findChild<QLabel*>("lblDisclaimer"), Qt::LeftButton);
        QCOMPARE(opened, QList<QUrl>{QUrl("mailto:lxy@example.com")});
        QCOMPARE_EQ(box.Label5Top(), kStartTop);
        QCOMPARE(QApplication::topLevelWidgets(), QWidgetList{&box}); // no message of our own
        QTest::mouseClick(box.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(started, 1);
    }
};

QTEST_MAIN(FrmAboutTest)
#include "frmabout_test.moc"
