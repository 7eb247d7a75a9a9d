// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "decimal_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace velmora {

// The web build's C++ library has no std::from_chars for double; its strtod always reads '.'
// as the decimal point, since the web build has no locales.
std::optional<double> DecimalTextToDouble(const std::string& text)
{
    errno = 0;
    const double value = std::strtod(text.c_str(), nullptr);
    // A result too small to represent comes back as 0 or as a subnormal number, both with
    // ERANGE; from_chars keeps the subnormal one and refuses only what would round to 0 or
    // infinity, and so must this.
    if (errno == ERANGE && (value == 0 || std::isinf(value)))
        return std::nullopt;
    return value;
}

} // namespace velmora
