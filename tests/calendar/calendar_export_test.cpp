// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt 6.4's moc cannot parse the C++20 <chrono>, and needs nothing from it.
#ifndef Q_MOC_RUN
#include "calculation.h"
#endif
#include "test_data.h"

#include <QDate>
#include <QTest>
#include <algorithm>

using namespace std::chrono;

namespace {

const sys_seconds kStamp = sys_days{2026y / December / 7} + 9h + 30min;

velmora::CalendarExport Export(const char* cycle, sys_seconds stamp = kStamp,
                               QDate firstDay = QDate(2004, 2, 19), int lowestSequence = 0)
{
    const auto dates = velmora::Calculate({.date = firstDay, .cycleLengthText = cycle});
    return velmora::ExportCalendar(dates, stamp, lowestSequence);
}

} // namespace

// The lines of the text that begin with `name`, without it.
QByteArrayList Values(const velmora::CalendarExport& calendar, const QByteArray& name)
{
    QByteArrayList values;
    for (const QByteArray& line : QByteArray::fromStdString(calendar.text).split('\n'))
        if (line.startsWith(name))
            values << line.mid(name.size()).trimmed();
    return values;
}

// The days the six events cover: the first one's start up to the last one's exclusive end.
QByteArray Span(const velmora::CalendarExport& calendar)
{
    const QByteArrayList starts = Values(calendar, "DTSTART;VALUE=DATE:");
    const QByteArrayList ends = Values(calendar, "DTEND;VALUE=DATE:");
    return starts.isEmpty() || ends.isEmpty() ? QByteArray() : starts.first() + ".." + ends.last();
}

using Refusal = std::optional<velmora::CalendarRefusal>;

class CalendarExportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exampleMatchesTheGoldenCalendar()
    {
        QCOMPARE(QByteArray::fromStdString(Export("30").text), TestData("example.ics"));
    }

    void aLaterExportOfTheSameCycleReplacesItsSixEvents()
    {
        // A corrected length, a day later: the same events, each a newer version of itself.
        const velmora::CalendarExport earlier = Export("30");
        const velmora::CalendarExport later = Export("31", kStamp + 24h);
        QCOMPARE(Values(later, "UID:"), Values(earlier, "UID:"));
        const auto newer = [](const velmora::CalendarExport& one,
                              const velmora::CalendarExport& other, const char* property) {
            const QByteArrayList a = Values(one, property);
            const QByteArrayList b = Values(other, property);
            return a.size() == 8 && b.size() == 8 &&
                   std::ranges::all_of(a, [&](const QByteArray& v) { return v == a[0]; }) &&
                   a[0].toLongLong() > b[0].toLongLong();
        };
        QVERIFY(newer(later, earlier, "SEQUENCE:"));
        QVERIFY(Values(later, "LAST-MODIFIED:")[0] > Values(earlier, "LAST-MODIFIED:")[0]);
        // In the same second, saved over the earlier file: newer still.
        const velmora::CalendarExport over =
            Export("31", kStamp, QDate(2004, 2, 19), velmora::SequenceAfter(earlier.text));
        QVERIFY(newer(over, earlier, "SEQUENCE:"));
        // A clock set back before the first export: never below 0, and newer over the file.
        const velmora::CalendarExport early = Export("30", sys_days{2025y / 12 / 31});
        QVERIFY(Values(early, "SEQUENCE:")[0].toLongLong() >= 0);
        QVERIFY(newer(Export("30", sys_days{2025y / 12 / 31}, QDate(2004, 2, 19),
                             velmora::SequenceAfter(early.text)),
                      early, "SEQUENCE:"));
        QCOMPARE(velmora::SequenceAfter("no calendar at all"), 0);
        // A file already at the top, as one exported after 2094: no overflow to a negative one.
        QCOMPARE(velmora::SequenceAfter(Export("30", sys_days{2100y / 1 / 1}).text), 0);
    }

    // The file an export replaces may come from any calendar program, or be hostile.
    void findsTheHighestSequenceOfTheEventsItReplaces_data()
    {
        QTest::addColumn<QByteArray>("events"); // inside BEGIN:VCALENDAR .. END:VCALENDAR
        QTest::addColumn<int>("after");
        auto row = [](const char* name, QByteArray events, int after) {
            QTest::newRow(name) << events << after;
        };
        const auto event = [](QByteArray lines) {
            return "BEGIN:VEVENT\r\nUID:a\r\n" + lines + "END:VEVENT\r\n";
        };
        row("the highest of two events", event("SEQUENCE:9\r\n") + event("SEQUENCE:3\r\n"), 10);
        row("folded in the middle of its name", event("SEQ\r\n UENCE:41\r\n"), 42);
        row("with a parameter, in small letters", event("sequence;X-A=\"a:b\":7\r\n"), 8);
        row("bare LF line ends", event("SEQUENCE:5\n"), 6);
        row("an alarm's or a to-do's is no event's",
            event("BEGIN:VALARM\r\nSEQUENCE:8\r\nEND:VALARM\r\n") +
                "BEGIN:VTODO\r\nSEQUENCE:9\r\nEND:VTODO\r\n",
            0);
        row("no number", event("SEQUENCE:x1\r\n"), 0);
        row("40 000 parameters on a line before it",
            event("X-P" + QByteArray(";A=1").repeated(40000) + ":x\r\nSEQUENCE:3\r\n"), 4);
    }
    void findsTheHighestSequenceOfTheEventsItReplaces()
    {
        QFETCH(QByteArray, events);
        QFETCH(int, after);
        const QByteArray calendar =
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + events + "END:VCALENDAR\r\n";
        QCOMPARE(velmora::SequenceAfter(calendar.toStdString()), after);
    }

    void writesEveryDayItCanEndAndRefusesTheRest_data()
    {
        QTest::addColumn<QDate>("firstDay");
        QTest::addColumn<QByteArray>("cycle");
        QTest::addColumn<QByteArray>("span"); // first DTSTART..last DTEND; empty when refused
        QTest::addColumn<Refusal>("refusal");
        auto row = [](const char* name, QDate firstDay, QByteArray cycle, QByteArray end,
                      Refusal refusal = {}) {
            QTest::newRow(name) << firstDay << cycle << end << refusal;
        };
        using velmora::CalendarRefusal;
        const QDate example(2004, 2, 19);
        // The span ends with the third coming period, where the calendar has room for it.
        row("25 days: the shortest with a first safe day", example, "25", "20040219..20040509");
        row("24 days: first safe period ends before it starts", example, "24", {},
            CalendarRefusal::OutOfOrder);
        row("across libical's own year 3000", QDate(3000, 12, 20), "30", "30001220..30010325");
        row("next period on 9999-12-30: ends on the last day, no coming period",
            QDate(9999, 10, 31), "60", "99991031..99991231");
        row("a coming period that would end past 9999: left out", QDate(9999, 10, 30), "30",
            "99991030..99991130");
        row("next period on 9999-12-31: no day to end on", QDate(9999, 11, 1), "60", {},
            CalendarRefusal::DateOutOfRange);
        row("next period beyond 9999: calculated as 0 days", QDate(9999, 1, 1), "400", {},
            CalendarRefusal::OutOfOrder);
        row("period's last day beyond 9999, the rest in order", QDate(9999, 12, 30), "0", {},
            CalendarRefusal::DateOutOfRange);
    }
    void writesEveryDayItCanEndAndRefusesTheRest()
    {
        QFETCH(QDate, firstDay);
        QFETCH(QByteArray, cycle);
        QFETCH(QByteArray, span);
        QFETCH(Refusal, refusal);
        const velmora::CalendarExport calendar = Export(cycle.constData(), kStamp, firstDay);
        QCOMPARE(calendar.refusal, refusal);
        QCOMPARE(Span(calendar), span);
    }
};

QTEST_GUILESS_MAIN(CalendarExportTest)
#include "calendar_export_test.moc"
