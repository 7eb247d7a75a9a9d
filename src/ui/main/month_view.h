// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "month_picture.h"

#include <QWidget>
#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QTableView;

namespace velmora {

class MonthModel;

// The months of a calculation, drawn as the page draws them, from the same engine answers, with
// the periods she recorded. Its buttons move it a month (上个月, 下个月) or to today (今天); in a
// month the keys move the day she stands on by the rule every face asks (arrows across the
// months, Page Up and Page Down a month, Home today, End the month's last day). Each day cell
// is named as the page names it ("2004-03-06 排卵日"), each month table by its caption, for a
// screen reader. Choosing a day (a click, Enter or Space, or the Menu key) is handed on with
// where its cell is on the screen and its name.
class MonthView : public QWidget
{
public:
    using Choose =
        std::function<void(std::chrono::sys_days day, QPoint at, const QString& cellName)>;
    MonthView(QWidget* parent, Choose choose);

    // The phases of a calculation, and why it has no picture where it has none.
    void SetPhases(const PhaseDates& dates, std::optional<CalendarRefusal> problem);
    // The first days of her record, drawn wherever they lie.
    void SetRecorded(std::vector<std::chrono::sys_days> recorded);
    // Shows the day's month, moving the months as little as needed, and puts the focus on it.
    void GoTo(std::chrono::sys_days day);
    // Tells a screen reader that the day's cell, in sight, now has another name.
    void AnnounceDay(std::chrono::sys_days day);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowFrom(std::chrono::year_month first);
    void Offer(QTableView* view);

    Choose m_choose;
    PhaseDates m_dates;
    bool m_pictured = false;
    std::vector<std::chrono::sys_days> m_recorded;
    std::chrono::year_month m_first{};
    QLabel* m_why = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_today = nullptr;
    std::array<QLabel*, 3> m_captions{};
    std::array<QTableView*, 3> m_views{};
    std::array<MonthModel*, 3> m_models{};
    std::array<QWidget*, std::tuple_size_v<std::remove_cvref_t<decltype(Looks())>>> m_legend{};
};

} // namespace velmora
