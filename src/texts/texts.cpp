// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts.h"

namespace velmora::texts {

namespace {

std::string Join(std::initializer_list<std::string_view> parts)
{
    std::string line;
    for (std::string_view part : parts)
        line += part;
    return line;
}

// The help's two runs of text as the window cuts them into lines, each a blank ahead: the
// first where the list's width ends, the second after three digits of the phone number.
const std::string_view kIntroduction[] = {
    "用《Velmora》软件你只需了解上次月经来潮日",
    "期及月经周期即可能过计算可得知一系列有关安全期及非安",
    "全期的日期Velmora》采用先进的计算方法，使得到",
    "的数据更合理，更适合你的生理",
};

std::string ContactFirst()
{
    return Join(
        {"     如果你有好的意见或建议请拔打电话", kMakerPhone1, "或", kMakerPhone2.substr(0, 3)});
}

std::string ContactRest()
{
    return Join({kMakerPhone2.substr(3), "，也可写信至", kMakerAddress});
}

// What follows the two runs, a line each.
std::vector<std::string> Closing()
{
    return {
        Join({"    ", kMakerName, " 收"}),     Join({"    邮编：", kMakerPostcode}),
        Join({"    E-mail:", kMakerEmail}),    "         ",
        "                  最后修改于04年2月",
    };
}

} // namespace

std::vector<std::string> HelpLines()
{
    std::vector<std::string> lines;
    for (const std::string_view line : kIntroduction)
        lines.push_back(Join({" ", line}));
    lines.push_back(ContactFirst());
    lines.push_back(ContactRest());
    for (std::string& line : Closing())
        lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> HelpParagraphs()
{
    std::string introduction = " ";
    for (const std::string_view line : kIntroduction)
        introduction += line;
    std::vector<std::string> paragraphs = {introduction, ContactFirst() + ContactRest()};
    for (std::string& line : Closing())
        paragraphs.push_back(std::move(line));
    return paragraphs;
}

std::string MonthCaption(int year, unsigned month)
{
    return std::to_string(year) + "年" + std::to_string(month) + "月";
}

namespace {

// A limit in bytes as her words say it: whole megabytes (of 1 048 576 bytes).
std::string Megabytes(std::size_t limit)
{
    return std::to_string(limit >> 20) + " MB";
}

} // namespace

std::string NoCycleCounted(int shortest, int longest)
{
    return "最近的周期都不在 " + std::to_string(shortest) + " 到 " + std::to_string(longest) +
           " 天之间，算不出平均周期。";
}

std::string ImportTooLarge(std::size_t limit)
{
    return "文件太大（超过 " + Megabytes(limit) + "），没有导入。";
}

std::string RecordFull(std::size_t limit)
{
    return "记录会超过 " + Megabytes(limit) + " 的上限，没有改动。";
}

std::string RecordedLength(int days, bool counted)
{
    return "  " + std::to_string(days) + " 天" + (counted ? "" : " 不计入平均");
}

std::string TwoCyclesLength(int days)
{
    return "  " + std::to_string(days) + " 天 可能漏记一次月经，算作两个周期";
}

std::string RecordFigures(int cycles, int average, int shortest, int longest)
{
    return "最近 " + std::to_string(cycles) + " 个周期：平均 " + std::to_string(average) +
           " 天，最短 " + std::to_string(shortest) + " 天，最长 " + std::to_string(longest) + " 天";
}

std::string LeftOutNote(int cycles, int shortest, int longest)
{
    return "有 " + std::to_string(cycles) + " 个周期短于 " + std::to_string(shortest) +
           " 天或超过 " + std::to_string(longest) + " 天，可能多记或漏记了一次月经，没有计入。";
}

std::string InsidePeriod(std::string_view day, std::string_view first)
{
    return Join({day, " 在 ", first, " 起记下的月经期内。"});
}

std::string ForgetPeriod(std::string_view first)
{
    return Join({"删除 ", first, " 起的记录"});
}

std::string DaysRecorded(std::string_view days)
{
    return Join({"已记下 ", days, "。"});
}

std::string DaysForgotten(std::string_view days)
{
    return Join({"已删除 ", days, " 的记录。"});
}

std::string NotRecorded(std::string_view day)
{
    return Join({day, " 不在记录里，没有改动。"});
}

std::string NotYet(std::string_view day)
{
    return Join({day, " 还没到，不能记下。"});
}

std::string AfterToday(int days)
{
    return "有 " + std::to_string(days) + " 天在今天之后，没有导入。";
}

std::string InsideRecorded(int days)
{
    return "有 " + std::to_string(days) + " 天在已记下的月经期内，不算新的一次。";
}

std::string Overlong(int periods, std::string_view first, int longest)
{
    return "有 " + std::to_string(periods) + " 次月经记为长于 " + std::to_string(longest) +
           " 天（" + std::string(first) + " 起），只取了它的第一天。";
}

std::string UseAverage(int days)
{
    return "用平均周期 " + std::to_string(days) + " 天";
}

std::string ForecastNeeds(int firstDays)
{
    return "再记下 " + std::to_string(firstDays) + " 次月经开始日，才能预测下次月经。";
}

std::string ForecastNext(std::string_view day)
{
    return Join({"下次月经：", day});
}

std::string ForecastRange(std::string_view from, std::string_view to, int share)
{
    return Join({"最早 ", from, "，最晚 ", to, "（约 ", std::to_string(share), "% 的把握）"});
}

std::string ForecastDue(std::string_view day)
{
    return Join({"本应在 ", day, " 前后开始。"});
}

std::string Overdue(std::string_view day, int days)
{
    return Join({"本应在 ", day, " 前后开始，已晚 "}) + std::to_string(days) + " 天。";
}

std::string ReminderComing(int days, std::string_view from, std::string_view to)
{
    return "月经可能在 " + std::to_string(days) + Join({" 天后开始：", from, " 到 ", to, "。"});
}

std::string ReminderLate(int days)
{
    return "月经已比预计晚 " + std::to_string(days) + " 天。";
}

std::string LastBegan(std::string_view day, int daysAgo)
{
    return Join({"上次记下的月经 ", day, " 开始，已过了 "}) + std::to_string(daysAgo) +
           " 天，记录里可能少了几次。请在月历里记下最近一次月经的第一天。";
}

std::string FertileByMethod(std::string_view from, std::string_view to)
{
    return Join({"日历法易孕期：", from, " 到 ", to});
}

std::string AlsoFertile(std::string_view days)
{
    return Join({"按你的记录，", days, " 也可能易孕，不是安全期。"});
}

std::string MethodNeeds(int cycles, int counted)
{
    return "记下 " + std::to_string(cycles) + " 个计入的周期后，才能用日历法估算易孕期（现有 " +
           std::to_string(counted) + " 个）。";
}

std::string ImportReport(int days, int notDates)
{
    std::string report = "导入了 " + std::to_string(days) + " 天。";
    if (notDates > 0)
        report += "有 " + std::to_string(notDates) + " 行不是日期，没有导入。";
    return report;
}

std::string TrackerReport(std::string_view tracker, int periods, int notUsed)
{
    std::string report = Join({"从 ", tracker, " 导入了 "}) + std::to_string(periods) + " 次月经。";
    if (notUsed > 0)
        report += "有 " + std::to_string(notUsed) + " 条没有用上。";
    return report;
}

std::vector<std::string> AboutCredits()
{
    return {
        std::string(kProgramName),
        "",
        Join({"程序编制：", kMakerName}),
        "",
        Join({"界面设计：", kMakerName}),
        "",
        "    用《Velmora》软件你只需了",
        "解上次月经来潮日期及月经周期即可。能",
        "过计算可得知一系列有关安全期及非安全",
        "期的日期。",
        "　　《Velmora》采用先进的计算",
        "方法，使得到的数据更合理，更适合你的",
        "生理。",
        "    如果你有好的意见或建议请拔打电话",
        Join({kMakerPhone1, "或", kMakerPhone2, "，也可写信至"}),
        std::string(kMakerAddress),
        Join({kMakerName, " 收"}),
        Join({"邮编：", kMakerPostcode}),
        Join({"E-mail:", kMakerEmail}),
        "     ",
        "              最后修改于04年2月",
    };
}

} // namespace velmora::texts
