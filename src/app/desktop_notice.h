// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <chrono>

// A notification on her desktop: through the freedesktop.org notification service on the
// session bus, or Windows' own. Whoever runs without one is told on the terminal alone.
namespace velmora {

// How long the desktop may take to take a notification before it is given up on.
inline constexpr std::chrono::milliseconds kNoticePatience{3000};

// Shows `words` under `title`; false where there is no desktop to show it, or it did not answer
// within kNoticePatience.
bool ShowDesktopNotice(const QString& title, const QString& words);

} // namespace velmora
