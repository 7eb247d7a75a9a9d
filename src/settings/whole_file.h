// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace velmora {

// Writes the bytes to the file whole, replacing it only once every byte is on disk; otherwise
// what was there stays. Returns why it failed, or nothing.
std::optional<QString> WriteWholeFile(const QString& path, QByteArrayView bytes);

} // namespace velmora
