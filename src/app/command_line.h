// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <optional>

namespace velmora {

// Makes a file-size limit (ulimit -f) fail a write as a full disk does, which the writer
// reports, and a closed pipe fail printing as a full standard output does, instead of ending
// the program with SIGXFSZ or SIGPIPE and taking her lines along. Called first in main().
void SurviveFailedWrites();

// Whether the program's arguments are the very bytes it was given: a name that is no text in
// the system's encoding is decoded into another, so that a file she did not name would be
// written. A QCoreApplication must exist.
bool ArgumentsAreFaithful(int argc, const char* const* argv);

// Names the application Velmora, with its version: the per-user configuration folder, where
// dear.cfg goes when the program's own folder is read-only, is named after it.
void SetProgramIdentity();

// Reads the command line with --help and --version added to `parser`. Help and version go to
// standard output with status 0; an unknown option, or more than `maxPositional` arguments, is
// told with the usage on standard error, with status `usageStatus`. Returns the status when the
// program is done, or nothing when it goes on. A QCoreApplication must exist.
std::optional<int> ParseCommandLine(QCommandLineParser& parser, qsizetype maxPositional,
                                    int usageStatus);

// Writes UTF-8 text to standard output or standard error; false when it did not all get there.
bool PrintOut(const QString& text);
void PrintError(const QString& text);

} // namespace velmora
