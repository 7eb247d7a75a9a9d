// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt 6.4's moc cannot parse the C++20 <chrono>, and needs nothing from it.
#ifndef Q_MOC_RUN
#include "result_lines.h"
#endif

#include "test_data.h"

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
        const QStringList expected = TestDataLines("example_lines.txt");
        QCOMPARE(expected.size(), 6);
        for (std::size_t i = 0; i < lines.size(); ++i)
            QCOMPARE(QString::fromStdString(lines[i]), expected[static_cast<qsizetype>(i)]);
    }
};

QTEST_GUILESS_MAIN(ResultLinesTest)
#include "result_lines_test.moc"
