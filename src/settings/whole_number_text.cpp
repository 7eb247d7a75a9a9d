// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_number_text.h"

#include "round_half_even.h"

#include <cmath>

namespace velmora {

std::optional<QString> ToWholeNumberText(const QString& text, const QLocale& locale)
{
    bool ok = false;
    const double value = locale.toDouble(QStringView(text).trimmed(), &ok);
    // toDouble also takes "inf" and "nan"; neither is a whole number.
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double whole = RoundHalfEven(value);
    if (whole < -32768.0 || whole > 32767.0)
        return std::nullopt;
    // Rendered without the locale: plain digits and a hyphen-minus, never a plus sign.
    return QString::number(static_cast<int>(whole));
}

} // namespace velmora
