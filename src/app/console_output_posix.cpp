// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"
#include "console_output.h"

#include <csignal>

namespace velmora {

void SurviveFileSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

bool Print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    const bool written = std::fwrite(bytes.data(), 1, static_cast<std::size_t>(bytes.size()),
                                     stream) == static_cast<std::size_t>(bytes.size());
    return std::fflush(stream) == 0 && written;
}

} // namespace velmora
