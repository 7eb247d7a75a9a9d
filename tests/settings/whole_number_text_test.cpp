// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_number_text.h"

#include <QTest>

using Text = std::optional<QString>;

class WholeNumberTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void converts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Text>("expected"); // nothing: no whole number
        const QString us = "en_US";
        QTest::newRow("blanks around") << us << " 30 " << Text("30");
        QTest::newRow("28.5 to even") << us << "28.5" << Text("28");
        QTest::newRow("29.5 to even") << us << "29.5" << Text("30");
        QTest::newRow("negative") << us << "-5" << Text("-5");
        QTest::newRow("plus sign and zeros dropped") << us << "+007" << Text("7");
        QTest::newRow("digit grouping") << us << "1,000" << Text("1000");
        QTest::newRow("upper bound") << us << "32767" << Text("32767");
        QTest::newRow("rounds past upper bound") << us << "32767.5" << Text();
        QTest::newRow("lower bound by rounding") << us << "-32768.5" << Text("-32768");
        QTest::newRow("below lower bound") << us << "-32769" << Text();
        QTest::newRow("empty") << us << "" << Text();
        QTest::newRow("number then Chinese") << us << "28天" << Text();
        QTest::newRow("blank inside the digits") << us << "2 8" << Text();
        QTest::newRow("infinity") << us << "inf" << Text();
        QTest::newRow("German decimal comma") << "de_DE"
                                              << "28,6" << Text("29");
        QTest::newRow("German grouping") << "de_DE"
                                         << "1.000" << Text("1000");
    }
    void converts()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(Text, expected);
        QCOMPARE(velmora::ToWholeNumberText(text, QLocale(locale)), expected);
    }
};

QTEST_GUILESS_MAIN(WholeNumberTextTest)
#include "whole_number_text_test.moc"
