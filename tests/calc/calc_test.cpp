// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Qt 6.4's moc cannot parse the C++20 <chrono>, and needs nothing from it.
#ifndef Q_MOC_RUN
#include "calculation.h"
#include "read_leading_number.h"
#endif

#include <QDate>
#include <QRegularExpression>
#include <QTest>

using Number = std::optional<double>;

class CalcTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsLeadingNumber_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<Number>("expected"); // nothing: too large to read
        QTest::addColumn<bool>("number");     // whether the text begins with one at all
        QTest::newRow("no number reads 0") << QByteArray("abc") << Number(0) << false;
        QTest::newRow("nothing reads 0") << QByteArray("") << Number(0) << false;
        QTest::newRow("a fullwidth digit is none") << QByteArray("０") << Number(0) << false;
        QTest::newRow("a sign alone") << QByteArray("-") << Number(0) << false;
        QTest::newRow("blank between digits") << QByteArray("2 8") << Number(28) << true;
        QTest::newRow("tab and line feed dropped") << QByteArray("\t2\n8") << Number(28) << true;
        QTest::newRow("carriage return stops") << QByteArray("\r28") << Number(0) << false;
        QTest::newRow("stops at Chinese") << QByteArray("28天") << Number(28) << true;
        QTest::newRow("sign and point with blanks")
            << QByteArray("- 2 8 . 5") << Number(-28.5) << true;
        QTest::newRow("point before the digits") << QByteArray(".5") << Number(0.5) << true;
        QTest::newRow("second point stops") << QByteArray("1.2.3") << Number(1.2) << true;
        QTest::newRow("comma is no decimal point") << QByteArray("28,6") << Number(28) << true;
        QTest::newRow("exponent E") << QByteArray("1e3") << Number(1000) << true;
        QTest::newRow("exponent D, negative") << QByteArray("25D-1") << Number(2.5) << true;
        QTest::newRow("exponent without digits") << QByteArray("7e+") << Number(7) << true;
        QTest::newRow("underflow reads as zero") << QByteArray("1e-400") << Number(0) << true;
        QTest::newRow("zero stays zero whatever the exponent")
            << QByteArray("0e999") << Number(0) << true;
        QTest::newRow("zeros after the point cancel a large exponent")
            << QByteArray("0.") + QByteArray(5000, '0') + "28e5002" << Number(28) << true;
        QTest::newRow("a thousand digits round correctly")
            << "0." + QByteArray(1000, '3') << Number(1.0 / 3.0) << true;
        QTest::newRow("hexadecimal stops at G") << QByteArray("&H1G") << Number(1) << true;
        QTest::newRow("hexadecimal stops at @") << QByteArray("&H1@") << Number(1) << true;
        QTest::newRow("hexadecimal letters in either case")
            << QByteArray("&hAa") << Number(170) << true;
        QTest::newRow("lower-case f is a hexadecimal digit")
            << QByteArray("&Hf") << Number(15) << true;
        QTest::newRow("hexadecimal maximum")
            << QByteArray("&hFFFFFFFFFFFFFFFF") << Number(18446744073709551615.0) << true;
        QTest::newRow("octal") << QByteArray("&O17") << Number(15) << true;
        QTest::newRow("hexadecimal prefix alone") << QByteArray("&H") << Number(0) << false;
        QTest::newRow("octal stops at 8") << QByteArray("&O8") << Number(0) << false;
        QTest::newRow("ampersand and other letter") << QByteArray("&X1") << Number(0) << false;
        QTest::newRow("beyond a double") << QByteArray("1e309") << Number() << true;
        QTest::newRow("four hundred digits") << QByteArray(400, '9') << Number() << true;
        QTest::newRow("hexadecimal beyond 64 bits")
            << QByteArray("&H10000000000000000") << Number() << true;
    }
    void readsLeadingNumber()
    {
        QFETCH(QByteArray, text);
        QFETCH(Number, expected);
        QFETCH(bool, number);
        QCOMPARE_EQ(velmora::ReadLeadingNumber(text.toStdString()), expected);
        QCOMPARE(velmora::BeginsWithNumber(text.toStdString()), number);
    }

    void readsNothingPastTheEndOfTheText()
    {
        const std::string_view firstTwoOf283("283", 2);
        QCOMPARE_EQ(velmora::ReadLeadingNumber(firstTwoOf283), Number(28));
    }

    // The ten slots as the six lines show them: two dates for each period, one for the
    // ovulation day and one for the next period, the labels left out.
    void listsTheTenSlotsInTheSixLines_data()
    {
        QTest::addColumn<QDate>("firstDay");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("shown");
        const auto row = [](const char* name, QDate firstDay, QByteArray text, QStringList shown) {
            QTest::newRow(name) << firstDay << text << shown;
        };
        const QDate example(2004, 2, 19);
        const QStringList asZero = {"2004-02-19 -- 2004-02-23",
                                    "2004-02-24 -- 2004-01-30",
                                    "2004-01-31 -- 2004-02-09",
                                    "2004-02-10 -- 2004-02-18",
                                    "2004-02-05",
                                    "2004-02-19"};
        row("example, first safe period ends on the leap day", example, "30",
            {"2004-02-19 -- 2004-02-23", "2004-02-24 -- 2004-02-29", "2004-03-01 -- 2004-03-10",
             "2004-03-11 -- 2004-03-19", "2004-03-06", "2004-03-20"});
        row("28.5 adds 28, to the even neighbour", example, "28.5",
            {"2004-02-19 -- 2004-02-23", "2004-02-24 -- 2004-02-27", "2004-02-28 -- 2004-03-08",
             "2004-03-09 -- 2004-03-17", "2004-03-04", "2004-03-18"});
        row("20 runs the safe period backwards", example, "20",
            {"2004-02-19 -- 2004-02-23", "2004-02-24 -- 2004-02-19", "2004-02-20 -- 2004-02-29",
             "2004-03-01 -- 2004-03-09", "2004-02-25", "2004-03-10"});
        row("empty text calculates with 0", example, "", asZero);
        row("too large to add", example, "3000000", asZero);
        row("too large for a double", example, "1e400", asZero);
        row("first day after 9999-12-27", QDate(9999, 12, 28), "30",
            {"9999-12-28 -- 1899-12-30", "1899-12-31 -- 9999-12-08", "9999-12-09 -- 9999-12-18",
             "9999-12-19 -- 9999-12-27", "9999-12-14", "9999-12-28"});
        row("years below 1000 are padded", QDate(1601, 1, 1), "-500000",
            {"1601-01-01 -- 1601-01-05", "1601-01-06 -- 0231-12-30", "0231-12-31 -- 0232-01-09",
             "0232-01-10 -- 0232-01-18", "0232-01-05", "0232-01-19"});
        row("slots that would fall before year 100 keep the zero date", QDate(100, 1, 1), "0",
            {"0100-01-01 -- 0100-01-05", "0100-01-06 -- 1899-12-24", "1899-12-25 -- 1900-01-03",
             "1900-01-04 -- 1899-12-30", "1899-12-30", "0100-01-01"});
    }
    void listsTheTenSlotsInTheSixLines()
    {
        QFETCH(QDate, firstDay);
        QFETCH(QByteArray, text);
        QFETCH(QStringList, shown);
        const velmora::PhaseDates dates =
            velmora::Calculate({.date = firstDay, .cycleLengthText = QString::fromUtf8(text)});
        QStringList lines = velmora::ResultLineTexts(dates);
        for (QString& line : lines)
            line = line.remove(QRegularExpression("\\s*\\p{Han}+\\s*$")).simplified();
        QCOMPARE(lines, shown);
    }
};

QTEST_GUILESS_MAIN(CalcTest)
#include "calc_test.moc"
