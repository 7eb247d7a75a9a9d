// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

namespace velmora {

// The double nearest to a plain decimal text such as "0.285e2" (digits, one full stop, an
// exponent), whatever the locale; nothing when its value lies beyond a double's range, too
// large or too small to be anything but 0. The standard library's conversion, which differs
// between the native and the web builds.
std::optional<double> DecimalTextToDouble(const std::string& text);

} // namespace velmora
