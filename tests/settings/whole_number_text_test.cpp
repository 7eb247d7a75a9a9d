// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_number_text.h"

#include <QTest>

class WholeNumberTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void converts_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected"); // "fails" when there is no result
        const QString us = "en_US";
        QTest::newRow("plain") << us << "30"
                               << "30";
        QTest::newRow("blanks around") << us << " 30 "
                                       << "30";
        QTest::newRow("28.5 to even") << us << "28.5"
                                      << "28";
        QTest::newRow("29.5 to even") << us << "29.5"
                                      << "30";
        QTest::newRow("28.6 up") << us << "28.6"
                                 << "29";
        QTest::newRow("negative") << us << "-5"
                                  << "-5";
        QTest::newRow("plus sign dropped") << us << "+7"
                                           << "7";
        QTest::newRow("no leading zeros") << us << "007"
                                          << "7";
        QTest::newRow("digit grouping") << us << "1,000"
                                        << "1000";
        QTest::newRow("exponent") << us << "1e3"
                                  << "1000";
        QTest::newRow("upper bound") << us << "32767"
                                     << "32767";
        QTest::newRow("rounds past upper bound") << us << "32767.5"
                                                 << "fails";
        QTest::newRow("lower bound by rounding") << us << "-32768.5"
                                                 << "-32768";
        QTest::newRow("below lower bound") << us << "-32769"
                                           << "fails";
        QTest::newRow("40000") << us << "40000"
                               << "fails";
        QTest::newRow("empty") << us << ""
                               << "fails";
        QTest::newRow("blanks only") << us << "   "
                                     << "fails";
        QTest::newRow("number then Chinese") << us << "28天"
                                             << "fails";
        QTest::newRow("blank inside the digits") << us << "2 8"
                                                 << "fails";
        QTest::newRow("infinity") << us << "inf"
                                  << "fails";
        QTest::newRow("not a number") << us << "nan"
                                      << "fails";
        QTest::newRow("German decimal comma") << "de_DE"
                                              << "28,6"
                                              << "29";
        QTest::newRow("German grouping") << "de_DE"
                                         << "1.000"
                                         << "1000";
    }
    void converts()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(velmora::ToWholeNumberText(text, QLocale(locale)).value_or("fails"), expected);
    }
};

QTEST_GUILESS_MAIN(WholeNumberTextTest)
#include "whole_number_text_test.moc"
