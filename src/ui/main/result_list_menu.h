// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "month_window.h"
#include "phase_order.h"
#include "record_history.h"
#include "record_store.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>
#include <string_view>

class QAction;
class QAbstractItemView;

namespace velmora {

// The two questions an export asks of the user: the save dialog, and the message after a
// failure. A test puts its own answers in their place.
struct ExportDialogs {
    std::function<QString(const QString& proposed)> choosePath; // empty: she cancelled
    std::function<void(const QString& message)> tell;
};

// The result list's context menu (right click, the Menu key, Shift+F10) with its entries,
// 导出到日历... and 月历..., and the phases they show: those of the last Calculate. Each is off
// until phases it can show are set. It belongs to the list, named resultListMenu. The 月历
// window is made the first time it is asked for, and follows every later Calculate. Where her
// record (kept in `store`) makes an average, an entry calculates with it as the cycle length
// (用平均周期 N 天), and where it offers 按记录计算, another calculates from the record; both
// through `inputs`. The record is read at the first right click, then only when it may have
// changed: when the main window is active again (a terminal or 月历 may have changed it); and
// whatever 月历 reads, it takes.
class ResultListMenu : public QObject
{
public:
    ResultListMenu(QAbstractItemView* list, RecordStore store, FormInputs inputs);

    // The phases of a calculation and the cycle length it was typed with; the entry is on only
    // when they make a calendar, and otherwise says why in its tooltip and status tip.
    void SetPhases(const PhaseDates& dates, std::string_view cycleLengthText);
    void SetDialogs(ExportDialogs dialogs) { m_dialogs = std::move(dialogs); }
    // What the lines of the phases last set call 安全期 that they must not (SafeCaution), by her
    // record as last read.
    std::string SafeCaution();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowMonths();
    void ReadRecord();
    // The menu as it stands now: the average entry follows the record as last read.
    void ShowMenu(QPoint at);

    // Asks where to save the calendar and writes it; a failure is told in a message box that
    // names the reason, and the dialog opens again.
    void Export();

    QAbstractItemView* m_list;
    QAction* m_entry;
    QAction* m_monthEntry;
    QPointer<MonthWindow> m_months;
    std::optional<CalendarRefusal> m_pictureProblem;
    PhaseDates m_dates;
    std::string m_cycleLengthText;
    ExportDialogs m_dialogs;
    RecordStore m_store;
    FormInputs m_inputs;
    std::optional<RecordView> m_record; // read at the first right click, then as it changes
};

} // namespace velmora
