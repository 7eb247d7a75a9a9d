// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "month_picture.h"
#include "record_panel.h"

#include <QWidget>
#include <optional>

namespace velmora {

class MonthView;

// 月历: the months of the last calculation (a MonthView) beside her record (a RecordPanel).
// Choosing a day in the months offers what the record offers for it; a change to the record
// redraws the months and tells a screen reader the changed day's new name. It follows every
// later Calculate, shows what a terminal or another window recorded meanwhile when it is
// active again, and closes on Escape.
class MonthWindow : public QWidget
{
public:
    // `shown` hears every reading of her record, as RecordPanel hands it on.
    MonthWindow(QWidget* parent, RecordStore store, FormInputs inputs, RecordPanel::Shown shown);

    // The phases of a calculation, and why it has no picture where it has none.
    void SetPhases(const PhaseDates& dates, std::optional<CalendarRefusal> problem);
    void SetRecordDialogs(RecordDialogs dialogs) { m_record->SetDialogs(std::move(dialogs)); }
    void SetReminderSwitch(ReminderSwitch reminders)
    {
        m_record->SetReminderSwitch(std::move(reminders));
    }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    MonthView* m_months = nullptr;
    RecordPanel* m_record = nullptr;
};

} // namespace velmora
