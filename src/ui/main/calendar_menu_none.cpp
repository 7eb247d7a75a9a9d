// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The build without libical (Windows): the result list has no context menu.
#include "calendar_menu.h"

namespace velmora {

QAction* AddCalendarExport(QAbstractItemView*)
{
    return nullptr;
}

void EnableCalendarExport(QAction*, const PhaseDates&) {}

void ExportCalendarFile(QWidget*, const PhaseDates&) {}

} // namespace velmora
