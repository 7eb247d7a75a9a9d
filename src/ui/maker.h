// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora::maker {

using namespace Qt::Literals::StringLiterals;

// The maker's credit and contact values, shown in the main window's help and in the About
// box. The numbers and addresses are fictional.
inline const auto kName = u"林晓月"_s;
inline const auto kPhone1 = u"010-5550142"_s;
inline const auto kPhone2 = u"13955501234"_s;
inline const auto kAddress = u"江南省示例市样板路88号"_s;
inline const auto kPostcode = u"012345"_s;
inline const auto kEmail = u"lxy@example.com"_s;

} // namespace velmora::maker
