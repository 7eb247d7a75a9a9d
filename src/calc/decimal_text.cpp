// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "decimal_text.h"

#include <charconv>

namespace velmora {

std::optional<double> DecimalTextToDouble(const std::string& text)
{
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return std::nullopt;
    return value;
}

} // namespace velmora
