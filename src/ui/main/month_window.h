// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "month_picture.h"
#include "period_record.h"
#include "record_history.h"
#include "record_store.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QLabel;
class QListWidget;
class QPushButton;
class QTableView;

namespace velmora {

class MonthModel;

// What the record's buttons ask of her: where to save it, which file to take in, whether to
// erase it, and what to tell her. A test puts its own answers in their place.
struct RecordDialogs {
    std::function<QString(const QString& proposed)> chooseSaveFile; // empty: she cancelled
    std::function<QString()> chooseOpenFile;                        // empty: she cancelled
    std::function<bool(const QString& question)> confirm;
    std::function<void(const QString& message)> tell;
};

// What her record does to the main window's inputs: it reads the date box's day, and fills the
// inputs (the day and the cycle length, each where given) and calculates, as 计    算 does.
struct FormInputs {
    std::function<std::chrono::sys_days()> dateBoxDay;
    std::function<void(std::optional<std::chrono::sys_days>, std::optional<int>)> calculate;
};

// 月历: the months of the last calculation, drawn as the page draws them, from the same engine
// answers. Its buttons move it a month (上个月, 下个月) or to today (今天); in a month the arrow
// keys move a day, Page Up and Page Down a month, Home to today, Escape closes it. Each day cell is
// named as the page names it ("2004-03-06 排卵日"), for a screen reader. It follows every later
// Calculate.
//
// It also shows her record, kept in `store`: the periods she recorded drawn in the months, and
// beside them each recorded day with the days since the one before and what they make.
// Choosing a day (a click, Enter or Space, or the Menu key) offers what the store offers for it:
// 这天月经来了, taking a recorded first day out, or, inside a recorded period, taking that
// period out; 导出记录, 导入记录 and 清除记录 carry it. What the record foretells stands under
// it, with 按记录计算 where the record offers it; recording a first day later than the date
// box's is her period coming, and calculates from the record at once.
class MonthWindow : public QWidget
{
public:
    MonthWindow(QWidget* parent, RecordStore store, FormInputs inputs);

    // The phases of a calculation, and why it has no picture where it has none.
    void SetPhases(const PhaseDates& dates, std::optional<CalendarRefusal> problem);
    void SetRecordDialogs(RecordDialogs dialogs) { m_dialogs = std::move(dialogs); }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowFrom(std::chrono::year_month first);
    // Shows the day's month, moving the months as little as needed, and puts the focus on it.
    void GoTo(std::chrono::sys_days day);
    std::chrono::sys_days Today() const;
    // Reads her record again and shows it, in the list and in the months.
    void ShowRecord();
    void OfferDay(QTableView* view);
    // Tells what a change to her record came to, where there is something to tell, and shows
    // the record as the file holds it now.
    void Told(const StoreAnswer& answer);
    void ExportRecord();
    void ImportRecord();
    void ClearRecord();
    void CalculateFromRecord();

    PhaseDates m_dates;
    bool m_pictured = false;
    std::chrono::year_month m_first{};
    QLabel* m_why = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_today = nullptr;
    std::array<QLabel*, 3> m_captions{};
    std::array<QTableView*, 3> m_views{};
    std::array<MonthModel*, 3> m_models{};
    RecordStore m_store;
    std::vector<std::chrono::sys_days> m_recorded;
    QLabel* m_summary = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_forecast = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_fromRecord = nullptr;
    FormInputs m_inputs;
    std::optional<RecordInputs> m_recordInputs; // what 按记录计算 takes, as ShowRecord read it
    QListWidget* m_history = nullptr;
    QPushButton* m_export = nullptr;
    RecordDialogs m_dialogs;
};

} // namespace velmora
