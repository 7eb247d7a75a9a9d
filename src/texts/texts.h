// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
inline constexpr std::string_view kPreviousMonth = "上个月";
inline constexpr std::string_view kNextMonth = "下个月";
inline constexpr std::string_view kToday = "今天";
std::string MonthCaption(int year, unsigned month); // 2004年2月

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
