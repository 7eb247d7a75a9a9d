// Qt 6.4's moc cannot parse the C++20 <chrono>, and needs nothing from it.
#ifndef Q_MOC_RUN
#include "result_lines.h"
#endif

#include <QTest>

class ResultLinesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exampleByteForByte()
    {
        const auto firstDay = velmora::CalendarDate::FromYmd(2004, 2, 19);
        QVERIFY(firstDay);
        const auto lines = velmora::ResultLines(velmora::CalculatePhases(*firstDay, "30"));
        const std::array<std::string, 6> expected = {
            "2004-02-19    --    2004-02-23   月经期",
            "2004-02-24    --    2004-02-29   安全期      ",
            "2004-03-01    --    2004-03-10   危险期    ",
            "2004-03-11    --    2004-03-19   安全期      ",
            "2004-03-06                       排卵日   ",
            "2004-03-20                       下次月经开始日",
        };
        for (std::size_t i = 0; i < lines.size(); ++i)
            QCOMPARE(QByteArray::fromStdString(lines[i]), QByteArray::fromStdString(expected[i]));
    }
};

QTEST_GUILESS_MAIN(ResultLinesTest)
#include "result_lines_test.moc"
