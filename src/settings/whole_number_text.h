// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace velmora {

// The decimal text of the 16-bit whole number that `text` denotes, in the conventions of
// `locale` (its decimal separator and digit grouping), with an optional sign and blanks
// around it. The whole text must be the number. Halfway values round to the even
// neighbour. Fails for anything else, and for a result outside -32768..32767.
std::optional<QString> ToWholeNumberText(const QString& text, const QLocale& locale = QLocale());

} // namespace velmora
