// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes in dear.cfg load without harm, and what is saved reads back as saved.
#include "fuzz_check.h"
#include "inputs.h"
#include "settings_file.h"
#include "whole_number_text.h"

#include <QTemporaryDir>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const velmora::LoadedSettings loaded = velmora::ParseSettings(bytes);
    if (loaded.cycleLengthText)
        FUZZ_CHECK(velmora::ToWholeNumberText(*loaded.cycleLengthText) == loaded.cycleLengthText);

    // The same bytes as a typed cycle length, saved with a date, read back as saved. This
    // touches the disk, so it runs for one input in 256: the reader is fuzzed from memory.
    static std::uint32_t executions = 0;
    if (executions++ % 256 == 0) {
        static QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("dear.cfg"));
        // Where the window would refuse the saved date, the example's day is saved instead.
        const bool pickable = loaded.date && *loaded.date >= velmora::kEarliestDate &&
                              *loaded.date <= velmora::kLatestDate;
        const QDate date = pickable ? *loaded.date : QDate(2004, 2, 19);
        const QString typed = QString::fromUtf8(bytes);
        velmora::SaveSettings(path, {.date = date, .cycleLengthText = typed});
        const velmora::LoadedSettings reread = velmora::LoadSettings(path);
        FUZZ_CHECK(reread.date == date);
        FUZZ_CHECK(reread.cycleLengthText == velmora::ToWholeNumberText(typed));
    }
    return 0;
}
