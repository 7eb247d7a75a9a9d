// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"
#include "console_output.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace velmora {

// Windows has no file-size limit or closed pipe that ends a program.
void SurviveFailedWrites() {}

// Windows hands a program its arguments as UTF-16, which every name is.
bool ArgumentsAreFaithful(int, const char* const*)
{
    return true;
}

bool StandardOutputIsColourTerminal()
{
    return false;
}

bool Print(std::FILE* stream, const QString& text)
{
    std::fflush(stream);
    const HANDLE handle = ::GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (::GetConsoleMode(handle, &mode)) {
        // A console shows characters, whatever its code page: Chinese needs no UTF-8 setting.
        DWORD written = 0;
        const auto length = static_cast<DWORD>(text.size());
        return ::WriteConsoleW(handle, text.utf16(), length, &written, nullptr) &&
               written == length;
    }
    // Redirected: the bytes themselves, never a text mode's CR added before each LF, so that a
    // calendar's CR LF stays as it is.
    _setmode(_fileno(stream), _O_BINARY);
    const QByteArray bytes = text.toUtf8();
    const bool written = std::fwrite(bytes.data(), 1, static_cast<std::size_t>(bytes.size()),
                                     stream) == static_cast<std::size_t>(bytes.size());
    return std::fflush(stream) == 0 && written;
}

} // namespace velmora
