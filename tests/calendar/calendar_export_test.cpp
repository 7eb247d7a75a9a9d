// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt 6.4's moc cannot parse the C++20 <chrono>, and needs nothing from it.
#ifndef Q_MOC_RUN
#include "calendar_export.h"
#endif
#include "test_data.h"

#include <QDate>
#include <QTest>

using namespace std::chrono;

namespace {

const sys_seconds kStamp = sys_days{2026y / December / 7} + 9h + 30min;

velmora::CalendarExport Export(const char* cycle, sys_seconds stamp = kStamp,
                               QDate firstDay = QDate(2004, 2, 19))
{
    const auto day = velmora::CalendarDate::FromYmd(firstDay.year(), unsigned(firstDay.month()),
                                                    unsigned(firstDay.day()));
    return velmora::ExportCalendar(velmora::CalculatePhases(day.value(), cycle), stamp);
}

} // namespace

class CalendarExportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exampleMatchesTheGoldenCalendarAtEveryExport()
    {
        QCOMPARE(QByteArray::fromStdString(Export("30").text), TestData("example.ics"));
        // Only the stamp tells a later export of the same calculation apart: a calendar that
        // imports both keeps one set of events.
        QByteArray later = QByteArray::fromStdString(Export("30.2", kStamp + 24h).text);
        QCOMPARE(later.replace("DTSTAMP:20261208T", "DTSTAMP:20261207T"), TestData("example.ics"));
        QVERIFY(QByteArray::fromStdString(Export("31").text).contains("UID:2004-02-19-31-1@"));
    }

    void refusesPhasesOutOfOrder_data()
    {
        QTest::addColumn<QByteArray>("cycle");
        QTest::addColumn<QDate>("firstDay");
        QTest::addColumn<bool>("refused");
        auto row = [](const char* name, QByteArray cycle, bool refused,
                      QDate firstDay = QDate(2004, 2, 19)) {
            QTest::newRow(name) << cycle << firstDay << refused;
        };
        row("25 days: the shortest with a first safe day", "25", false);
        row("24 days: first safe period ends before it starts", "24", true);
        row("no number", "abc", true);
        row("next period beyond 9999", "400", true, QDate(9999, 1, 1));
        row("period's last day beyond 9999, the rest in order", "0", true, QDate(9999, 12, 30));
    }
    void refusesPhasesOutOfOrder()
    {
        QFETCH(QByteArray, cycle);
        QFETCH(QDate, firstDay);
        QFETCH(bool, refused);
        const velmora::CalendarExport calendar = Export(cycle.constData(), kStamp, firstDay);
        QCOMPARE(calendar.refusal.empty(), !refused);
        QCOMPARE(calendar.text.empty(), refused);
    }
};

QTEST_GUILESS_MAIN(CalendarExportTest)
#include "calendar_export_test.moc"
