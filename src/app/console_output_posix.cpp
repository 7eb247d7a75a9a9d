// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"
#include "console_output.h"

#include <QCoreApplication>
#include <QFile>
#include <csignal>
#include <unistd.h>

namespace velmora {

void SurviveFailedWrites()
{
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
}

// Qt decodes the bytes of each argument; encoded again, they must be what was given.
bool ArgumentsAreFaithful(int argc, const char* const* argv)
{
    const QStringList arguments = QCoreApplication::arguments();
    for (int i = 1; i < argc; ++i)
        if (i >= arguments.size() || QFile::encodeName(arguments[i]) != argv[i])
            return false;
    return true;
}

bool StandardOutputIsColourTerminal()
{
    return ::isatty(STDOUT_FILENO) == 1;
}

bool Print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    const bool written = std::fwrite(bytes.data(), 1, static_cast<std::size_t>(bytes.size()),
                                     stream) == static_cast<std::size_t>(bytes.size());
    return std::fflush(stream) == 0 && written;
}

} // namespace velmora
