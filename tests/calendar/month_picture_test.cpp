// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The month picture as she reads it: each day named by the phases it lies in, the coming cycles
// the calculation repeated from the next period's first day.
// Qt 6.4's moc cannot parse the C++20 <chrono>, and needs nothing from it.
#ifndef Q_MOC_RUN
#include "kept_inputs.h"
#include "month_picture.h"
#include "test_data.h"
#endif

#include <QRegularExpression>
#include <QTest>
#include <map>
#include <span>

using namespace std::chrono;
using velmora::CalculatePhases;
using velmora::PhaseDates;
using velmora::Slot;

namespace {

PhaseDates Calculated(const char* firstDay, const char* cycle)
{
    return CalculatePhases(*velmora::ReadPickerDay(firstDay), cycle);
}

// Every day of the months from `first` to `last`, as the picture answers them.
std::map<sys_days, velmora::PictureDay> Pictured(const PhaseDates& dates, year_month first,
                                                 year_month last,
                                                 std::span<const sys_days> recorded = {})
{
    std::map<sys_days, velmora::PictureDay> days;
    for (year_month month = first; month <= last; month += months{1})
        for (const velmora::PictureDay& day :
             velmora::PictureOfMonth(dates, month, {}, recorded).days)
            days[day.date.Days()] = day;
    return days;
}

year_month MonthOf(const velmora::CalendarDate& date)
{
    return date.Ymd().year() / date.Ymd().month();
}

} // namespace

class MonthPictureTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The page's light scheme paints each colour of the looks as the window does.
    void thePagePaintsEachLookAsTheWindowDoes()
    {
        const QString css = QString::fromUtf8(
            ReadBytes(QStringLiteral(VELMORA_TEST_DATA "/../../web/velmora.css")));
        const QString light = css.section(QStringLiteral("@media"), 0, 0);
        const auto value = [&light](const QString& name) {
            const QRegularExpression declaration(
                QStringLiteral("--%1:\\s*#([0-9a-f]{6});").arg(name));
            return light.count(declaration) == 1
                       ? declaration.match(light).captured(1).toUInt(nullptr, 16)
                       : 0x1000000;
        };
        for (const velmora::LookColour& colour : velmora::kLookColours) {
            const QString token = QString::fromLatin1(colour.token);
            QCOMPARE(value(token), colour.fill);
            QCOMPARE(value(QStringLiteral("on-") + token), colour.ink);
        }
    }
    void namesADayByEveryPhaseItLiesIn_data()
    {
        QTest::addColumn<QByteArray>("day");
        QTest::addColumn<QString>("name");
        QTest::newRow("a period day") << QByteArray("2004-02-19") << "2004-02-19 星期四 月经期";
        QTest::newRow("a safe day") << QByteArray("2004-03-11") << "2004-03-11 星期四 安全期";
        QTest::newRow("the ovulation day, inside the fertile days")
            << QByteArray("2004-03-06") << "2004-03-06 星期六 排卵日";
        QTest::newRow("where the next cycle starts")
            << QByteArray("2004-03-20") << "2004-03-20 星期六 下次月经开始日 月经期";
        QTest::newRow("the next cycle's fertile day")
            << QByteArray("2004-04-01") << "2004-04-01 星期四 危险期";
        // Her record holds 2004-01-22 and 2004-03-27: five days of period from each.
        QTest::newRow("a recorded first day before the cycle")
            << QByteArray("2004-01-22") << "2004-01-22 星期四 月经期 已记下";
        QTest::newRow("its fifth day")
            << QByteArray("2004-01-26") << "2004-01-26 星期一 月经期 已记下";
        QTest::newRow("the day after") << QByteArray("2004-01-27") << "2004-01-27 星期二";
        QTest::newRow("recorded in the safe days")
            << QByteArray("2004-03-27") << "2004-03-27 星期六 月经期 安全期 已记下";
    }
    void namesADayByEveryPhaseItLiesIn()
    {
        QFETCH(QByteArray, day);
        QFETCH(QString, name);
        const PhaseDates dates = Calculated("2004-02-19", "30");
        const auto date = *velmora::ReadPickerDay(day.toStdString());
        const sys_days recorded[] = {sys_days{year{2004} / January / 22},
                                     sys_days{year{2004} / March / 27}};
        const auto pictured = Pictured(dates, MonthOf(date), MonthOf(date), recorded);
        const velmora::PictureDay& shown = pictured.at(date.Days());
        QCOMPARE(QString::fromStdString(shown.Name()), name);
    }

    void monthsHaveTheirDaysWeekdaysAndToday_data()
    {
        QTest::addColumn<QByteArray>("month"); // its first day
        QTest::addColumn<int>("length");
        QTest::addColumn<unsigned>("firstWeekday");
        QTest::addColumn<QString>("caption");
        QTest::newRow("a leap February from a Sunday")
            << QByteArray("2004-02-01") << 29 << 0u << "2004年2月";
        QTest::newRow("2100: no leap day") << QByteArray("2100-02-01") << 28 << 1u << "2100年2月";
        QTest::newRow("the calendar's last month")
            << QByteArray("9999-12-01") << 31 << 3u << "9999年12月";
    }
    void monthsHaveTheirDaysWeekdaysAndToday()
    {
        QFETCH(QByteArray, month);
        QFETCH(int, length);
        QFETCH(unsigned, firstWeekday);
        QFETCH(QString, caption);
        const auto first = *velmora::ReadPickerDay(month.toStdString());
        // A cycle that runs on to the calendar's end, and today the month's 10th.
        const PhaseDates dates = Calculated("1601-01-01", "29");
        const auto picture = velmora::PictureOfMonth(dates, MonthOf(first), first.Days() + days{9});
        QCOMPARE(picture.days.size(), std::size_t(length));
        QCOMPARE(picture.firstWeekday, firstWeekday);
        QCOMPARE(QString::fromStdString(picture.caption), caption);
        for (const velmora::PictureDay& day : picture.days) {
            QCOMPARE(day.today, day.date.Days() == first.Days() + std::chrono::days{9});
            QVERIFY(day.cycle > 0 && day.kinds != 0);
        }
    }

    void aHugeCycleCostsOneMonthAndStartsAgainWhereItShould()
    {
        const PhaseDates dates = Calculated("1601-01-01", "999999");
        const sys_days next = dates[Slot::NextPeriod].Days();
        const auto picture = velmora::PictureOfMonth(dates, MonthOf(dates[Slot::NextPeriod]), {});
        const auto day = std::ranges::find_if(
            picture.days, [&](const velmora::PictureDay& d) { return d.date.Days() == next; });
        QVERIFY(day != picture.days.end());
        QCOMPARE(day->kinds, unsigned(velmora::kNextPeriod | velmora::kPeriod));
        QCOMPARE(day->cycle, 1);
    }

    // What is shown at once: the calculated cycle's months, at most three, today's first where
    // it lies inside, never past the picker's last month.
    void showsTheCyclesMonthsTodaysFirst_data()
    {
        QTest::addColumn<QByteArray>("firstDay");
        QTest::addColumn<QByteArray>("cycle");
        QTest::addColumn<QByteArray>("today");
        QTest::addColumn<QStringList>("months");
        const auto row = [](const char* name, const char* first, const char* cycle,
                            const char* today, QStringList months) {
            QTest::newRow(name) << QByteArray(first) << QByteArray(cycle) << QByteArray(today)
                                << months;
        };
        row("two months", "2004-02-19", "28", "2026-12-08", {"2004-02", "2004-03"});
        row("today inside: its month first", "2004-02-19", "28", "2004-03-02",
            {"2004-03", "2004-04"});
        row("a long cycle: three", "2004-02-19", "1000", "2026-12-08",
            {"2004-02", "2004-03", "2004-04"});
        row("at the calendar's end", "9999-10-20", "60", "9999-12-01",
            {"9999-10", "9999-11", "9999-12"});
    }
    void showsTheCyclesMonthsTodaysFirst()
    {
        QFETCH(QByteArray, firstDay);
        QFETCH(QByteArray, cycle);
        QFETCH(QByteArray, today);
        QFETCH(QStringList, months);
        const PhaseDates dates = Calculated(firstDay, cycle);
        QStringList shown;
        for (const year_month month :
             velmora::ShownMonths(dates, velmora::ReadPickerDay(today.toStdString())->Days()))
            shown << QString::asprintf("%04d-%02u", static_cast<int>(month.year()),
                                       static_cast<unsigned>(month.month()));
        QCOMPARE(shown, months);
        QCOMPARE(velmora::MovedMonth(9999y / December, 1), 9999y / December);
        QCOMPARE(velmora::MovedMonth(1601y / January, -1), 1601y / January);
    }
};

QTEST_GUILESS_MAIN(MonthPictureTest)
#include "month_picture_test.moc"
