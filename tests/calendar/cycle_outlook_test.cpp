// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One outlook of her cycle, as every face names its days: her fertile days never called 安全期,
// the days her next period may begin on, the cycle after it, a late period with nothing painted
// past it, and short cycles drawn; and the caution the six lines get where they call one of her
// fertile days 安全期.
// Qt 6.4's moc cannot parse the C++20 <chrono>, and needs nothing from it.
#ifndef Q_MOC_RUN
#include "cycle_outlook.h"
#include "kept_inputs.h"
#include "month_picture.h"
#endif

#include <QTest>
#include <optional>
#include <vector>

using namespace std::chrono;

namespace {

sys_days Day(const char* text)
{
    return velmora::ReadPickerDay(text)->Days();
}

// Her first days: the last one, and the cycles before it, the earliest first.
std::vector<sys_days> Record(const char* last, std::vector<int> lengths)
{
    std::vector<sys_days> days = {Day(last)};
    for (auto length = lengths.rbegin(); length != lengths.rend(); ++length)
        days.insert(days.begin(), days.front() - std::chrono::days{*length});
    return days;
}

struct Outlook {
    std::optional<std::pair<const char*, const char*>> calculated; // first day, cycle box
    std::vector<sys_days> recorded;
    const char* today;
};

// The outlooks of the table.
Outlook Of(const QByteArray& name)
{
    // Twelve first days 28 days apart, the last on 2026-11-16.
    const std::vector<sys_days> regular = Record("2026-11-16", {28, 28, 28, 28, 28, 28});
    if (name == "on time")
        return {{{"2026-11-16", "28"}}, regular, "2026-11-20"};
    if (name == "her record alone")
        return {std::nullopt, regular, "2026-11-20"};
    if (name == "43 days on")
        return {{{"2026-11-16", "28"}}, regular, "2026-12-29"};
    if (name == "three years on")
        return {{{"2026-11-16", "28"}}, regular, "2029-11-20"};
    // Cycles of 21, 38, 25, 34, 30 and 27 days: an average of 29.
    if (name == "irregular")
        return {
            {{"2026-12-06", "29"}}, Record("2026-12-06", {21, 38, 25, 34, 30, 27}), "2026-12-09"};
    if (name == "22 days, no record")
        return {{{"2026-11-01", "22"}}, {}, "2026-11-01"};
    if (name == "16 days, no record")
        return {{{"2026-11-01", "16"}}, {}, "2026-11-01"};
    if (name == "near 9999")
        return {{{"9999-11-20", "28"}}, Record("9999-11-20", {28, 28}), "9999-11-20"};
    return {std::nullopt, {}, "1601-01-01"};
}

QString NameOn(const Outlook& outlook, sys_days day)
{
    std::optional<velmora::PhaseDates> dates;
    if (outlook.calculated)
        dates = velmora::CalculatePhases(*velmora::ReadPickerDay(outlook.calculated->first),
                                         outlook.calculated->second);
    const year_month_day date{day};
    for (const velmora::PictureDay& shown :
         velmora::PictureOfMonth(dates, date.year() / date.month(), Day(outlook.today),
                                 outlook.recorded)
             .days)
        if (shown.date.Days() == day)
            return QString::fromStdString(shown.Name());
    return {};
}

} // namespace

class CycleOutlookTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesEachDayOfAnOutlook_data()
    {
        QTest::addColumn<QByteArray>("outlook");
        QTest::addColumn<QByteArray>("day");
        QTest::addColumn<QString>("name");
        const auto row = [](const char* outlook, const char* day, const char* name) {
            QTest::addRow("%s: %s", outlook, day)
                << QByteArray(outlook) << QByteArray(day) << QString::fromUtf8(name);
        };
        // Cycles of 28 days: her fertile days run from 2026-11-23 to 2026-12-05, over two days
        // of each of the calculation's 安全期.
        row("on time", "2026-11-21", "2026-11-21 星期六 安全期");
        row("on time", "2026-11-23", "2026-11-23 星期一 危险期");
        row("on time", "2026-11-30", "2026-11-30 星期一 排卵日");
        row("on time", "2026-12-05", "2026-12-05 星期六 危险期");
        row("on time", "2026-12-06", "2026-12-06 星期日 安全期");
        // The next period is her forecast's (2026-12-13 to 16), and the cycle after it counted
        // from it: fertile from 2026-12-20, were it to begin on the 13th, to 2027-01-04, were it
        // to begin on the 16th, so no 安全期 before; one after, up to the period after it.
        row("on time", "2026-12-12", "2026-12-12 星期六 安全期");
        row("on time", "2026-12-13", "2026-12-13 星期日 可能来月经");
        row("on time", "2026-12-16", "2026-12-16 星期三 可能来月经");
        row("on time", "2026-12-19", "2026-12-19 星期六");
        row("on time", "2026-12-20", "2026-12-20 星期日 危险期");
        row("on time", "2027-01-04", "2027-01-04 星期一 危险期");
        row("on time", "2027-01-05", "2027-01-05 星期二 安全期");
        row("on time", "2027-01-09", "2027-01-09 星期六 可能来月经");
        row("on time", "2027-01-15", "2027-01-15 星期五 可能来月经");
        row("on time", "2027-01-16", "2027-01-16 星期六");
        // Without a calculation her fertile days and coming periods, and no 安全期.
        row("her record alone", "2026-11-19", "2026-11-19 星期四 月经期 已记下");
        row("her record alone", "2026-11-26", "2026-11-26 星期四 危险期");
        row("her record alone", "2026-12-08", "2026-12-08 星期二");
        row("her record alone", "2026-12-14", "2026-12-14 星期一 可能来月经");
        row("her record alone", "2026-12-19", "2026-12-19 星期六");
        // Late: no cycle that has not begun is painted.
        row("43 days on", "2026-12-14", "2026-12-14 星期一 可能来月经");
        row("43 days on", "2026-12-16", "2026-12-16 星期三 可能来月经");
        row("43 days on", "2026-12-17", "2026-12-17 星期四 月经推迟");
        row("43 days on", "2026-12-29", "2026-12-29 星期二 今天 月经推迟");
        row("43 days on", "2026-12-30", "2026-12-30 星期三");
        row("43 days on", "2027-01-12", "2027-01-12 星期二");
        row("three years on", "2029-11-20", "2029-11-20 星期二 今天 月经推迟");
        // Cycles from 21 to 38 days: every day from her first day on may be fertile, until her
        // next period may begin, 24 to 35 days on.
        row("irregular", "2026-12-11", "2026-12-11 星期五 危险期");
        row("irregular", "2026-12-29", "2026-12-29 星期二 危险期");
        row("irregular", "2026-12-30", "2026-12-30 星期三 可能来月经");
        row("irregular", "2027-01-10", "2027-01-10 星期日 可能来月经");
        // Short cycles are drawn, 危险期 over any 安全期, the next cycle's too.
        row("22 days, no record", "2026-11-04", "2026-11-04 星期三 月经期 危险期");
        row("22 days, no record", "2026-11-14", "2026-11-14 星期六 安全期");
        row("22 days, no record", "2026-11-23", "2026-11-23 星期一 下次月经开始日 月经期");
        row("16 days, no record", "2026-11-08", "2026-11-08 星期日 安全期");
        row("16 days, no record", "2026-11-14", "2026-11-14 星期六 危险期");
        row("near 9999", "9999-12-18", "9999-12-18 星期六 可能来月经");
        row("near 9999", "9999-12-31", "9999-12-31 星期五 危险期");
    }
    void namesEachDayOfAnOutlook()
    {
        QFETCH(QByteArray, outlook);
        QFETCH(QByteArray, day);
        QFETCH(QString, name);
        QCOMPARE(NameOn(Of(outlook), Day(day.constData())), name);
    }

    // What the six lines' 安全期 are not, said under them.
    void cautionsWhereTheLinesCallHerFertileDaysSafe_data()
    {
        QTest::addColumn<QByteArray>("outlook");
        QTest::addColumn<QString>("caution");
        QTest::newRow("on time") << QByteArray("on time")
                                 << "按你的记录，2026-11-23 到 2026-11-24、2026-12-05 "
                                    "也可能易孕，不是安全期。";
        QTest::newRow("irregular") << QByteArray("irregular")
                                   << "按你的记录，2026-12-11 到 2026-12-15、2026-12-26 到 "
                                      "2027-01-03 也可能易孕，不是安全期。";
        QTest::newRow("22 days, no record")
            << QByteArray("22 days, no record") << "这个周期在危险期之前没有安全期。";
        QTest::newRow("no record") << QByteArray("none") << "";
    }
    void cautionsWhereTheLinesCallHerFertileDaysSafe()
    {
        QFETCH(QByteArray, outlook);
        QFETCH(QString, caution);
        Outlook of = Of(outlook);
        if (!of.calculated)
            of.calculated = {"2004-02-19", "30"};
        const velmora::PhaseDates dates = velmora::CalculatePhases(
            *velmora::ReadPickerDay(of.calculated->first), of.calculated->second);
        QCOMPARE(QString::fromStdString(velmora::SafeCaution(dates, of.calculated->second,
                                                             velmora::SpreadOf(of.recorded))),
                 caution);
    }

    void cautionsNothingWhereTheCalculationHasNoPicture()
    {
        const auto dates = velmora::CalculatePhases(*velmora::ReadPickerDay("2026-11-16"), "abc");
        QCOMPARE(velmora::SafeCaution(dates, "abc", velmora::SpreadOf(Of("on time").recorded)),
                 std::string());
    }

    // The legend holds what the months show, and nothing else.
    void legendHoldsTheKindsOnScreen()
    {
        const Outlook late = Of("43 days on");
        const auto dates = velmora::CalculatePhases(*velmora::ReadPickerDay("2026-11-16"), "28");
        const velmora::MonthPicture december =
            velmora::PictureOfMonth(dates, year{2026} / December, Day(late.today), late.recorded);
        QStringList labels;
        for (const std::size_t row : velmora::LegendOf(std::span(&december, 1)))
            labels << QString::fromUtf8(velmora::Looks()[row].label.data(),
                                        qsizetype(velmora::Looks()[row].label.size()));
        QCOMPARE(labels, QStringList({"危险期", "安全期", "可能来月经", "月经推迟", "今天"}));
    }
};

QTEST_GUILESS_MAIN(CycleOutlookTest)
#include "cycle_outlook_test.moc"
