// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdio>

namespace velmora {

// Writes the text to standard output or standard error: to a file or a pipe as the UTF-8 bytes,
// the same on every system; to a Windows console as its characters. False when not all of it
// got there.
bool Print(std::FILE* stream, const QString& text);

// Whether standard output is a terminal that shows colours (never a Windows console here: its
// text goes through WriteConsoleW, which takes none).
bool StandardOutputIsColourTerminal();

} // namespace velmora
