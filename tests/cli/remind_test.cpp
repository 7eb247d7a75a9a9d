// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// velmora-cli --remind on a session bus of its own (dbus-run-session), with a notification
// service of the test's own: what reaches the desktop, once; and that a service that is missing
// or never answers costs her nothing but the desktop.
#include "test_data.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDate>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The freedesktop.org notification service, as far as Notify: it keeps what it was given.
class Notifications : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList shown;   // "summary: body", a line each
    bool answers = true; // false: it takes the call and never answers

public Q_SLOTS:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int)
    {
        if (!answers) {
            setDelayedReply(true);
            return 0;
        }
        shown << summary + QStringLiteral(": ") + body;
        return static_cast<uint>(shown.size());
    }
};

struct Run {
    int status = -1;
    QByteArray out;
};

} // namespace

class RemindTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_program = m_dir.filePath("velmora-cli");
    Notifications m_service;

    // Her record: two cycles of 28 days, the last begun `ago` days before today.
    void LastBegan(int ago)
    {
        const QDate last = QDate::currentDate().addDays(-ago);
        QVERIFY(WriteBytes(m_dir.filePath("periods.txt"),
                           (last.addDays(-56).toString(Qt::ISODate) + '\n' +
                            last.addDays(-28).toString(Qt::ISODate) + '\n' +
                            last.toString(Qt::ISODate) + '\n')
                               .toUtf8()));
    }

    // Runs it while this process answers on the bus.
    Run Remind()
    {
        QProcess cli;
        cli.start(m_program, {"--remind"});
        if (!cli.waitForStarted())
            return {};
        if (!QTest::qWaitFor([&cli] { return cli.state() == QProcess::NotRunning; }, 20000))
            return {}; // and the QProcess kills the hanging program as it goes
        return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
                cli.readAllStandardOutput()};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QFile::copy(QStringLiteral(CLI_PATH), m_program));
        QVERIFY(WriteBytes(m_dir.filePath("dear.cfg"), "\"2004-02-19\"\r\n\"28\"\r\n"));
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY2(bus.isConnected(), "run under dbus-run-session");
        QVERIFY(bus.registerObject("/org/freedesktop/Notifications", &m_service,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService("org.freedesktop.Notifications"));
    }

    void tellsEachEventOnce()
    {
        // Two days before her earliest likely day (26 days after her last): once.
        LastBegan(24);
        const QString soon = u"月经可能在 2 天后开始：%1 到 %2。"_qs.arg(
            QDate::currentDate().addDays(2).toString(Qt::ISODate),
            QDate::currentDate().addDays(7).toString(Qt::ISODate));
        Run run = Remind();
        QCOMPARE(run.status, 0);
        QCOMPARE(QString::fromUtf8(run.out), soon + '\n');
        QCOMPARE(m_service.shown, QStringList{u"Velmora 月经提醒: "_qs + soon});
        run = Remind(); // the same day again
        QCOMPARE((QPair<int, QByteArray>(run.status, run.out)), (QPair<int, QByteArray>(0, {})));
        QCOMPARE(m_service.shown.size(), 1);
        // Mid-cycle, and without a forecast: nothing.
        LastBegan(10);
        QCOMPARE(Remind().out, QByteArray());
        QVERIFY(WriteBytes(m_dir.filePath("periods.txt"), "2026-01-01\n"));
        run = Remind();
        QCOMPARE((QPair<int, QByteArray>(run.status, run.out)), (QPair<int, QByteArray>(0, {})));
        // A day past her latest likely day (31 days on): late, counted from the expected 28th.
        LastBegan(32);
        QCOMPARE(Remind().out, "月经已比预计晚 4 天。\n");
        QCOMPARE(m_service.shown.size(), 2);
        QVERIFY(m_service.shown.last().endsWith("月经已比预计晚 4 天。"));
        QCOMPARE(Remind().out, QByteArray());
        QCOMPARE(m_service.shown.size(), 2);
    }

    // A desktop that never answers, or none at all: told on the terminal all the same.
    void aMissingOrSilentDesktopCostsOnlyTheDesktop()
    {
        m_service.answers = false;
        LastBegan(25);
        Run run = Remind();
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.startsWith("月经可能在 1 天后开始："));
        m_service.answers = true;
        QVERIFY(QDBusConnection::sessionBus().unregisterService("org.freedesktop.Notifications"));
        LastBegan(33);
        run = Remind();
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, "月经已比预计晚 5 天。\n");
        QCOMPARE(m_service.shown.size(), 2);
    }
};

QTEST_GUILESS_MAIN(RemindTest)
#include "remind_test.moc"
