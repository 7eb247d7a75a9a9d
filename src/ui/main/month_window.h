// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "month_picture.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <optional>

class QLabel;
class QPushButton;
class QTableView;

namespace velmora {

class MonthModel;

// 月历: the months of the last calculation, drawn as the page draws them, from the same engine
// answers. Its buttons move it a month (上个月, 下个月) or to today (今天); in a month the arrow
// keys move a day, Page Up and Page Down a month, Home to today. Each day cell is named as the
// page names it ("2004-03-06 排卵日"), for a screen reader. It follows every later Calculate.
class MonthWindow : public QWidget
{
public:
    explicit MonthWindow(QWidget* parent);

    // The phases of a calculation, and why it has no picture where it has none.
    void SetPhases(const PhaseDates& dates, std::optional<CalendarRefusal> problem);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowFrom(std::chrono::year_month first);
    // Shows the day's month, moving the months as little as needed, and puts the focus on it.
    void GoTo(std::chrono::sys_days day);
    std::chrono::sys_days Today() const;

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
};

} // namespace velmora
