// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record_store.h"

#include <QString>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

// velmora-cli --remind: what her record has to tell her today, told once, on her desktop and on
// the terminal.
namespace velmora {

struct RemindAnswer {
    std::string told;                   // what is told today; empty: nothing is due, or it was
    bool shown = false;                 // the desktop took it
    std::optional<StoreAnswer> failure; // why nothing could be read, or why it may be told again
};

// The file beside her record that remembers the reminders told.
QString ToldPathOf(const RecordStore& store);

// Reads her record, and tells what is due `today` and was not told yet through `show` (false:
// there is no desktop to show it). What was told is remembered before it is shown, under a
// lock, so that two runs at once, or on one day, tell it once.
RemindAnswer Remind(const RecordStore& store, std::chrono::sys_days today,
                    const std::function<bool(const QString& words)>& show);

} // namespace velmora
