// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "month_window.h"

#include "month_view.h"
#include "ui_text.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

MonthWindow::MonthWindow(QWidget* parent, RecordStore store, FormInputs inputs,
                         RecordPanel::Shown shown)
    : QWidget(parent, Qt::Window)
{
    setObjectName(u"monthWindow"_s);
    setWindowTitle(UiText(texts::kMonthView));
    auto* whole = new QHBoxLayout(this);
    m_months =
        new MonthView(this, [this](std::chrono::sys_days day, QPoint at, const QString& name) {
            m_record->OfferDay(day, at, name, [this, day] {
                // Back on the day, whose cell a screen reader hears by its new name.
                m_months->GoTo(day);
                m_months->AnnounceDay(day);
            });
        });
    m_record = new RecordPanel(
        this, std::move(store), std::move(inputs),
        [this, shown = std::move(shown)](const auto& recorded, const RecordView& view) {
            m_months->SetRecorded(recorded);
            if (shown)
                shown(recorded, view);
        });
    whole->addWidget(m_months, 1);
    whole->addWidget(m_record);
    m_record->ShowRecord();
}

void MonthWindow::SetPhases(const PhaseDates& dates, std::optional<CalendarRefusal> problem)
{
    m_months->SetPhases(dates, problem);
    // The date box may have changed: whether 按记录计算 is offered follows it. The record itself
    // is as last read, and the months already draw it.
    m_record->FollowDateBox();
}

bool MonthWindow::event(QEvent* event)
{
    // Back in the window: what a terminal or another window recorded meanwhile is shown.
    if (event->type() == QEvent::WindowActivate)
        m_record->Refresh();
    return QWidget::event(event);
}

void MonthWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape closes it, as any window of a single look does.
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace velmora
