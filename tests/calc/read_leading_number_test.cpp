// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "read_leading_number.h"

#include <QTest>
#include <cmath>

class ReadLeadingNumberTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << QByteArray("30") << 30.0;
        QTest::newRow("empty") << QByteArray() << 0.0;
        QTest::newRow("not a number") << QByteArray("abc") << 0.0;
        QTest::newRow("blank between digits") << QByteArray("2 8") << 28.0;
        QTest::newRow("tab and line feed dropped") << QByteArray("\t2\n8") << 28.0;
        QTest::newRow("carriage return stops") << QByteArray("\r28") << 0.0;
        QTest::newRow("followed by Chinese") << QByteArray("28天") << 28.0;
        QTest::newRow("full-width digits") << QByteArray("２８") << 0.0;
        QTest::newRow("negative") << QByteArray(" -5") << -5.0;
        QTest::newRow("sign with blanks") << QByteArray("- 2 8 . 5") << -28.5;
        QTest::newRow("two signs") << QByteArray("--5") << 0.0;
        QTest::newRow("fraction") << QByteArray("28.6") << 28.6;
        QTest::newRow("second point stops") << QByteArray("1.2.3") << 1.2;
        QTest::newRow("comma is no decimal point") << QByteArray("28,6") << 28.0;
        QTest::newRow("exponent E") << QByteArray("1e3") << 1000.0;
        QTest::newRow("exponent D") << QByteArray("1D3") << 1000.0;
        QTest::newRow("negative exponent") << QByteArray("25E-1") << 2.5;
        QTest::newRow("exponent without digits") << QByteArray("7e+") << 7.0;
        QTest::newRow("underflow reads as zero") << QByteArray("1e-400") << 0.0;
        QTest::newRow("many leading zeros") << QByteArray(5000, '0') + "28" << 28.0;
        QTest::newRow("zeros after the point")
            << QByteArray("0.") + QByteArray(5000, '0') + "28e5002" << 28.0;
        QTest::newRow("hexadecimal") << QByteArray("&H1F") << 31.0;
        QTest::newRow("hexadecimal stops at G") << QByteArray("&H1G") << 1.0;
        QTest::newRow("hexadecimal maximum")
            << QByteArray("&HFFFFFFFFFFFFFFFF") << 18446744073709551615.0;
        QTest::newRow("octal") << QByteArray("&O17") << 15.0;
        QTest::newRow("octal stops at 8") << QByteArray("&O8") << 0.0;
        QTest::newRow("ampersand and other letter") << QByteArray("&X1") << 0.0;
    }
    void reads()
    {
        QFETCH(QByteArray, text);
        QFETCH(double, expected);
        const auto value = velmora::ReadLeadingNumber(text.toStdString());
        QVERIFY(value.has_value());
        QCOMPARE(*value, expected);
    }

    void failsWhenTooLarge_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("exponent beyond a double") << QByteArray("1e309");
        QTest::newRow("four hundred digits") << QByteArray(400, '9');
        QTest::newRow("huge exponent") << QByteArray("1e99999999999999999999999");
        QTest::newRow("hexadecimal beyond 64 bits") << QByteArray("&H10000000000000000");
        QTest::newRow("octal beyond 64 bits") << QByteArray("&O2000000000000000000000");
    }
    void failsWhenTooLarge()
    {
        QFETCH(QByteArray, text);
        QVERIFY(!velmora::ReadLeadingNumber(text.toStdString()).has_value());
    }

    void keepsFullPrecisionOfLongInput()
    {
        // Far more digits than a double holds must still round correctly.
        const QByteArray text = "0." + QByteArray(1000, '3');
        const auto value = velmora::ReadLeadingNumber(text.toStdString());
        QVERIFY(value.has_value());
        QVERIFY(*value == 1.0 / 3.0);
    }
};

QTEST_GUILESS_MAIN(ReadLeadingNumberTest)
#include "read_leading_number_test.moc"
