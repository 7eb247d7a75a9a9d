// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "phase_calculation.h"

class QAction;
class QAbstractItemView;
class QWidget;

namespace velmora {

// Gives the result list a context menu (right click, the Menu key, Shift+F10) with one entry,
// 导出到日历..., disabled until EnableCalendarExport. Returns the entry.
QAction* AddCalendarExport(QAbstractItemView* list);

// Enables the entry when the phases just calculated are ones a calendar can hold.
void EnableCalendarExport(QAction* entry, const PhaseDates& dates);

// Asks where to save the calendar of these phases and writes it; a failure is told in a
// message box that names the reason.
void ExportCalendarFile(QWidget* parent, const PhaseDates& dates);

} // namespace velmora
