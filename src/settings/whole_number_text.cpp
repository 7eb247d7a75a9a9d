// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_number_text.h"

#include "round_half_even.h"

namespace velmora {

std::optional<QString> ToWholeNumberText(const QString& text, const QLocale& locale)
{
    bool ok = false;
    const double value = locale.toDouble(QStringView(text).trimmed(), &ok);
    const auto whole = ok ? SavedCycleLength(value) : std::nullopt;
    // Rendered without the locale: plain digits and a hyphen-minus, never a plus sign.
    return whole ? std::optional<QString>{QString::number(*whole)} : std::nullopt;
}

} // namespace velmora
