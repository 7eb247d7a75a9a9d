// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The words both faces of Velmora show, the desktop windows and the web page, in UTF-8 and
// exactly as they are shown.
namespace velmora::texts {

// The maker's credit and contact values. The numbers and addresses are fictional.
inline constexpr std::string_view kMakerName = "林晓月";
inline constexpr std::string_view kMakerPhone1 = "010-5550142";
inline constexpr std::string_view kMakerPhone2 = "13955501234";
inline constexpr std::string_view kMakerAddress = "江南省示例市样板路88号";
inline constexpr std::string_view kMakerPostcode = "012345";
inline constexpr std::string_view kMakerEmail = "lxy@example.com";

// The main window's captions.
inline constexpr std::string_view kProgramName = "Velmora";
inline constexpr std::string_view kDateCaption = "上次月经来潮日期:";
inline constexpr std::string_view kCycleCaption = "月经周期:";
inline constexpr std::string_view kCalculate = "计    算";
inline constexpr std::string_view kExportCalendar = "导出到日历...";

// The About box's captions.
inline constexpr std::string_view kAbout = "关于";
inline constexpr std::string_view kWelcome = "欢迎使用本软件";
inline constexpr std::string_view kEmailLabel = "我的email:";
inline constexpr std::string_view kWarning =
    "    本软件受法律保护，未经作者书面许可，任何单位和个人不得擅自修改或复制本软件的任何部分。";
inline constexpr std::string_view kOk = "确    定";

// The help the list shows until the first calculation. Every line fits 53 bytes in GBK, so
// that it fits the window's list in the usual Chinese UI font.
std::vector<std::string> HelpLines();

// The same help for a face that wraps lines by itself: the lines that the window's width cut
// in the middle of a word or a number joined again.
std::vector<std::string> HelpParagraphs();

// The month picture: its window and menu entry, the weekdays from Sunday, a month's caption, and
// the buttons that move it.
inline constexpr std::string_view kMonthView = "月历";
inline constexpr std::string_view kMonthViewEntry = "月历...";
inline constexpr std::string_view kWeekdays[7] = {"日", "一", "二", "三", "四", "五", "六"};
// A day's weekday in its name, as a screen reader says it: 星期三.
inline constexpr std::string_view kWeekdayPrefix = "星期";
inline constexpr std::string_view kPreviousMonth = "上个月";
inline constexpr std::string_view kNextMonth = "下个月";
inline constexpr std::string_view kToday = "今天";
std::string MonthCaption(int year, unsigned month); // 2004年2月

// Her record of periods: choosing a day in the month picture offers to record it or take it out;
// a recorded first day is named so; the record's own buttons; the question before erasing, on
// the window and on the page (which also forgets the kept inputs).
inline constexpr std::string_view kRecordDay = "这天月经来了";
// Above the page's months, for the day she is most likely to record: today.
inline constexpr std::string_view kRecordToday = "记录今天";
inline constexpr std::string_view kForgetDay = "删除这天的记录";
inline constexpr std::string_view kRecorded = "已记下";
inline constexpr std::string_view kRecordTitle = "我的记录";
inline constexpr std::string_view kExportRecord = "导出记录";
inline constexpr std::string_view kImportRecord = "导入记录";
inline constexpr std::string_view kClearRecord = "清除记录";
inline constexpr std::string_view kClose = "关闭";
inline constexpr std::string_view kClearQuestion = "清除这台设备上的月经记录？清除后无法恢复。";
inline constexpr std::string_view kClearPageQuestion =
    "清除这台设备上的月经记录和保存的输入？清除后无法恢复。";
inline constexpr std::string_view kRecordEmpty =
    "还没有记录。在月历里选中月经来的第一天，就能记下。";
inline constexpr std::string_view kNoAverageYet = "记下两次以上月经，才能算出平均周期。";
// No recent cycle between the shortest and the longest that count.
std::string NoCycleCounted(int shortest, int longest);
std::string ImportTooLarge(std::size_t limit); // 文件太大（超过 1 MB），没有导入。
// A file no reader knows, or a compressed one that ends before its end or holds more than its
// members: nothing is taken.
inline constexpr std::string_view kImportUnknown =
    "认不出这个文件，没有导入。能导入的有：Velmora 的记录，drip、Clue、Flo、Periodical "
    "导出的文件，以及有日期列的 CSV。";
inline constexpr std::string_view kImportBroken = "压缩文件不完整或已损坏，没有导入。";
// Why the record was not written: it could not be read whole, so writing would lose some of it.
inline constexpr std::string_view kRecordUnreadable =
    "记录文件无法完整读取，为了不丢失其中内容，没有改动它。";
inline constexpr std::string_view kRecordNotSaved = "无法保存记录：";
inline constexpr std::string_view kRecordNotCleared = "无法清除记录：";
inline constexpr std::string_view kCannotReadFile = "无法读取这个文件。";
// Why a change to her record was not made: it would outgrow what every face reads back, or
// another window or terminal was changing it all the while.
inline constexpr std::string_view kNoRecordPlace = "没有可以保存记录的文件夹。";
std::string RecordFull(std::size_t limit); // 记录会超过 1 MB 的上限，没有改动。
inline constexpr std::string_view kRecordBusy = "记录正被另一个 Velmora 改动，请稍后再试。";
// The page could not keep what she did: the browser's storage refused it.
inline constexpr std::string_view kNotKept = "浏览器没有保存这次改动（存储空间已满或被禁用）。";
// The page shows the latest of a long record, and the rest on request.
inline constexpr std::string_view kShowEarlier = "显示更早的记录";
std::string RecordedLength(int days, bool counted); // "  28 天", "  62 天 不计入平均"
std::string TwoCyclesLength(int days); // "  58 天 可能漏记一次月经，算作两个周期"
std::string RecordFigures(int cycles, int average, int shortest, int longest);
// Why lengths are not in the figures: "有 2 个周期短于 15 天或超过 45 天，…".
std::string LeftOutNote(int cycles, int shortest, int longest);
// Choosing a day inside a period she recorded: where it lies, and taking that period out.
std::string InsidePeriod(std::string_view day, std::string_view first);
std::string ForgetPeriod(std::string_view first); // 删除 2004-02-19 起的记录
std::string NotRecorded(std::string_view day);    // forgetting a day that is not there
std::string NotYet(std::string_view day); // a day after today: 2027-05-05 还没到，不能记下。
std::string AfterToday(int days); // what a file brought after today: 有 2 天在今天之后，没有导入。
// Days a file brought inside a period already recorded, and periods longer than any: how many,
// the first of them, and what was taken of them.
std::string InsideRecorded(int days);
std::string Overlong(int periods, std::string_view first, int longest);
// What a change did, said on the status line: "已记下 2004-02-19。", "已删除 2004-02-19 的记录。"
// (several days joined by 、), and what 清除记录 did.
std::string DaysRecorded(std::string_view days);
std::string DaysForgotten(std::string_view days);
inline constexpr std::string_view kRecordCleared = "记录已清除。";
std::string UseAverage(int days);                 // 用平均周期 28 天
std::string ImportReport(int days, int notDates); // how many came in, and what did not
// What another tracker's file brought: "从 Clue 导入了 3 次月经。有 12 条没有用上。"
std::string TrackerReport(std::string_view tracker, int periods, int notUsed);

// What her record foretells, and the calculation it feeds: the next period, the days it may
// come on, a late one, the calendar method's fertile days and its caution; the button that
// takes the inputs from her record; the kind of the days the next period may begin on.
inline constexpr std::string_view kFromRecord = "按记录计算";
inline constexpr std::string_view kLikelyPeriod = "可能来月经";
inline constexpr std::string_view kMethodCaution = "日历法只是估算，不能用来避孕。";
inline constexpr std::string_view kForecastPastCalendar = "下次月经超出了日历的年份，无法预测。";
inline constexpr std::string_view kComingPeriod = "预计月经期";
std::string ForecastNeeds(int firstDays);       // 再记下 2 次月经开始日，…
std::string ForecastNext(std::string_view day); // 下次月经：2026-12-18
std::string ForecastDue(std::string_view day);  // 本应在 2026-12-18 前后开始。
// 最早 …，最晚 …（约 80% 的把握）
std::string ForecastRange(std::string_view from, std::string_view to, int share);
std::string Overdue(std::string_view day, int days); // 本应在 … 前后开始，已晚 14 天。
// 上次记下的月经 … 开始，已过了 … 天。…: and a question for her latest first day.
std::string LastBegan(std::string_view day, int daysAgo);
std::string FertileByMethod(std::string_view from, std::string_view to);
// What the six lines' 安全期 are not, said right under them: a cycle too short for a 安全期 before
// its 危险期, and the days her own cycles say may be fertile ("2026-12-11 到 2026-12-15", several
// joined by 、).
inline constexpr std::string_view kNoSafeBeforeFertile = "这个周期在危险期之前没有安全期。";
inline constexpr std::string_view kListSeparator = "、";
inline constexpr std::string_view kDayRangeTo = " 到 ";
std::string AlsoFertile(std::string_view days); // 按你的记录，… 也可能易孕，不是安全期。
// The kind of the days past the last one her next period was likely to begin on.
inline constexpr std::string_view kLateDays = "月经推迟";
std::string MethodNeeds(int cycles, int counted); // 记下 6 个计入的周期后，…（现有 3 个）

// Reminders: her period may begin in a day or two, or it is late; the check box that has them
// told every day, and what turning them on or off did or why it could not.
// 月经可能在 2 天后开始：2026-12-18 到 2026-12-21。
std::string ReminderComing(int days, std::string_view from, std::string_view to);
std::string ReminderLate(int days); // 月经已比预计晚 3 天。
inline constexpr std::string_view kRemindMe = "提醒我";
inline constexpr std::string_view kReminderTitle = "Velmora 月经提醒";
inline constexpr std::string_view kRemindersOn = "已打开每天的提醒。";
inline constexpr std::string_view kRemindersOff = "已关闭每天的提醒。";
inline constexpr std::string_view kNoUserSystemd =
    "这台电脑没有可用的 systemd 用户服务，无法每天提醒。";
inline constexpr std::string_view kNoTaskScheduler =
    "无法在 Windows 任务计划程序里安排每天的提醒。";
inline constexpr std::string_view kRemindersNotChanged = "无法改动每天的提醒：";

// Why a file could not be written, in the user's words; the system's own follow.
inline constexpr std::string_view kNotRegularFile = "所选的不是一个普通文件。";
inline constexpr std::string_view kReadOnly = "文件或磁盘是只读的。";
inline constexpr std::string_view kNoPermission = "没有在这里写入的权限。";
inline constexpr std::string_view kNoSpace = "磁盘空间不足。";

// The web page's own words: what the phases are not, shown under the lines; why it cannot
// compute at all; and that a new version of it is ready, with the button that takes it.
inline constexpr std::string_view kCaution =
    "这些日期只是按一个周期长度推算的估计，不能用来避孕，也不是医疗建议。";
inline constexpr std::string_view kCannotStart =
    "这个浏览器无法运行本页的计算。请刷新页面，或换用新版浏览器。";
inline constexpr std::string_view kNewVersion = "有新版本";
inline constexpr std::string_view kReload = "重新加载";

// The credits that scroll upwards in the About box, a line each.
std::vector<std::string> AboutCredits();

} // namespace velmora::texts
