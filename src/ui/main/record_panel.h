// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "record_history.h"
#include "record_store.h"
#include "reminder_schedule.h"

#include <QWidget>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QLabel;
class QVBoxLayout;
class QListWidget;
class QPushButton;

namespace velmora {

// What the record's buttons ask of her: where to save it, which file to take in, whether to
// erase it, and what to tell her. A test puts its own answers in their place.
struct RecordDialogs {
    std::function<QString(const QString& proposed)> chooseSaveFile; // empty: she cancelled
    std::function<QString()> chooseOpenFile;                        // empty: she cancelled
    std::function<bool(const QString& question)> confirm;
    std::function<void(const QString& message)> tell;
};

// What 提醒我 asks of the system: whether the daily reminder is on (none: no scheduler for her),
// and turning it on or off. A test puts its own in their place.
struct ReminderSwitch {
    std::function<std::optional<bool>()> isOn;
    std::function<ScheduleAnswer(bool on)> set;
};

// What her record does to the main window's inputs: it reads the date box's day, and fills the
// inputs (the day and the cycle length, each where given) and calculates, as 计    算 does.
struct FormInputs {
    std::function<std::chrono::sys_days()> dateBoxDay;
    std::function<void(std::optional<std::chrono::sys_days>, std::optional<int>)> calculate;
};

// Her record, kept in `store`: each recorded day with the days since the one before and what
// they make, what the record foretells with 按记录计算 where it offers it, and 导出记录,
// 导入记录 and 清除记录. A status line says what her last change did. Every time it reads the
// file it hands what it read to `shown`, so that the months and the list's menu follow.
class RecordPanel : public QWidget
{
public:
    using Shown = std::function<void(const std::vector<std::chrono::sys_days>& recorded,
                                     const RecordView& view)>;
    RecordPanel(QWidget* parent, RecordStore store, FormInputs inputs, Shown shown);

    void SetDialogs(RecordDialogs dialogs) { m_dialogs = std::move(dialogs); }
    // Asks `reminders` whether they are on, and has 提醒我 turn them on and off through it.
    void SetReminderSwitch(ReminderSwitch reminders);
    // Reads her record again and shows it.
    void ShowRecord();
    // Offers 按记录计算 or not by the date box as it is now, from the record as last read.
    void FollowDateBox();
    // Reads it again where the file holds other days than those shown: a terminal or another
    // window may have changed it.
    void Refresh();
    // What choosing the day offers, in a menu at `at` named `name`: 这天月经来了, taking a
    // recorded first day out, or, inside a recorded period, taking that period out. Recording
    // a first day later than the date box's is her period coming, and calculates from the
    // record at once. `done` follows a change made.
    void OfferDay(std::chrono::sys_days day, QPoint at, const QString& name,
                  const std::function<void()>& done);

private:
    // Tells what a change to her record came to, where there is something to tell, and shows
    // the record as the file holds it now.
    void CreateLabels(QVBoxLayout* record);
    void CreateButtons(QVBoxLayout* record);
    void Told(const StoreAnswer& answer);
    void ExportRecord();
    void ImportRecord();
    void ClearRecord();
    void CalculateFromRecord();
    void SwitchReminders(bool on);

    RecordStore m_store;
    FormInputs m_inputs;
    Shown m_shown;
    RecordDialogs m_dialogs;
    ReminderSwitch m_reminders;
    std::vector<std::chrono::sys_days> m_recorded;
    std::optional<RecordView> m_view; // as ShowRecord read it; none where it could not be read
    QLabel* m_notice = nullptr;       // a late period, or a record too old to foretell from
    QLabel* m_summary = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_forecast = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_fromRecord = nullptr;
    QListWidget* m_history = nullptr;
    QPushButton* m_export = nullptr;
    QCheckBox* m_remind = nullptr;
};

} // namespace velmora
