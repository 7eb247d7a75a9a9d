// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whatever the text, a result is plain decimal digits in -32768..32767 that reads back as
// itself.
#include "fuzz_check.h"
#include "whole_number_text.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the user's conventions: '.' or ',' as the decimal separator.
    const QLocale locale = data[0] % 2 ? QLocale(QLocale::German, QLocale::Germany)
                                       : QLocale(QLocale::English, QLocale::UnitedStates);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));
    const auto result = velmora::ToWholeNumberText(text, locale);
    if (!result)
        return 0;

    bool ok = false;
    const int value = result->toInt(&ok);
    FUZZ_CHECK(ok && value >= -32768 && value <= 32767);
    FUZZ_CHECK(*result == QString::number(value)); // no sign but '-', no leading zeros
    FUZZ_CHECK(velmora::ToWholeNumberText(*result, locale) == result);
    return 0;
}
