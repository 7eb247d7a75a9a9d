// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "field_reader.h"

namespace velmora {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

std::optional<QByteArray> FieldReader::ReadField()
{
    while (!AtEnd() && IsBlank(Current()))
        ++pos_;
    if (AtEnd())
        return std::nullopt;

    QByteArray field;
    if (Current() == '"') {
        const qsizetype start = pos_ + 1;
        qsizetype close = data_.indexOf('"', start);
        if (close < 0)
            close = data_.size();
        field = data_.sliced(start, close - start).toByteArray();
        pos_ = close;
        while (!AtEnd() && Current() != ',' && !IsLineEnd(Current()))
            ++pos_;
    } else {
        const qsizetype start = pos_;
        while (!AtEnd() && Current() != ',' && !IsLineEnd(Current()))
            ++pos_;
        qsizetype end = pos_;
        while (end > start && IsBlank(data_[end - 1]))
            --end;
        field = data_.sliced(start, end - start).toByteArray();
    }
    SkipPastSeparator();
    return field;
}

void FieldReader::SkipPastSeparator()
{
    if (AtEnd())
        return;
    if (Current() == '\r') {
        ++pos_;
        if (!AtEnd() && Current() == '\n')
            ++pos_;
    } else {
        ++pos_; // a comma or a lone LF
    }
}

} // namespace velmora
