// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace velmora {

// Reads the comma- or line-separated fields of a settings file, quoted or not:
//  - blanks before a field are skipped;
//  - a field that begins with a double quote runs to the next double quote (or the end of
//    the data), without the quotes; anything between the closing quote and the next comma
//    or line end is passed over;
//  - any other field runs to the next comma or line end (CR, LF or CR LF), without the
//    blanks at its end;
//  - a read at the end of the data fails.
class FieldReader
{
public:
    explicit FieldReader(QByteArrayView data) : data_(data) {}

    std::optional<QByteArray> ReadField();

private:
    bool AtEnd() const { return pos_ >= data_.size(); }
    char Current() const { return data_[pos_]; }
    void SkipPastSeparator();

    QByteArrayView data_;
    qsizetype pos_ = 0;
};

} // namespace velmora
