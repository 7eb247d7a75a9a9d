// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <string>

namespace velmora {

// Writes the calendar text to the file whole, replacing it only once every byte is on disk;
// otherwise what was there stays. Returns why it failed, or nothing.
std::optional<QString> WriteCalendarFile(const QString& path, const std::string& text);

} // namespace velmora
