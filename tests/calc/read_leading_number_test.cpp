// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "read_leading_number.h"

#include <QTest>

using Number = std::optional<double>;

class ReadLeadingNumberTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<Number>("expected"); // nothing: too large to read
        QTest::newRow("empty reads 0") << QByteArray() << Number(0);
        QTest::newRow("no number reads 0") << QByteArray("abc") << Number(0);
        QTest::newRow("blank between digits") << QByteArray("2 8") << Number(28);
        QTest::newRow("tab and line feed dropped") << QByteArray("\t2\n8") << Number(28);
        QTest::newRow("carriage return stops") << QByteArray("\r28") << Number(0);
        QTest::newRow("stops at Chinese") << QByteArray("28天") << Number(28);
        QTest::newRow("sign and point with blanks") << QByteArray("- 2 8 . 5") << Number(-28.5);
        QTest::newRow("two signs") << QByteArray("--5") << Number(0);
        QTest::newRow("second point stops") << QByteArray("1.2.3") << Number(1.2);
        QTest::newRow("comma is no decimal point") << QByteArray("28,6") << Number(28);
        QTest::newRow("exponent E") << QByteArray("1e3") << Number(1000);
        QTest::newRow("exponent D, negative") << QByteArray("25D-1") << Number(2.5);
        QTest::newRow("exponent without digits") << QByteArray("7e+") << Number(7);
        QTest::newRow("underflow reads as zero") << QByteArray("1e-400") << Number(0);
        QTest::newRow("zeros after the point cancel a large exponent")
            << QByteArray("0.") + QByteArray(5000, '0') + "28e5002" << Number(28);
        QTest::newRow("a thousand digits round correctly")
            << "0." + QByteArray(1000, '3') << Number(1.0 / 3.0);
        QTest::newRow("hexadecimal stops at G") << QByteArray("&H1G") << Number(1);
        QTest::newRow("hexadecimal stops at @") << QByteArray("&H1@") << Number(1);
        QTest::newRow("hexadecimal letters in either case") << QByteArray("&hAa") << Number(170);
        QTest::newRow("hexadecimal maximum")
            << QByteArray("&hFFFFFFFFFFFFFFFF") << Number(18446744073709551615.0);
        QTest::newRow("octal") << QByteArray("&O17") << Number(15);
        QTest::newRow("octal stops at 8") << QByteArray("&O8") << Number(0);
        QTest::newRow("ampersand and other letter") << QByteArray("&X1") << Number(0);
        QTest::newRow("beyond a double") << QByteArray("1e309") << Number();
        QTest::newRow("four hundred digits") << QByteArray(400, '9') << Number();
        QTest::newRow("hexadecimal beyond 64 bits")
            << QByteArray("&H10000000000000000") << Number();
        QTest::newRow("octal beyond 64 bits") << QByteArray("&O2000000000000000000000") << Number();
    }
    void reads()
    {
        QFETCH(QByteArray, text);
        QFETCH(Number, expected);
        QCOMPARE_EQ(velmora::ReadLeadingNumber(text.toStdString()), expected);
    }
};

QTEST_GUILESS_MAIN(ReadLeadingNumberTest)
#include "read_leading_number_test.moc"
