// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Her record as every face reads, writes, merges and sums it up: nothing she wrote is lost,
// no day is taken that the picker cannot hold, and the figures are those she would work out.
// Qt 6.4's moc cannot parse the C++20 <chrono>, and needs nothing from it.
#ifndef Q_MOC_RUN
#include "gunzip.h"
#include "kept_inputs.h"
#include "period_record.h"
#include "record_change.h"
#include "record_history.h"
#include "record_import.h"
#include "record_reminder.h"
#include "test_data.h"
#endif

#include <QTest>

using namespace std::chrono;
using namespace Qt::Literals::StringLiterals;
using velmora::PeriodRecord;

namespace {

sys_days Day(const char* text)
{
    return velmora::ReadPickerDay(text)->Days();
}

QStringList DaysOf(const PeriodRecord& record)
{
    QStringList days;
    for (const sys_days day : record.Days())
        days << QString::fromStdString(velmora::CalendarDate::FromDays(day)->Text());
    return days;
}

// A sample export every face takes in; a gzip one (Periodical's) as each face unpacks it.
QByteArray Sample(const char* name)
{
    const QByteArray bytes = TestData((std::string("imports/") + name).c_str());
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return velmora::IsGzip(view) ? QByteArray::fromStdString(velmora::Gunzip(view, 1 << 20).bytes)
                                 : bytes;
}

QByteArray TextOf(const PeriodRecord& record)
{
    return QByteArray::fromStdString(record.Text());
}

} // namespace

class PeriodRecordTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsHerFileAndWritesItBackWithNothingLost_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<QByteArray>("rewritten");

        QTest::newRow("as written")
            << QByteArray("2004-01-22\n2004-02-19\n") << QStringList{"2004-01-22", "2004-02-19"}
            << QByteArray("2004-01-22\n2004-02-19\n");
        QTest::newRow("out of order, twice, last line unended")
            << QByteArray("2004-02-19\n2004-01-22\n2004-02-19")
            << QStringList{"2004-01-22", "2004-02-19"} << QByteArray("2004-01-22\n2004-02-19\n");
        QTest::newRow("CR LF, blanks around a day, a byte-order mark: her mark and ends kept")
            << QByteArray("\xEF\xBB\xBF 2004-01-22 \r\n\t2004-02-19\r\n")
            << QStringList{"2004-01-22", "2004-02-19"}
            << QByteArray("\xEF\xBB\xBF"
                          "2004-01-22\r\n2004-02-19\r\n");
        QTest::newRow("CR LF from a blank first line on")
            << QByteArray("\r\n2004-02-19\r\n") << QStringList{"2004-02-19"}
            << QByteArray("\r\n2004-02-19\r\n");
        QTest::newRow("her notes stay after the day they follow")
            << QByteArray("# 我的记录\n2004-01-22\n痛经，请假一天\n\n2004-02-19\n")
            << QStringList{"2004-01-22", "2004-02-19"}
            << QByteArray("# 我的记录\n2004-01-22\n痛经，请假一天\n\n2004-02-19\n");
        QTest::newRow("days the picker cannot hold are her lines, kept")
            << QByteArray("1600-12-31\n2004-02-30\n10000-01-01\n2004-2-19\n2004-02-19\n")
            << QStringList{"2004-02-19"}
            << QByteArray("1600-12-31\n2004-02-30\n10000-01-01\n2004-2-19\n2004-02-19\n");
        QTest::newRow("the picker's first and last days")
            << QByteArray("9999-12-31\n1601-01-01\n") << QStringList{"1601-01-01", "9999-12-31"}
            << QByteArray("1601-01-01\n9999-12-31\n");
        QTest::newRow("bytes that are no text, a NUL, CRs, her CR LF")
            << QByteArray("\xff\xfe\x00x\r\r\n2004-02-19\r\n备注\r\n", 27)
            << QStringList{"2004-02-19"}
            << QByteArray("\xff\xfe\x00x\r\r\n2004-02-19\r\n备注\r\n", 27);
        QTest::newRow("her first line begins with a second byte-order mark")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFnote\n2004-02-19\n") << QStringList{"2004-02-19"}
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFnote\n2004-02-19\n");
        QTest::newRow("empty") << QByteArray() << QStringList{} << QByteArray();
    }

    void readsHerFileAndWritesItBackWithNothingLost()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, days);
        QFETCH(QByteArray, rewritten);
        const PeriodRecord record = PeriodRecord::Read(file.toStdString());
        QCOMPARE(DaysOf(record), days);
        QCOMPARE(TextOf(record), rewritten);
        // What was written reads back the same.
        QCOMPARE(TextOf(PeriodRecord::Read(record.Text())), rewritten);
    }

    void addingAndTakingOutKeepHerLines()
    {
        PeriodRecord record = PeriodRecord::Read("头\n2004-01-22\n第一次的备注\n2004-03-18\n");
        QVERIFY(record.Add(Day("2004-02-19")));
        QVERIFY(!record.Add(Day("2004-02-19"))); // a day already there stays once
        QCOMPARE(TextOf(record),
                 QByteArray("头\n2004-01-22\n第一次的备注\n2004-02-19\n2004-03-18\n"));
        QVERIFY(record.Remove(Day("2004-01-22")));
        QVERIFY(!record.Remove(Day("2004-01-22")));
        QCOMPARE(TextOf(record), QByteArray("头\n第一次的备注\n2004-02-19\n2004-03-18\n"));
        QVERIFY(!record.Add(sys_days{year{1600} / December / 31}));
        QCOMPARE(record.LinesNotBlank(), 2);
    }

    // Each source by what the file holds, to the first days of her periods and the entries
    // that gave none.
    void takesInEachSourceByItsContent_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<velmora::Source>("source");
        QTest::addColumn<QStringList>("days");
        QTest::addColumn<int>("notUsed");
        using velmora::Source;

        const QByteArray header =
            "date,temperature.value,bleeding.value,bleeding.exclude,note.value\n";
        QTest::newRow("a record with her lines")
            << QByteArray("备注\n2004-01-22\n\n2004-13-01\n") << Source::kRecord
            << QStringList{"2004-01-22"} << 2;
        QTest::newRow("drip: a period's first day only")
            << header + "2004-01-22,,2,false,\n2004-01-23,,3,false,\n\n2004-01-24,,1,,\n"
                        "2004-02-19,36.5,1,false,\n\n"
            << Source::kDrip << QStringList{"2004-01-22", "2004-02-19"} << 0;
        QTest::newRow("drip: spotting and excluded days are no period")
            << header + "2004-01-21,,0,false,\n2004-01-22,,2,false,\n2004-02-18,,2,true,\n"
                        "2004-02-19,,2,false,\n"
            << Source::kDrip << QStringList{"2004-01-22", "2004-02-19"} << 2;
        QTest::newRow("drip: rows out of order, a note with commas, quotes and a line break")
            << header + "2004-02-20,,2,false,\"疼, \"\"很\"\"\n疼\"\n2004-02-19,,2,false,\n"
                        "2004-01-22,,2,false,\n"
            << Source::kDrip << QStringList{"2004-01-22", "2004-02-19"} << 0;
        QTest::newRow("drip: dates that are none, or out of the picker's range")
            << header + "yesterday,,2,false,\n1600-12-31,,2,false,\n2004-02-19,,2,false,\n"
            << Source::kDrip << QStringList{"2004-02-19"} << 2;
        QTest::newRow("drip's columns quoted, in another order, CR LF, a byte-order mark")
            << QByteArray("\xEF\xBB\xBF"
                          "\"date\",bleeding.exclude,\"bleeding.value\"\r\n"
                          "2004-02-19,false,2\r\n2004-02-20,false,2\r\n")
            << Source::kDrip << QStringList{"2004-02-19"} << 0;
        // A period is one period however she logged it: a day of bleeding starts one only
        // with none in the ten days before it.
        QTest::newRow("drip: spotting and an excluded day inside a period")
            << header + "2004-01-22,,3,false,\n2004-01-23,,0,false,\n2004-01-24,,2,false,\n"
                        "2004-01-25,,2,true,\n2004-01-26,,1,false,\n"
            << Source::kDrip << QStringList{"2004-01-22"} << 2;
        QTest::newRow("drip: ten days apart is one period, eleven are two")
            << header + "2004-01-01,,2,false,\n2004-01-11,,2,false,\n2004-01-22,,2,false,\n"
            << Source::kDrip << QStringList{"2004-01-01", "2004-01-22"} << 0;
        QTest::newRow("drip: a quote that never closes takes no line after it")
            << header + "2004-01-22,,2,false,\n2004-02-19,,2,false,\"open\n2004-03-18,,2,false,\n"
            << Source::kDrip << QStringList{"2004-01-22"} << 2;

        // The samples every face takes in: three periods, from 2024-01-03, 02-01 and 03-02.
        const QStringList three{"2024-01-03", "2024-02-01", "2024-03-02"};
        QTest::newRow("Clue: periods of any flow; spotting, pain and feelings are not used")
            << Sample("clue-measurements.json") << Source::kClue << three << 3;
        QTest::newRow("Flo: cycles in any order, one without a start")
            << Sample("flo-export.json") << Source::kFlo << three << 1;
        QTest::newRow("Periodical: first and later days; a day of notes is not used")
            << Sample("periodical-backup.json.gz") << Source::kPeriodical << three << 1;
        QTest::newRow("an empty file: a record of nothing") << QByteArray() << Source::kRecord
                                                            << QStringList() << 0;
        QTest::newRow("a date column first but no bleeding: a CSV of dates, not drip's")
            << QByteArray("date,note\n2024-01-03,x\n") << Source::kDatesCsv
            << QStringList{"2024-01-03"} << 0;
        QTest::newRow("a CSV of start dates, YYYY/MM/DD or YYYY-MM-DD")
            << Sample("dates.csv") << Source::kDatesCsv << three << 1;

        QTest::newRow("Clue: dates that are numbers, or no day of the picker")
            << QByteArray(R"([{"type":"period","date":20240101},{"type":"period","date":)"
                          R"("1600-12-31"},{"type":"period","date":"2024-02-30"},)"
                          R"({"type":"period","date":"2024-03-02"}, 7])")
            << Source::kClue << QStringList{"2024-03-02"} << 4;
        QTest::newRow("Flo: a period that ends before the next begins, and times after a T")
            << QByteArray(R"({"operationalData":{"cycles":[{"period_start_date":)"
                          R"("2024-01-01T00:00:00","period_end_date":"2024-01-14 00:00:00"},)"
                          R"({"period_start_date":"2024-01-22 00:00:00"},)"
                          R"({"period_start_date":"2024-02-15x"}]}})")
            << Source::kFlo << QStringList{"2024-01-01"} << 1;
        QTest::newRow("Periodical: numbers where strings belong")
            << QByteArray(R"([{"version":6},{"data":[{"eventtype":1,"eventdate":"20240101"},)"
                          R"({"eventtype":"1","eventdate":20240201},)"
                          R"({"eventtype":"1","eventdate":"2024031"},)"
                          R"({"eventtype":"1","eventdate":"20240402"}]}])")
            << Source::kPeriodical << QStringList{"2024-04-02"} << 3;
        QTest::newRow("a CSV of 日期, semicolons, a blank date")
            << QByteArray("\xEF\xBB\xBF备注;日期\n;2024-01-03\nx;2024-01-04\n;\n")
            << Source::kDatesCsv << QStringList{"2024-01-03"} << 1;
        QTest::newRow("JSON of no tracker")
            << QByteArray(R"({"cycles":[]})") << Source::kUnknown << QStringList{} << 0;
        QTest::newRow("dates without Clue's types: no tracker")
            << QByteArray(R"([{"date":"2024-01-03"}])") << Source::kUnknown << QStringList{} << 0;
        // Brackets as deep as an export's may go (sixteen), or one deeper; those in its
        // strings do not count.
        const auto nested = [](int depth) {
            return "[{\"type\":\"period\",\"date\":\"2024-01-03\",\"note\":\"[{\\\"" +
                   QByteArray(20, '[') + "\",\"value\":" + QByteArray(depth - 2, '[') +
                   QByteArray(depth - 2, ']') + "}]";
        };
        QTest::newRow("JSON as deep as an export")
            << nested(16) << Source::kClue << QStringList{"2024-01-03"} << 0;
        QTest::newRow("JSON deeper than any export")
            << nested(17) << Source::kUnknown << QStringList{} << 0;
        QTest::newRow("JSON a million deep")
            << QByteArray(1 << 20, '[') << Source::kUnknown << QStringList{} << 0;
        QTest::newRow("a CSV of dates between tabs, blanks around them")
            << QByteArray("日期\t备注\n 2024-01-03 \tx\n") << Source::kDatesCsv
            << QStringList{"2024-01-03"} << 0;
    }

    void takesInEachSourceByItsContent()
    {
        QFETCH(QByteArray, file);
        QFETCH(velmora::Source, source);
        QFETCH(QStringList, days);
        QFETCH(int, notUsed);
        const velmora::TakenIn taken = velmora::TakeIn(file.toStdString());
        QVERIFY(!taken.tooLarge);
        QCOMPARE(taken.source, source);
        QCOMPARE(DaysOf(taken.record), days);
        QCOMPARE(taken.notDates, notUsed);
    }

    // Periodical's backup is gzip: unpacked whole, never past the limit, or not at all.
    void unpacksGzipWholeOrNotAtAll_data()
    {
        QTest::addColumn<QByteArray>("gzip");
        QTest::addColumn<std::size_t>("limit");
        QTest::addColumn<velmora::Unpacked::Outcome>("outcome");
        QTest::addColumn<int>("size");
        using Outcome = velmora::Unpacked::Outcome;
        const QByteArray backup = TestData("imports/periodical-backup.json.gz");
        const int unpacked = Sample("periodical-backup.json.gz").size();
        QTest::newRow("two members, one after the other")
            << backup + backup << velmora::kRecordLimit << Outcome::kWhole << 2 * unpacked;
        QTest::newRow("exactly the limit")
            << backup << std::size_t(unpacked) << Outcome::kWhole << unpacked;
        QTest::newRow("one byte past the limit")
            << backup << std::size_t(unpacked - 1) << Outcome::kTooLarge << unpacked - 1;
        QTest::newRow("without its trailer")
            << backup.chopped(8) << velmora::kRecordLimit << Outcome::kBroken << 0;
        QTest::newRow("bytes after its end")
            << backup + "x" << velmora::kRecordLimit << Outcome::kBroken << 0;
    }

    void unpacksGzipWholeOrNotAtAll()
    {
        QFETCH(QByteArray, gzip);
        QFETCH(std::size_t, limit);
        QFETCH(velmora::Unpacked::Outcome, outcome);
        QFETCH(int, size);
        const std::string_view bytes(gzip.constData(), static_cast<std::size_t>(gzip.size()));
        const velmora::Unpacked unpacked = velmora::Gunzip(bytes, limit);
        QCOMPARE(unpacked.outcome, outcome);
        QCOMPARE(unpacked.bytes.size(), std::size_t(size));
    }

    // Only her periods come in: a day after today is refused when recorded, and left out of a
    // file taken in; so is a day inside a period already recorded; an entry longer than any
    // period gives its first day alone. The report says each.
    void onlyHerPeriodsComeIn()
    {
        PeriodRecord record = PeriodRecord::Read("2004-02-19\n");
        const sys_days today = Day("2004-03-25");
        const velmora::RecordChange refused =
            velmora::RecordDays(record, {Day("2004-03-20"), Day("2004-03-26")}, today);
        QVERIFY(refused.refused);
        QCOMPARE(QString::fromStdString(refused.words), u"2004-03-26 还没到，不能记下。"_s);
        QCOMPARE(record.Text(), "2004-02-19\n");
        const velmora::RecordChange taken = velmora::TakeInto(
            record, velmora::TakeIn("2004-03-18\n2004-04-15\n2004-05-13\n"), today);
        QCOMPARE(QString::fromStdString(taken.words),
                 u"导入了 1 天。有 2 天在今天之后，没有导入。"_s);
        QCOMPARE(record.Text(), "2004-02-19\n2004-03-18\n");
        const velmora::RecordChange inside =
            velmora::TakeInto(record, velmora::TakeIn("2004-02-21\n2004-03-19\n"), today);
        QCOMPARE(QString::fromStdString(inside.words),
                 u"导入了 0 天。有 2 天在已记下的月经期内，不算新的一次。"_s);
        QCOMPARE(record.Text(), "2004-02-19\n2004-03-18\n");
        // Flo's first period with its end mistyped a year on keeps the periods after it.
        PeriodRecord flo;
        const velmora::RecordChange mistyped = velmora::TakeInto(
            flo,
            velmora::TakeIn(
                R"({"operationalData":{"cycles":[)"
                R"({"period_start_date":"2024-01-03","period_end_date":"2024-12-31"},)"
                R"({"period_start_date":"2024-02-01"},{"period_start_date":"2024-03-01"}]}})"),
            std::nullopt);
        QCOMPARE(flo.Text(), "2024-01-03\n2024-02-01\n2024-03-01\n");
        QCOMPARE(
            QString::fromStdString(mistyped.words),
            u"从 Flo 导入了 3 次月经。有 1 次月经记为长于 15 天（2024-01-03 起），只取了它的第一天。"_s);
    }

    void aFileOverTheLimitIsRefusedWhole()
    {
        std::string file(velmora::kRecordLimit, '\n');
        file.replace(0, 11, "2004-02-19\n");
        QCOMPARE(DaysOf(velmora::TakeIn(file).record), QStringList{"2004-02-19"});
        file += '\n';
        const velmora::TakenIn taken = velmora::TakeIn(file);
        QVERIFY(taken.tooLarge);
        QVERIFY(taken.record.Days().empty());
    }

    void historyShowsLengthsAndFiguresOfTheLastSix_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("note");

        QTest::newRow("none") << QByteArray() << QStringList{}
                              << u"还没有记录。在月历里选中月经来的第一天，就能记下。"_s
                              << QString();
        QTest::newRow("one day") << QByteArray("2004-02-19\n") << QStringList{"2004-02-19"}
                                 << u"记下两次以上月经，才能算出平均周期。"_s << QString();
        QTest::newRow("28.5 rounds to 28, half to even")
            << QByteArray("2004-01-01\n2004-01-29\n2004-02-27\n")
            << QStringList{"2004-01-01", "2004-01-29  28 天", "2004-02-27  29 天"}
            << u"最近 2 个周期：平均 28 天，最短 28 天，最长 29 天"_s << QString();
        QTest::newRow("29.5 rounds to 30")
            << QByteArray("2004-01-01\n2004-01-30\n2004-02-29\n")
            << QStringList{"2004-01-01", "2004-01-30  29 天", "2004-02-29  30 天"}
            << u"最近 2 个周期：平均 30 天，最短 29 天，最长 30 天"_s << QString();
        const QString leftOut = u"有 1 个周期短于 15 天或超过 45 天，可能多记或漏记了一次月经，"
                                "没有计入。"_s;
        QTest::newRow("45 days counts, 46 does not")
            << QByteArray("2004-01-01\n2004-02-15\n2004-04-01\n")
            << QStringList{"2004-01-01", "2004-02-15  45 天", "2004-04-01  46 天 不计入平均"}
            << u"最近 1 个周期：平均 45 天，最短 45 天，最长 45 天"_s << leftOut;
        QTest::newRow("14 days does not count, 15 does")
            << QByteArray("2004-01-01\n2004-01-15\n2004-01-30\n")
            << QStringList{"2004-01-01", "2004-01-15  14 天 不计入平均", "2004-01-30  15 天"}
            << u"最近 1 个周期：平均 15 天，最短 15 天，最长 15 天"_s << leftOut;
        QTest::newRow("only a month she did not record")
            << QByteArray("2004-01-01\n2004-03-01\n")
            << QStringList{"2004-01-01", "2004-03-01  60 天 不计入平均"}
            << u"最近的周期都不在 15 到 45 天之间，算不出平均周期。"_s << leftOut;
        QTest::newRow("twice her usual: a month not recorded, two cycles")
            << QByteArray("2004-01-01\n2004-01-22\n2004-02-12\n2004-03-25\n")
            << QStringList{"2004-01-01", "2004-01-22  21 天", "2004-02-12  21 天",
                           "2004-03-25  42 天 可能漏记一次月经，算作两个周期"}
            << u"最近 4 个周期：平均 21 天，最短 21 天，最长 21 天"_s << QString();
        // Eight cycles: the first two (20 and 40 days) are older than the last six (all 30).
        QTest::newRow("the last six only")
            << QByteArray("2003-01-01\n2003-01-21\n2003-03-02\n2003-04-01\n2003-05-01\n"
                          "2003-05-31\n2003-06-30\n2003-07-30\n2003-08-29\n")
            << QStringList{"2003-01-01",        "2003-01-21  20 天", "2003-03-02  40 天",
                           "2003-04-01  30 天", "2003-05-01  30 天", "2003-05-31  30 天",
                           "2003-06-30  30 天", "2003-07-30  30 天", "2003-08-29  30 天"}
            << u"最近 6 个周期：平均 30 天，最短 30 天，最长 30 天"_s << QString();
    }

    void historyShowsLengthsAndFiguresOfTheLastSix()
    {
        QFETCH(QByteArray, record);
        QFETCH(QStringList, lines);
        QFETCH(QString, summary);
        QFETCH(QString, note);
        const velmora::RecordHistory history =
            velmora::HistoryOf(PeriodRecord::Read(record.toStdString()).Days());
        QStringList shown;
        for (const std::string& line : velmora::HistoryLines(history))
            shown << QString::fromStdString(line);
        QCOMPARE(shown, lines);
        QCOMPARE(QString::fromStdString(velmora::HistorySummary(history)), summary);
        QCOMPARE(QString::fromStdString(velmora::HistoryNote(history)), note);
    }

    // What her record foretells from today, and what 按记录计算 takes from it.
    void foretellsFromHerRecord_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("today");
        QTest::addColumn<QStringList>("forecast");
        QTest::addColumn<int>("cycle"); // what 按记录计算 puts in the cycle box; 0: as it is
        const auto row = [](const char* name, const char* record, const char* today,
                            QStringList forecast, int cycle = 0) {
            QTest::newRow(name) << QByteArray(record) << QByteArray(today) << forecast << cycle;
        };
        const QString method2 = u"记下 6 个计入的周期后，才能用日历法估算易孕期（现有 2 个）。"_s;
        const QString needs = u"再记下 %1 次月经开始日，才能预测下次月经。"_s;
        const char* three = "2026-09-25\n2026-10-22\n2026-11-20\n"; // 27 and 29 days
        const QStringList next = {u"下次月经：2026-12-18"_s,
                                  u"最早 2026-12-16，最晚 2026-12-21（约 80% 的把握）"_s};
        row("no day", "", "2026-12-08", {needs.arg(3)});
        row("one day", "2026-11-20\n", "2026-12-08", {needs.arg(2)});
        row("three days, one length left out", "2026-08-01\n2026-10-23\n2026-11-20\n", "2026-12-08",
            {needs.arg(1)});
        // Two days before the earliest day: said first, as the reminder says it.
        row("three days, two days before the earliest", three, "2026-12-14",
            {u"月经可能在 2 天后开始：2026-12-16 到 2026-12-21。"_s, next[0], next[1], method2},
            28);
        row("three days, on the expected day itself: still the next", three, "2026-12-18",
            {next[0], next[1], method2}, 28);
        row("three days, the expected day passed, not late yet", three, "2026-12-19",
            {u"本应在 2026-12-18 前后开始。"_s, next[1], method2}, 28);
        // Late: said first, when it was due; no past day named the next.
        row("a day past the latest: late from the expected day", three, "2026-12-22",
            {u"本应在 2026-12-18 前后开始，已晚 4 天。"_s, next[1], method2}, 28);
        row("two of her longest cycles since her last period: still late", three, "2027-01-17",
            {u"本应在 2026-12-18 前后开始，已晚 30 天。"_s, next[1], method2}, 28);
        row("longer ago than that: her latest first day asked for, nothing foretold", three,
            "2027-01-18",
            {u"上次记下的月经 2026-11-20 开始，已过了 59 天，记录里可能少了几次。"
             u"请在月历里记下最近一次月经的第一天。"_s},
            28);
        row("a last first day after today", "2026-11-08\n2026-12-06\n2027-01-03\n", "2026-12-08",
            {u"下次月经：2027-01-31"_s, u"最早 2027-01-29，最晚 2027-02-03（约 80% 的把握）"_s,
             method2},
            28);
        // 60 days is twice her 28 and a little more: two cycles of 30, so five count.
        row("six lengths, a short one left out, a missed period taken as two",
            "2026-06-19\n2026-06-29\n2026-07-27\n2026-08-24\n2026-10-23\n2026-11-20\n",
            "2026-12-08",
            {u"下次月经：2026-12-19"_s, u"最早 2026-12-17，最晚 2026-12-21（约 80% 的把握）"_s,
             QString(method2).replace(u'2', u'5')},
            29);
        const QString caution = u"日历法只是估算，不能用来避孕。"_s;
        row("six lengths count: the calendar method",
            "2026-06-02\n2026-06-28\n2026-07-25\n2026-08-22\n2026-09-20\n2026-10-20\n2026-11-20\n",
            "2026-12-08",
            {u"下次月经：2026-12-19"_s, u"最早 2026-12-17，最晚 2026-12-21（约 80% 的把握）"_s,
             u"日历法易孕期：2026-11-27 到 2026-12-09"_s, caution},
            29);
        // The one cycle of 16 among 30s widens the range but hardly moves the day.
        row("eight days, the shortest 16: fertile from day 1",
            "2026-04-18\n2026-06-07\n2026-06-23\n2026-07-23\n2026-08-22\n2026-09-21\n"
            "2026-10-21\n2026-11-20\n",
            "2026-12-08",
            {u"下次月经：2026-12-20"_s, u"最早 2026-12-15，最晚 2026-12-26（约 80% 的把握）"_s,
             u"日历法易孕期：2026-11-20 到 2026-12-08"_s, caution},
            30);
        row("past the calendar's last day", "9999-10-15\n9999-11-12\n9999-12-10\n", "2026-12-08",
            {u"下次月经超出了日历的年份，无法预测。"_s});
    }
    void foretellsFromHerRecord()
    {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, today);
        QFETCH(QStringList, forecast);
        QFETCH(int, cycle);
        const std::vector<sys_days> days = PeriodRecord::Read(record.toStdString()).Days();
        const velmora::RecordView view = velmora::ViewOf(days, Day(today.constData()));
        QStringList lines;
        if (!view.notice.empty())
            lines << QString::fromStdString(view.notice);
        for (const std::string& line : view.forecast)
            lines << QString::fromStdString(line);
        QCOMPARE(lines, forecast);
        // The month pictures mark the same range, from the last cycles alone.
        const auto range = velmora::NextPeriodRange(days);
        const auto foretold = velmora::ForecastOf(velmora::HistoryOf(days), Day(today)).range;
        QVERIFY(range ? foretold && range->first == foretold->first && range->last == foretold->last
                      : !foretold);
        QCOMPARE(view.inputs.has_value(), !days.empty());
        if (!view.inputs)
            return;
        QCOMPARE(view.inputs->firstDay, days.back());
        QCOMPARE(view.inputs->cycleLength.value_or(0), cycle);
        // Offered while it foretells, or where her latest first day is later than the date box's.
        QCOMPARE(view.OffersCalculation(days.back()), cycle != 0);
        QVERIFY(view.OffersCalculation(days.back() - std::chrono::days{1}));
    }

    // The day her next period is foretold on and the days its range holds, counted from her last
    // first day: never a single day, an odd cycle or a gap hardly moving it, a length about
    // twice her usual taken as a period she did not record.
    void foretellsARangeForAnyCycles_data()
    {
        QTest::addColumn<QList<int>>("lengths");
        QTest::addColumn<QList<int>>("foretold"); // earliest, next, latest; none: no forecast
        QTest::newRow("one cycle") << QList<int>{28} << QList<int>{};
        QTest::newRow("two equal cycles: six days, not one")
            << QList<int>{28, 28} << QList<int>{26, 28, 31};
        QTest::newRow("thirty equal cycles: three days")
            << QList<int>(30, 28) << QList<int>{27, 28, 29};
        QTest::newRow("four of 28 days") << QList<int>{28, 28, 28, 28} << QList<int>{27, 28, 30};
        QTest::newRow("a gap of 180 days is left out")
            << QList<int>{28, 28, 180, 28, 28} << QList<int>{27, 28, 30};
        QTest::newRow("56 days is two cycles of 28")
            << QList<int>{28, 56, 28} << QList<int>{27, 28, 30};
        QTest::newRow("52 days beside her 30s is two cycles of 26")
            << QList<int>{30, 30, 30, 52} << QList<int>{27, 29, 32};
        QTest::newRow("one odd cycle of 40 hardly moves it")
            << QList<int>{28, 28, 28, 28, 28, 40} << QList<int>{24, 28, 33};
        QTest::newRow("15 and 45 days by turns")
            << QList<int>{15, 45, 15, 45} << QList<int>{16, 30, 47};
        QTest::newRow("few short cycles lean toward the typical one")
            << QList<int>{22, 22} << QList<int>{21, 23, 26};
    }
    void foretellsARangeForAnyCycles()
    {
        QFETCH(QList<int>, lengths);
        QFETCH(QList<int>, foretold);
        std::vector<sys_days> days = {sys_days{year{2024} / 1 / 1}};
        for (const int length : lengths)
            days.push_back(days.back() + std::chrono::days{length});
        const velmora::Forecast forecast =
            velmora::ForecastOf(velmora::HistoryOf(days), days.back());
        QCOMPARE(forecast.next.has_value(), !foretold.isEmpty());
        if (!forecast.next)
            return;
        const auto after = [&days](sys_days day) {
            return int((day - days.back()).count());
        };
        QCOMPARE((QList<int>{after(forecast.range->first), after(*forecast.next),
                             after(forecast.range->last)}),
                 foretold);
        QVERIFY(velmora::ForecastLines(forecast)[1].ends_with("（约 80% 的把握）"));
    }

    // What a reminder says today, and whether it was told already: two cycles of 28 days, her
    // next period from 26 to 31 days after her last, which began `ago` days before today.
    void remindsOnceBeforeAndWhenLate_data()
    {
        QTest::addColumn<QList<int>>("lengths");
        QTest::addColumn<int>("ago");
        QTest::addColumn<QByteArray>("told"); // what the reminders told hold
        QTest::addColumn<QString>("words");   // empty: nothing to tell
        const QList<int> two = {28, 28};
        QTest::newRow("three days before") << two << 23 << QByteArray() << QString();
        QTest::newRow("two days before")
            << two << 24 << QByteArray() << u"月经可能在 2 天后开始：2026-12-11 到 2026-12-16。"_s;
        QTest::newRow("the day before")
            << two << 25 << QByteArray() << u"月经可能在 1 天后开始：2026-12-10 到 2026-12-15。"_s;
        QTest::newRow("the day before, told two days before")
            << two << 25 << QByteArray("coming 2026-11-14\n") << QString();
        QTest::newRow("the first likely day") << two << 26 << QByteArray() << QString();
        QTest::newRow("the last likely day") << two << 31 << QByteArray() << QString();
        QTest::newRow("a day past it: late from the expected day")
            << two << 32 << QByteArray("coming 2026-11-07\n") << u"月经已比预计晚 4 天。"_s;
        QTest::newRow("late, told already")
            << two << 40 << QByteArray("late 2026-10-30\n") << QString();
        QTest::newRow("late, told of another cycle")
            << two << 40 << QByteArray("late 2026-09-30\r\n") << u"月经已比预计晚 12 天。"_s;
        QTest::newRow("late, what was told damaged")
            << two << 40 << QByteArray("\xff\x00late\nlate 2026-10-30x")
            << u"月经已比预计晚 12 天。"_s;
        QTest::newRow("too long ago to foretell") << two << 57 << QByteArray() << QString();
        QTest::newRow("no forecast") << QList<int>{28} << 25 << QByteArray() << QString();
    }
    void remindsOnceBeforeAndWhenLate()
    {
        QFETCH(QList<int>, lengths);
        QFETCH(int, ago);
        QFETCH(QByteArray, told);
        QFETCH(QString, words);
        const sys_days today = Day("2026-12-09");
        std::vector<sys_days> days = {today - std::chrono::days{ago}};
        for (const int length : lengths)
            days.insert(days.begin(), days.front() - std::chrono::days{length});
        const auto due = velmora::DueReminder(velmora::ForecastOf(velmora::HistoryOf(days), today));
        const std::string_view toldText(told.constData(), std::size_t(told.size()));
        const bool tells = due && !velmora::WasTold(toldText, *due);
        QCOMPARE(tells ? QString::fromStdString(due->words) : QString(), words);
        if (!tells)
            return;
        // Once told, it is not told again; what was told of other cycles is forgotten.
        const std::string after = velmora::ToldAfter(toldText, *due);
        QVERIFY(velmora::WasTold(after, *due));
        const QByteArray cycle = QByteArray::fromStdString(due->event).split(' ').last();
        for (const QByteArray& line : QByteArray::fromStdString(after).trimmed().split('\n'))
            QVERIFY2(line.endsWith(' ' + cycle), after.c_str());
    }

    // What choosing a day offers, by where it lies from her recorded periods: a later day of a
    // period is no new period, only a way to take that period out.
    void offersWhatTheDayCanBe_data()
    {
        QTest::addColumn<QByteArray>("day");
        QTest::addColumn<int>("action");
        QTest::addColumn<QByteArray>("changes"); // the day the action changes
        const auto row = [](const char* name, const char* day, velmora::DayAction action,
                            const char* changes) {
            QTest::newRow(name) << QByteArray(day) << int(action) << QByteArray(changes);
        };
        using velmora::DayAction;
        row("the day before a period", "2004-02-18", DayAction::Record, "2004-02-18");
        row("a recorded first day", "2004-02-19", DayAction::Forget, "2004-02-19");
        row("its second day", "2004-02-20", DayAction::ForgetPeriod, "2004-02-19");
        row("its fifth day", "2004-02-23", DayAction::ForgetPeriod, "2004-02-19");
        row("the day after its period", "2004-02-24", DayAction::Record, "2004-02-24");
        row("the last day of the last period", "2004-03-22", DayAction::ForgetPeriod, "2004-03-18");
        // Today is 2004-03-25: only what has happened is recorded.
        row("today", "2004-03-25", DayAction::Record, "2004-03-25");
        row("tomorrow", "2004-03-26", DayAction::NotYet, "2004-03-26");
    }
    void offersWhatTheDayCanBe()
    {
        QFETCH(QByteArray, day);
        QFETCH(int, action);
        QFETCH(QByteArray, changes);
        const PeriodRecord record = PeriodRecord::Read("2004-02-19\n2004-03-18\n");
        const velmora::DayOffer offer =
            velmora::OfferFor(record, Day(day.constData()), Day("2004-03-25"));
        QCOMPARE(int(offer.action), action);
        QCOMPARE(offer.day, Day(changes.constData()));
    }
};

QTEST_APPLESS_MAIN(PeriodRecordTest)
#include "period_record_test.moc"
