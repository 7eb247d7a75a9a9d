// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "texts.h"

#include <QString>
#include <QStringList>

namespace velmora {

// One of the shared UTF-8 texts as the windows show it.
inline QString UiText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QStringList UiLines(const std::vector<std::string>& lines)
{
    QStringList texts;
    for (const std::string& line : lines)
        texts << UiText(line);
    return texts;
}

} // namespace velmora
