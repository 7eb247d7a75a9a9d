#include "test_dates.h"

#include <QTest>

using velmora::CalendarDate;

namespace {

QString Text(const std::optional<CalendarDate>& date)
{
    return date ? QString::fromStdString(date->Text()) : QStringLiteral("fails");
}

} // namespace

class CalendarDateTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void zeroDateIsTheUnassignedValue()
    {
        QCOMPARE(CalendarDate{}.Text(), "1899-12-30");
        QCOMPARE(CalendarDate{}, Date(1899, 12, 30));
    }

    void validRange_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<unsigned>("month");
        QTest::addColumn<unsigned>("day");
        QTest::addColumn<bool>("valid");
        QTest::newRow("first valid day") << 100 << 1u << 1u << true;
        QTest::newRow("day before the range") << 99 << 12u << 31u << false;
        QTest::newRow("last valid day") << 9999 << 12u << 31u << true;
        QTest::newRow("day after the range") << 10000 << 1u << 1u << false;
        QTest::newRow("leap day") << 2004 << 2u << 29u << true;
        QTest::newRow("no leap day in 1900") << 1900 << 2u << 29u << false;
        QTest::newRow("month 13") << 2004 << 13u << 1u << false;
    }
    void validRange()
    {
        QFETCH(int, year);
        QFETCH(unsigned, month);
        QFETCH(unsigned, day);
        QFETCH(bool, valid);
        QCOMPARE(CalendarDate::FromYmd(year, month, day).has_value(), valid);
    }

    void addDays_data()
    {
        QTest::addColumn<CalendarDate>("from");
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("expected");
        const CalendarDate feb19 = Date(2004, 2, 19);
        QTest::newRow("across the leap day") << feb19 << 30.0 << "2004-03-20";
        QTest::newRow("onto the leap day") << feb19 << 10.0 << "2004-02-29";
        QTest::newRow("across the year end") << Date(2003, 12, 17) << 28.0 << "2004-01-14";
        QTest::newRow("backwards") << feb19 << -20.0 << "2004-01-30";
        QTest::newRow("28.6 rounds up") << feb19 << 28.6 << "2004-03-19";
        QTest::newRow("28.4 rounds down") << feb19 << 28.4 << "2004-03-18";
        QTest::newRow("28.5 rounds to even 28") << feb19 << 28.5 << "2004-03-18";
        QTest::newRow("29.5 rounds to even 30") << feb19 << 29.5 << "2004-03-20";
        QTest::newRow("-0.5 rounds to even 0") << feb19 << -0.5 << "2004-02-19";
        QTest::newRow("-1.5 rounds to even -2") << feb19 << -1.5 << "2004-02-17";
        QTest::newRow("up to the last day") << Date(9999, 12, 27) << 4.0 << "9999-12-31";
        QTest::newRow("past the last day") << Date(9999, 12, 28) << 4.0 << "fails";
        QTest::newRow("down to the first day") << Date(100, 1, 2) << -1.0 << "0100-01-01";
        QTest::newRow("before the first day") << Date(100, 1, 1) << -1.0 << "fails";
        QTest::newRow("three million days") << feb19 << 3e6 << "fails";
        QTest::newRow("beyond any integer") << feb19 << 1e300 << "fails";
        QTest::newRow("infinite") << feb19 << std::numeric_limits<double>::infinity() << "fails";
        QTest::newRow("not a number")
            << feb19 << std::numeric_limits<double>::quiet_NaN() << "fails";
    }
    void addDays()
    {
        QFETCH(CalendarDate, from);
        QFETCH(double, days);
        QFETCH(QString, expected);
        QCOMPARE(Text(from.AddDays(days)), expected);
    }

    void textPadsEveryField_data()
    {
        QTest::addColumn<CalendarDate>("date");
        QTest::addColumn<QString>("expected");
        QTest::newRow("example") << Date(2004, 3, 6) << "2004-03-06";
        QTest::newRow("year below 1000") << Date(999, 1, 1) << "0999-01-01";
        QTest::newRow("three-digit year") << Date(100, 1, 1) << "0100-01-01";
        QTest::newRow("last day") << Date(9999, 12, 31) << "9999-12-31";
    }
    void textPadsEveryField()
    {
        QFETCH(CalendarDate, date);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(date.Text()), expected);
    }
};

QTEST_GUILESS_MAIN(CalendarDateTest)
#include "calendar_date_test.moc"
