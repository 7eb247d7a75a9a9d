#include "result_lines.h"

namespace velmora {

namespace {

constexpr std::string_view kSeparator = "    --    ";
constexpr std::string_view kMenstrual = "   月经期";
constexpr std::string_view kSafe = "   安全期      ";
constexpr std::string_view kDangerous = "   危险期    ";
constexpr std::string_view kOvulationGap = "                ";
constexpr std::string_view kOvulation = "       排卵日   ";
constexpr std::string_view kNextGap = "                      ";
constexpr std::string_view kNextPeriod = " 下次月经开始日";

std::string Join(std::initializer_list<std::string_view> parts)
{
    std::string line;
    line.reserve(64);
    for (std::string_view part : parts)
        line += part;
    return line;
}

std::string Range(const PhaseDates& dates, int from, int to, std::string_view label)
{
    return Join({dates.Slot(from).Text(), kSeparator, dates.Slot(to).Text(), label});
}

} // namespace

std::array<std::string, 6> ResultLines(const PhaseDates& dates)
{
    return {
        Range(dates, 1, 2, kMenstrual),
        Range(dates, 3, 4, kSafe),
        Range(dates, 5, 6, kDangerous),
        Range(dates, 7, 8, kSafe),
        Join({dates.Slot(9).Text(), kOvulationGap, kOvulation}),
        Join({dates.Slot(10).Text(), kNextGap, kNextPeriod}),
    };
}

} // namespace velmora
