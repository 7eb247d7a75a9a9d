// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt 6.4's moc cannot parse the C++20 <chrono>, and needs nothing from it.
#ifndef Q_MOC_RUN
#include "calendar_export.h"
#endif
#include "test_data.h"

#include <QTest>
#include <libical/ical.h>

using namespace std::chrono;
using velmora::CalendarDate;
using velmora::ExportCalendar;

namespace {

const sys_seconds kStamp = sys_days{2026y / December / 7} + 9h + 30min;

velmora::PhaseDates Phases(int year, unsigned month, unsigned day, const char* cycle)
{
    return velmora::CalculatePhases(*CalendarDate::FromYmd(year, month, day), cycle);
}

} // namespace

class CalendarExportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exampleMatchesTheGoldenCalendar()
    {
        const velmora::CalendarExport calendar = ExportCalendar(Phases(2004, 2, 19, "30"), kStamp);
        QCOMPARE(calendar.refusal, std::string());
        QCOMPARE(QByteArray::fromStdString(calendar.text), TestData("example.ics"));
    }

    void readsBackWithoutErrors()
    {
        const std::string text = ExportCalendar(Phases(2004, 2, 19, "30"), kStamp).text;
        icalcomponent* calendar = icalparser_parse_string(text.c_str());
        QVERIFY(calendar);
        QVERIFY(icalrestriction_check(calendar));
        QCOMPARE(icalcomponent_count_errors(calendar), 0);
        QCOMPARE(icalcomponent_count_components(calendar, ICAL_VEVENT_COMPONENT), 6);
        icalcomponent_free(calendar);
    }

    void sameCalculationKeepsItsUids()
    {
        const auto first = ExportCalendar(Phases(2004, 2, 19, "30"), kStamp).text;
        const auto later = ExportCalendar(Phases(2004, 2, 19, "30.2"), kStamp + 24h).text;
        const auto uids = [](const std::string& text) {
            QByteArrayList found;
            for (const QByteArray& line : QByteArray::fromStdString(text).split('\n'))
                if (line.startsWith("UID:"))
                    found << line;
            return found;
        };
        QCOMPARE(uids(first).size(), 6);
        QCOMPARE(uids(later), uids(first));
        QVERIFY(uids(ExportCalendar(Phases(2004, 2, 19, "31"), kStamp).text) != uids(first));
    }

    void refusesPhasesOutOfOrder_data()
    {
        QTest::addColumn<QDate>("firstDay");
        QTest::addColumn<QByteArray>("cycle");
        QTest::addColumn<bool>("refused");
        const QDate day(2004, 2, 19);
        QTest::newRow("25 days: the shortest with a first safe day")
            << day << QByteArray("25") << false;
        QTest::newRow("24 days: first safe period ends before it starts")
            << day << QByteArray("24") << true;
        QTest::newRow("zero") << day << QByteArray("0") << true;
        QTest::newRow("negative") << day << QByteArray("-30") << true;
        QTest::newRow("no number") << day << QByteArray("abc") << true;
        QTest::newRow("next period beyond 9999") << QDate(9999, 1, 1) << QByteArray("400") << true;
        QTest::newRow("period's last day beyond 9999, the rest in order")
            << QDate(9999, 12, 30) << QByteArray("0") << true;
    }
    void refusesPhasesOutOfOrder()
    {
        QFETCH(QDate, firstDay);
        QFETCH(QByteArray, cycle);
        QFETCH(bool, refused);
        const velmora::CalendarExport calendar =
            ExportCalendar(Phases(firstDay.year(), static_cast<unsigned>(firstDay.month()),
                                  static_cast<unsigned>(firstDay.day()), cycle.constData()),
                           kStamp);
        QCOMPARE(calendar.refusal.empty(), !refused);
        QCOMPARE(calendar.text.empty(), refused);
    }
};

QTEST_GUILESS_MAIN(CalendarExportTest)
#include "calendar_export_test.moc"
