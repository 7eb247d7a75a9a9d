// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "field_reader.h"

#include <QTest>

class FieldReaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsFields_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArrayList>("fields"); // every successful read, in order
        QTest::newRow("LF line ends") << QByteArray("\"a\"\n\"b\"\n") << QByteArrayList{"a", "b"};
        QTest::newRow("CR line ends") << QByteArray("a\rb") << QByteArrayList{"a", "b"};
        QTest::newRow("blanks before skipped, trailing ones dropped")
            << QByteArray("   a  ,\t b ") << QByteArrayList{"a", "b"};
        QTest::newRow("quoted keeps blanks and commas")
            << QByteArray("\" a,b \",c") << QByteArrayList{" a,b ", "c"};
        QTest::newRow("text after the closing quote is passed over")
            << QByteArray("\"a\"xyz,\"b\"") << QByteArrayList{"a", "b"};
        QTest::newRow("empty line is an empty field")
            << QByteArray("\r\nx") << QByteArrayList{"", "x"};
        QTest::newRow("unclosed quote runs to the end")
            << QByteArray("\"ab\r\ncd") << QByteArrayList{"ab\r\ncd"};
        QTest::newRow("blanks only") << QByteArray("   ") << QByteArrayList{};
    }
    void readsFields()
    {
        QFETCH(QByteArray, data);
        QFETCH(QByteArrayList, fields);
        velmora::FieldReader reader(data);
        QByteArrayList read;
        while (const auto field = reader.ReadField())
            read << *field;
        QCOMPARE(read, fields);
    }
};

QTEST_GUILESS_MAIN(FieldReaderTest)
#include "field_reader_test.moc"
