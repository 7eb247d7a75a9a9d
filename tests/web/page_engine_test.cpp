// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What the web page is told: the same lines, calendar and help as the window, and what the device
// keeps by the rules dear.cfg follows. The browser leg of scripts/test drives the page itself.
#include "decimal_text.h"
#include "engine_exports.h"
#include "page_engine.h"
#include "test_data.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <cmath>

namespace velmora {
// The web build's conversion, compiled here under another name beside the native one.
std::optional<double> WebDecimalTextToDouble(const std::string& text);
} // namespace velmora

using namespace Qt::Literals::StringLiterals;

namespace {

QJsonObject Json(const std::string& text)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

// A file of the project's source, as text.
QString SourceText(const QString& path)
{
    return QString::fromUtf8(ReadBytes(QStringLiteral(VELMORA_TEST_DATA "/../../") + path));
}

// Every key of an answer, at any depth.
void CollectKeys(const QJsonValue& value, QSet<QString>& keys)
{
    if (value.isArray())
        for (const QJsonValue& each : value.toArray())
            CollectKeys(each, keys);
    const QJsonObject object = value.toObject();
    for (auto member = object.begin(); member != object.end(); ++member) {
        keys.insert(member.key());
        CollectKeys(member.value(), keys);
    }
}

QSet<QString> KeysOf(const std::string& answer)
{
    QSet<QString> keys;
    CollectKeys(QJsonDocument::fromJson(QByteArray::fromStdString(answer)).object(), keys);
    return keys;
}

// The keys page_engine.h names above each function, in double quotes.
QHash<QString, QSet<QString>> DocumentedKeys()
{
    static const QRegularExpression declaration(u"^std::string (\\w+)\\("_s,
                                                QRegularExpression::MultilineOption);
    static const QRegularExpression key(u"\"([A-Za-z]\\w*)\""_s);
    const QString header = SourceText(u"src/web/page_engine.h"_s);
    QHash<QString, QSet<QString>> documented;
    qsizetype from = 0;
    for (const auto& match : declaration.globalMatch(header)) {
        QSet<QString>& keys = documented[match.captured(1)];
        for (const QString& line : header.mid(from, match.capturedStart() - from).split('\n'))
            if (line.startsWith(u"//"_s))
                for (const auto& named : key.globalMatch(line))
                    keys.insert(named.captured(1));
        from = match.capturedEnd();
    }
    return documented;
}

// What the page's scripts read of the engine's answers: a property of a variable that holds
// one, and the keys of the words it fills the page with.
QSet<QString> KeysThePageReads()
{
    static const QRegularExpression read(
        u"\\b(?:texts|record|answer|offer|result|picture|month|day|look|kept|keep|inputs|"
        "current\\(\\))\\??\\.([A-Za-z]\\w*)\\b(?!\\s*\\()"_s);
    static const QRegularExpression comment(u"//[^\n]*"_s);
    static const QRegularExpression words(u"const words = \\{([^}]*)\\}"_s);
    static const QRegularExpression word(u":\\s*\"(\\w+)\""_s);
    QSet<QString> keys;
    for (const QString& name :
         QDir(QStringLiteral(VELMORA_TEST_DATA "/../../web")).entryList({u"*.js"_s}, QDir::Files)) {
        QString script = SourceText(u"web/"_s + name).remove(comment);
        for (const auto& match : words.globalMatch(script))
            for (const auto& each : word.globalMatch(match.captured(1)))
                keys.insert(each.captured(1));
        for (const auto& match :
             read.globalMatch(script.remove(QRegularExpression(u"\"[^\"\n]*\""_s))))
            keys.insert(match.captured(1));
    }
    return keys;
}

QString Joined(const QJsonValue& lines)
{
    QString text;
    for (const QJsonValue& line : lines.toArray())
        text += line.toString() + '\n';
    return text;
}

} // namespace

Q_DECLARE_METATYPE(std::optional<std::chrono::sys_days>)

class PageEngineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The header says exactly what each answer holds, nested objects included: an answer of
    // each with every key it can have, against the keys the header names above it and those it
    // refers to.
    void theContractNamesEveryKeySent_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QStringList>("alsoDocumented");
        QTest::addColumn<QSet<QString>>("sent");
        using namespace std::chrono;
        using namespace velmora::web;
        const sys_days today = sys_days{2004y / March / 20};
        const std::string record = "2004-01-22\n2004-02-19\n2004-03-18\n";
        const RecordContext context{today, "2004-02-19", velmora::kAllLines};
        QTest::newRow("page texts") << u"PageTexts"_s << QStringList() << KeysOf(PageTexts(today));
        QTest::newRow("calculation")
            << u"Calculation"_s << QStringList{u"Months"_s}
            << KeysOf(Calculation("2004-02-19", "28", sys_seconds{}, today, record));
        QTest::newRow("months") << u"Months"_s << QStringList()
                                << KeysOf(Months("2004-02-19", "28", "2004-02", today, record));
        QTest::newRow("day key") << u"DayKeyMove"_s << QStringList()
                                 << KeysOf(DayKeyMove("2004-02-19", "28", "2004-02", "2004-02-19",
                                                      "ArrowRight", today));
        QTest::newRow("record") << u"RecordAnswer"_s << QStringList()
                                << KeysOf(RecordAnswer(record, context));
        QTest::newRow("offer") << u"RecordOffer"_s << QStringList()
                               << KeysOf(RecordOffer(record, "2004-03-19", today));
        QTest::newRow("day recorded") << u"RecordDay"_s << QStringList{u"RecordAnswer"_s}
                                      << KeysOf(RecordDay(record, "2004-03-19", true, context));
        QTest::newRow("file taken in")
            << u"RecordTakenIn"_s << QStringList{u"RecordDay"_s, u"RecordAnswer"_s}
            << KeysOf(RecordTakenIn(record, "2004-04-15\n", context));
        QTest::newRow("remembered")
            << u"Remembered"_s << QStringList() << KeysOf(Remembered("2004-02-19", "28"));
        QTest::newRow("restored") << u"Restored"_s << QStringList()
                                  << KeysOf(Restored("2004-02-19", "28"));
    }
    void theContractNamesEveryKeySent()
    {
        QFETCH(QString, function);
        QFETCH(QStringList, alsoDocumented);
        QFETCH(QSet<QString>, sent);
        const QHash<QString, QSet<QString>> documented = DocumentedKeys();
        QSet<QString> named = documented[function];
        for (const QString& other : alsoDocumented)
            named += documented[other];
        QCOMPARE(sent - named, QSet<QString>()); // sent, but not said
        QCOMPARE(named - sent, QSet<QString>()); // said, but not sent
    }

    // Today is the device's clock moved by its offset, east positive; a clock that reads no time
    // of the picker's years is none, and a first visit then starts on the window's first day.
    void todayIsTheDevicesClockWhereItReads_data()
    {
        QTest::addColumn<double>("now");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("firstDay");
        const double march20 = 1079740800; // 2004-03-20 00:00 UTC
        QTest::newRow("UTC") << march20 << 0 << u"2004-03-20"_s;
        QTest::newRow("an hour west: the day before") << march20 << -60 << u"2004-03-19"_s;
        QTest::newRow("no clock") << std::nan("") << 0 << u"2003-12-17"_s;
        QTest::newRow("past 9999") << 253402300800.0 << 0 << u"2003-12-17"_s;
    }
    void todayIsTheDevicesClockWhereItReads()
    {
        QFETCH(double, now);
        QFETCH(int, offset);
        QFETCH(QString, firstDay);
        QCOMPARE(Json(velmora_page_texts(now, offset))["firstDay"].toString(), firstDay);
        // Without a clock, no day is today's to record.
        const QJsonObject months = Json(velmora::web::Months("", "", "2004-03", std::nullopt));
        QVERIFY(months.contains(u"months"_s));
        QCOMPARE(months["todayDay"].toString() + QString::number(months["recordToday"].toBool()),
                 u"0"_s);
    }

    // Every key the page's scripts read of an answer is one the engine says it sends.
    void thePageReadsOnlyWhatTheContractNames()
    {
        QSet<QString> documented;
        for (const QSet<QString>& keys : DocumentedKeys())
            documented += keys;
        const QSet<QString> read = KeysThePageReads();
        QVERIFY(read.size() > 40); // the scripts were found and read
        QCOMPARE(read - documented, QSet<QString>());
    }
    void theExampleGivesTheWindowsLinesAndCalendar()
    {
        const QJsonObject result =
            Json(velmora::web::Calculation("2004-02-19", "30", std::chrono::sys_seconds{}));
        // The page shows each line from its parts: together they are the window's line.
        QString fromParts;
        for (const QJsonValue& parts : result["lineParts"].toArray())
            fromParts += Joined(parts).remove('\n') + '\n';
        QCOMPARE(fromParts.toUtf8(), TestData("example_lines.txt"));
        QVERIFY(result["refusal"].isNull());
        QCOMPARE(WithoutStamps(result["calendar"].toString()),
                 WithoutStamps(QString::fromUtf8(TestData("example.ics"))));
        // Where its picture's 上个月 and 下个月 lead.
        const QJsonObject picture = result["picture"].toObject();
        QCOMPARE(picture["previous"].toString() + ' ' + picture["next"].toString(),
                 "2004-01 2004-03");
    }

    // Every look of the legend the page draws is one its CSS styles: each colour and pattern
    // the engine names has a rule.
    void everyLookTheEngineNamesHasARuleInTheCss()
    {
        const QString css = QString::fromUtf8(
            ReadBytes(QStringLiteral(VELMORA_TEST_DATA "/../../web/velmora.css")));
        const QJsonObject picture = Json(velmora::web::Months("2004-02-19", "30", "2004-02", {}));
        for (const QJsonValue look : picture["legend"].toArray())
            for (const QString& rule :
                 {"colour-" + look["colour"].toString(), "pattern-" + look["pattern"].toString()})
                QVERIFY2(css.contains(QRegularExpression("^\\." + rule + "(::[a-z]+)?( \\{|,)$",
                                                         QRegularExpression::MultilineOption)),
                         qPrintable(rule));
    }

    // Where a key moves the day she stands on, and the first month then shown: the window asks
    // the same rule. The example's picture shows two months at once, February and March 2004;
    // without a first day, her record alone shows one.
    void aKeyMovesTheDayAsEveryFaceDoes_data()
    {
        QTest::addColumn<QByteArray>("firstDay");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("day");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("moved"); // day and first month, or null
        const auto row = [](const char* name, QByteArray from, QByteArray day, QByteArray key,
                            QByteArray moved, QByteArray firstDay = "2004-02-19") {
            QTest::newRow(name) << firstDay << from << day << key << moved;
        };
        row("left within the months", "2004-02", "2004-03-01", "ArrowLeft", "2004-02-29 2004-02");
        row("right past the last month", "2004-02", "2004-03-31", "ArrowRight",
            "2004-04-01 2004-03");
        row("up past the first month", "2004-02", "2004-02-03", "ArrowUp", "2004-01-27 2004-01");
        row("down a week", "2004-02", "2004-02-25", "ArrowDown", "2004-03-03 2004-02");
        row("page up to a shorter month", "2004-02", "2004-03-31", "PageUp", "2004-02-29 2004-02");
        row("page down from January", "2004-01", "2004-01-31", "PageDown", "2004-02-29 2004-01");
        row("home is today", "2004-02", "2004-02-10", "Home", "2026-12-08 2026-11");
        row("end of the month", "2004-02", "2004-03-05", "End", "2004-03-31 2004-02");
        row("the picker's last day stays", "9999-11", "9999-12-31", "ArrowRight",
            "9999-12-31 9999-11");
        row("her record alone, one month", "2026-12", "2026-12-31", "ArrowRight",
            "2027-01-01 2027-01", "");
        row("another key", "2004-02", "2004-02-10", "Tab", "null");
        row("no day", "2004-02", "2004-02-30", "ArrowLeft", "null");
        row("no month", "", "2004-02-10", "ArrowLeft", "null");
    }
    void aKeyMovesTheDayAsEveryFaceDoes()
    {
        QFETCH(QByteArray, firstDay);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, day);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, moved);
        const std::string answer = velmora::web::DayKeyMove(
            firstDay.toStdString(), "30", from.toStdString(), day.toStdString(), key.toStdString(),
            std::chrono::sys_days{std::chrono::year{2026} / 12 / 8});
        const QJsonObject json = Json(answer);
        QCOMPARE(json.isEmpty() ? QByteArray::fromStdString(answer)
                                : (json["day"].toString() + ' ' + json["from"].toString()).toUtf8(),
                 moved);
    }

    // A change by a day of the picker, beside the date box's day: what is kept, whether it
    // calculates at once (her period came), and what 按记录计算 then takes.
    void herRecordChangesOnlyByDaysOfThePicker_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("change"); // +day recorded, -day taken out
        QTest::addColumn<QByteArray>("dateBox");
        QTest::addColumn<QByteArray>("kept");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QByteArray>("answer"); // recalculates, offers 按记录计算, its cycle
        const auto row = [](const char* name, QByteArray record, QByteArray change, QByteArray box,
                            QByteArray kept, QByteArray answer, QString refusal = {}) {
            QTest::newRow(name) << record << change << box << kept << refusal << answer;
        };
        row("a later first day", "2004-01-22\n", "+2004-02-19", "2004-02-01",
            "2004-01-22\n2004-02-19\n", "1 1 0");
        row("a day twice", "2004-02-19\n", "+2004-02-19", "2004-01-01", "2004-02-19\n", "0 1 0");
        row("taken out", "注\n2004-02-19\n", "-2004-02-19", "2004-01-01", "注\n", "0 0 0");
        row("no day", "2004-02-19\n", "+2004-02-30", "", "2004-02-19\n", "0 1 0");
        row("the third day of a recorded period", "2004-02-19\n", "+2004-02-21", "2004-02-01",
            "2004-02-19\n", "0 1 0", u"2004-02-21 在 2004-02-19 起记下的月经期内。"_s);
        row("the date box's own day", "", "+2004-02-19", "2004-02-19", "2004-02-19\n", "0 0 0");
        row("an earlier day", "2004-03-18\n", "+2004-02-19", "2004-03-01",
            "2004-02-19\n2004-03-18\n", "0 1 0");
        row("no day in the date box", "", "+2004-02-19", "", "2004-02-19\n", "1 1 0");
        row("a record that foretells", "2004-01-21\n2004-02-19\n", "+2004-03-18", "2004-03-18",
            "2004-01-21\n2004-02-19\n2004-03-18\n", "0 1 29");
    }
    void herRecordChangesOnlyByDaysOfThePicker()
    {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, change);
        QFETCH(QByteArray, dateBox);
        QFETCH(QByteArray, kept);
        QFETCH(QString, refusal);
        QFETCH(QByteArray, answer);
        const QJsonObject json = Json(velmora::web::RecordDay(
            record.toStdString(), change.mid(1).toStdString(), change.startsWith('+'),
            {.today = {}, .dateBox = dateBox.toStdString()}));
        QCOMPARE(json["record"].toString().toUtf8(), kept);
        QCOMPARE(json["changed"].toBool(), kept != record);
        QCOMPARE(json["refused"].toBool() ? json["words"].toString() : QString(), refusal);
        QCOMPARE(QString("%1 %2 %3")
                     .arg(int(json["recalculate"].toBool()))
                     .arg(int(json["offersCalculation"].toBool()))
                     .arg(json["fromRecord"]["cycle"].toInt()),
                 QString::fromLatin1(answer));
    }

    void herRecordsAnswerIsTextWhateverItHolds()
    {
        // Her note: Chinese, a character of four bytes, quotes, backslashes and control
        // characters, a byte that begins nothing and a sequence cut short, each a U+FFFD, and
        // a surrogate, each of its three bytes one.
        const QByteArray record =
            "痛经 \xf0\x9f\x98\x80 \"\\n\t\x01\xff\xe4\xb8\xed\xa0\x80\n2004-01-22\n";
        const std::string file = "2004-02-19\nx\n";
        const std::string answer =
            velmora_record_take_in(record.constData(), static_cast<int>(record.size()), file.data(),
                                   static_cast<int>(file.size()), nullptr, 0, 0, 0, 0);
        const QByteArray bytes = QByteArray::fromStdString(answer);
        QCOMPARE(QString::fromUtf8(bytes).toUtf8(), bytes); // text the page can read
        const QJsonObject json = Json(answer);
        QCOMPARE(json["record"].toString(),
                 u"痛经 \U0001F600 \"\\n\t\u0001\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\n2004-01-22\n"
                 "2004-02-19\n"_s);
        QCOMPARE(json["words"].toString(), "导入了 1 天。有 1 行不是日期，没有导入。");
    }

    // The page takes a file in by the same rules as the terminal: a day inside a period she
    // recorded is no new period, and the report says so.
    void aDayInsideHerPeriodComesInAsNoNewPeriod()
    {
        const std::string record = "2004-02-19\n";
        const std::string file = "2004-02-21\n2004-03-18\n";
        const QJsonObject json =
            Json(velmora_record_take_in(record.data(), static_cast<int>(record.size()), file.data(),
                                        static_cast<int>(file.size()), nullptr, 0, 0, 0, 0));
        QCOMPARE(json["record"].toString(), "2004-02-19\n2004-03-18\n");
        QCOMPARE(json["words"].toString(),
                 "导入了 1 天。有 1 天在已记下的月经期内，不算新的一次。");
    }

    void aFirstVisitStartsAtTodayOnTheDevice_data()
    {
        using namespace std::chrono;
        QTest::addColumn<std::optional<sys_days>>("today");
        QTest::addColumn<QString>("firstDay");
        QTest::newRow("a day of the picker")
            << std::optional<sys_days>(2026y / 12 / 9) << "2026-12-09";
        QTest::newRow("no clock: the window's first day")
            << std::optional<sys_days>() << "2003-12-17";
        QTest::newRow("past the picker's range")
            << std::optional<sys_days>(10000y / 1 / 1) << "2003-12-17";
    }
    void aFirstVisitStartsAtTodayOnTheDevice()
    {
        QFETCH(std::optional<std::chrono::sys_days>, today);
        QFETCH(QString, firstDay);
        QCOMPARE(Json(velmora::web::PageTexts(today))["firstDay"].toString(), firstDay);
    }

    void theDeviceKeepsAndRestoresAsDearCfgDoes_data()
    {
        QTest::addColumn<QByteArray>("day");
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QString>("keptCycle"); // what a save keeps
        QTest::addColumn<QString>("restored");  // the cycle a visit takes back, or null
        const auto row = [](const char* name, QByteArray typed, QString kept, QString back,
                            QByteArray day = "2004-02-19") {
            QTest::newRow(name) << day << typed << kept << back;
        };
        row("whole number", "28", "28", "28");
        row("half to even", "28.5", "28", "28");
        row("too small for a double, as dear.cfg", "1e-400", "", "null");
        row("grouped in thousands, as zh-CN writes it", "3,000", "3000", "3000");
        row("unit after it", "28天", "", "null");
        row("beyond a record", "32768", "", "null");
        row("empty", "", "", "null");
        // A day that is none keeps the cycle, as dear.cfg's date field does; no day at all is
        // no record.
        row("no such day", "28", "28", "28", "2004-13-01");
        row("before the picker", "28", "28", "28", "1600-12-31");
        row("dashes out of place", "28", "28", "28", "2004--1-19");
        row("no day at all", "28", "28", "null", "");
    }
    void theDeviceKeepsAndRestoresAsDearCfgDoes()
    {
        QFETCH(QByteArray, day);
        QFETCH(QByteArray, typed);
        QFETCH(QString, keptCycle);
        QFETCH(QString, restored);
        const QJsonObject kept = Json(velmora::web::Remembered(day.data(), typed.data()));
        QCOMPARE(kept["cycle"].toString(), keptCycle);
        const QJsonObject back = Json(velmora::web::Restored(day.data(), typed.data()));
        QCOMPARE(back["cycle"].isNull() ? "null" : back["cycle"].toString(), restored);
        QCOMPARE(back["date"].isNull(), kept["date"].toString().isEmpty());
    }

    void theEntryPointsTakeEveryByteTheyAreGiven()
    {
        const QJsonObject kept =
            Json(velmora_remembered("2004-02-19", 10, "9 and more the page never sent", 1));
        QCOMPARE(kept["cycle"].toString(), "9");
        QCOMPARE(Json(velmora_remembered("2004-02-19", 10, "9", 0))["cycle"].toString(), "");
        const char* recorded = velmora_record_day("", 0, "2004-02-19", 10, nullptr, 0, 1, 0, 0, 0);
        QCOMPARE(Json(recorded)["record"].toString(), "2004-02-19\n"); // 1 adds the day
    }

    void theWebConversionReadsAsTheNativeOne_data()
    {
        QTest::addColumn<QByteArray>("text");
        for (const char* text :
             {"0.28e2", "0.1e-307", "0.5e-323", "0.1e-400", "0.17976931348623157e309", "0.1e309",
              "0.25e1", "0.123456789012345678901234567890e5"})
            QTest::newRow(text) << QByteArray(text);
    }
    void theWebConversionReadsAsTheNativeOne()
    {
        QFETCH(QByteArray, text);
        const auto native = velmora::DecimalTextToDouble(text.toStdString());
        const auto web = velmora::WebDecimalTextToDouble(text.toStdString());
        QCOMPARE(web.has_value(), native.has_value());
        if (native)
            QCOMPARE(std::bit_cast<std::uint64_t>(*web), std::bit_cast<std::uint64_t>(*native));
    }
};

QTEST_GUILESS_MAIN(PageEngineTest)
#include "page_engine_test.moc"
