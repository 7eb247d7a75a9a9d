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

} // namespace

std::vector<std::string> HelpLines()
{
    // The first phone number is split after three digits, where the list's width ends.
    return {
        " 用《Velmora》软件你只需了解上次月经来潮日",
        " 期及月经周期即可能过计算可得知一系列有关安全期及非安",
        " 全期的日期Velmora》采用先进的计算方法，使得到",
        " 的数据更合理，更适合你的生理",
        Join({"     如果你有好的意见或建议请拔打电话", kMakerPhone1, "或",
              kMakerPhone2.substr(0, 3)}),
        Join({kMakerPhone2.substr(3), "，也可写信至", kMakerAddress}),
        Join({"    ", kMakerName, " 收"}),
        Join({"    邮编：", kMakerPostcode}),
        Join({"    E-mail:", kMakerEmail}),
        "         ",
        "                  最后修改于04年2月",
    };
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
