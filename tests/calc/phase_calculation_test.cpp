// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt 6.4's moc cannot parse the C++20 <chrono>, and needs nothing from it.
#ifndef Q_MOC_RUN
#include "phase_calculation.h"
#endif
#include "test_dates.h"

#include <QTest>

using velmora::CalendarDate;

namespace {

// The ten slots, in slot order, separated by blanks.
QString Slots(CalendarDate firstDay, const QByteArray& text)
{
    const velmora::PhaseDates dates = velmora::CalculatePhases(firstDay, text.toStdString());
    QStringList slots;
    for (int slot = 1; slot <= 10; ++slot)
        slots << QString::fromStdString(dates.Slot(slot).Text());
    return slots.join(u' ');
}

} // namespace

class PhaseCalculationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void slots_data()
    {
        QTest::addColumn<CalendarDate>("firstDay");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        const CalendarDate feb19 = Date(2004, 2, 19);
        //                              1          2          3          4          5
        //                              6          7          8          9          10
        const QString asZero = "2004-02-19 2004-02-23 2004-02-24 2004-01-30 2004-01-31 "
                               "2004-02-09 2004-02-10 2004-02-18 2004-02-05 2004-02-19";
        const QString example = "2004-02-19 2004-02-23 2004-02-24 2004-02-29 2004-03-01 "
                                "2004-03-10 2004-03-11 2004-03-19 2004-03-06 2004-03-20";
        const QString length28 = "2004-02-19 2004-02-23 2004-02-24 2004-02-27 2004-02-28 "
                                 "2004-03-08 2004-03-09 2004-03-17 2004-03-04 2004-03-18";
        QTest::newRow("example, first safe period ends on the leap day")
            << feb19 << QByteArray("30") << example;
        QTest::newRow("28.5 adds 28, to the even neighbour")
            << feb19 << QByteArray("28.5") << length28;
        QTest::newRow("25 makes a one-day safe period")
            << feb19 << QByteArray("25")
            << "2004-02-19 2004-02-23 2004-02-24 2004-02-24 2004-02-25 "
               "2004-03-05 2004-03-06 2004-03-14 2004-03-01 2004-03-15";
        QTest::newRow("20 runs the safe period backwards")
            << feb19 << QByteArray("20")
            << "2004-02-19 2004-02-23 2004-02-24 2004-02-19 2004-02-20 "
               "2004-02-29 2004-03-01 2004-03-09 2004-02-25 2004-03-10";
        QTest::newRow("empty text calculates with 0") << feb19 << QByteArray() << asZero;
        QTest::newRow("too large to add") << feb19 << QByteArray("3000000") << asZero;
        QTest::newRow("too large for a double") << feb19 << QByteArray("1e400") << asZero;
        QTest::newRow("year end") << Date(2003, 12, 17) << QByteArray("28")
                                  << "2003-12-17 2003-12-21 2003-12-22 2003-12-25 2003-12-26 "
                                     "2004-01-04 2004-01-05 2004-01-13 2003-12-31 2004-01-14";
        QTest::newRow("first day after 9999-12-27")
            << Date(9999, 12, 28) << QByteArray("30")
            << "9999-12-28 1899-12-30 1899-12-31 9999-12-08 9999-12-09 "
               "9999-12-18 9999-12-19 9999-12-27 9999-12-14 9999-12-28";
        QTest::newRow("zero date as first day")
            << CalendarDate{} << QByteArray("30")
            << "1899-12-30 1900-01-03 1900-01-04 1900-01-09 1900-01-10 "
               "1900-01-19 1900-01-20 1900-01-28 1900-01-15 1900-01-29";
        QTest::newRow("years below 1000 are padded")
            << Date(1601, 1, 1) << QByteArray("-500000")
            << "1601-01-01 1601-01-05 1601-01-06 0231-12-30 0231-12-31 "
               "0232-01-09 0232-01-10 0232-01-18 0232-01-05 0232-01-19";
        QTest::newRow("slots that would fall before year 100 keep the zero date")
            << Date(100, 1, 3) << QByteArray("0")
            << "0100-01-03 0100-01-07 0100-01-08 1899-12-24 1899-12-25 "
               "1900-01-03 1900-01-04 0100-01-02 1899-12-30 0100-01-03";
    }
    void slots()
    {
        QFETCH(CalendarDate, firstDay);
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        QCOMPARE(Slots(firstDay, text), expected);
    }
};

QTEST_GUILESS_MAIN(PhaseCalculationTest)
#include "phase_calculation_test.moc"
