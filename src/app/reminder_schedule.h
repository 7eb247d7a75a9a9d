// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <string>

// Her daily reminder (velmora-cli --remind), run by the system for her alone and without
// administrator rights: a systemd user timer, or a task of Windows' Task Scheduler. Nothing of
// ours keeps running in between.
namespace velmora {

struct ScheduleAnswer {
    bool done = false;
    std::string words; // what it did, or why not
    QString detail;    // the system's own account of a failure
};

// Whether it is on; none where this system has no scheduler for her.
std::optional<bool> RemindersOn();
// Turns it on or off. A program that is not the installed one has the reminder run itself.
ScheduleAnswer SetReminders(bool on);

} // namespace velmora
