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

// The credits that scroll upwards in the About box, a line each.
std::vector<std::string> AboutCredits();

} // namespace velmora::texts
