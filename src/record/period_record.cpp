// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "period_record.h"

#include "kept_inputs.h"

#include <algorithm>

namespace velmora {

namespace {

using namespace std::chrono;

} // namespace

std::string_view TrimBlanks(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

PeriodRecord PeriodRecord::Read(std::string_view text)
{
    PeriodRecord record;
    record.m_byteOrderMark = text.starts_with(kByteOrderMark);
    if (record.m_byteOrderMark)
        text.remove_prefix(kByteOrderMark.size());
    if (const auto end = text.find('\n'); end != std::string_view::npos && end > 0 &&
                                           text[end - 1] == '\r')
        record.m_lineEnd = "\r\n";
    std::vector<std::string>* lines = &record.m_head;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        // Her lines keep every byte, a CR before the LF too: a rewrite changes none of them.
        if (const auto day = ReadPickerDay(TrimBlanks(line)))
            lines = &record.m_days[day->Days()];
        else
            lines->emplace_back(line);
    }
    return record;
}

std::string PeriodRecord::Text() const
{
    std::string text;
    const auto append = [&text](const std::vector<std::string>& lines) {
        for (const std::string& line : lines)
            (text += line) += '\n';
    };
    append(m_head);
    for (const auto& [day, lines] : m_days) {
        CalendarDate::FromDays(day)->AppendText(text);
        text += m_lineEnd;
        append(lines);
    }
    // Her mark stays; and where her first line begins with what reads as one, one goes before
    // it, so that reading takes that one and leaves hers.
    if (m_byteOrderMark || text.starts_with(kByteOrderMark))
        text.insert(0, kByteOrderMark);
    return text;
}

std::vector<sys_days> PeriodRecord::Days() const
{
    std::vector<sys_days> days;
    days.reserve(m_days.size());
    for (const auto& entry : m_days)
        days.push_back(entry.first);
    return days;
}

int PeriodRecord::LinesNotBlank() const
{
    const auto count = [](const std::vector<std::string>& lines) {
        return static_cast<int>(
            std::count_if(lines.begin(), lines.end(),
                          [](std::string_view line) { return !TrimBlanks(line).empty(); }));
    };
    int lines = count(m_head);
    for (const auto& entry : m_days)
        lines += count(entry.second);
    return lines;
}

std::optional<sys_days> PeriodRecord::PeriodHolding(sys_days day) const
{
    const auto after = m_days.lower_bound(day);
    if (after == m_days.begin() || (after != m_days.end() && after->first == day))
        return std::nullopt;
    const sys_days first = std::prev(after)->first;
    return day - first < days{kRecordedPeriodDays} ? std::optional(first) : std::nullopt;
}

bool PeriodRecord::Add(sys_days day)
{
    return IsPickerDay(day) && m_days.try_emplace(day).second;
}

std::vector<std::string>& PeriodRecord::LinesBefore(sys_days day)
{
    const auto after = m_days.lower_bound(day);
    return after == m_days.begin() ? m_head : std::prev(after)->second;
}

bool PeriodRecord::Remove(sys_days day)
{
    const auto found = m_days.find(day);
    if (found == m_days.end())
        return false;
    std::vector<std::string> lines = std::move(found->second);
    m_days.erase(found);
    std::vector<std::string>& before = LinesBefore(day);
    before.insert(before.end(), std::make_move_iterator(lines.begin()),
                  std::make_move_iterator(lines.end()));
    return true;
}

int PeriodRecord::Merge(const PeriodRecord& other)
{
    int added = 0;
    for (const auto& entry : other.m_days)
        added += Add(entry.first) ? 1 : 0;
    return added;
}

} // namespace velmora
