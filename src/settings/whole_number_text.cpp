// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "whole_number_text.h"

#include "kept_inputs.h"

namespace velmora {

std::optional<QString> ToWholeNumberText(const QString& text, const QLocale& locale)
{
    const QByteArray typed = text.toUtf8();
    const QByteArray decimalPoint = locale.decimalPoint().toUtf8();
    const QByteArray groupSeparator = locale.groupSeparator().toUtf8();
    const auto view = [](const QByteArray& bytes) {
        return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    };
    const auto whole = KeptCycleLength(view(typed), {view(decimalPoint), view(groupSeparator)});
    // Rendered without the locale: plain digits and a hyphen-minus, never a plus sign.
    return whole ? std::optional<QString>{QString::number(*whole)} : std::nullopt;
}

} // namespace velmora
