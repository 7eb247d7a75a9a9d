// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "result_list_menu.h"

#include "calculation.h"
#include "month_window.h"
#include "record_history.h"
#include "record_store.h"
#include "saving.h"
#include "ui_text.h"
#include "whole_file.h"

#include <QAbstractItemView>
#include <QAction>
#include <QEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QShortcut>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

const auto kDialogTitle = u"导出到日历"_s;
const auto kFilter = u"iCalendar (*.ics)"_s;
const auto kFailed = u"无法导出日历："_s;

} // namespace

ResultListMenu::ResultListMenu(QAbstractItemView* list, RecordStore store, FormInputs inputs)
    : QObject(list), m_list(list), m_entry(new QAction(UiText(texts::kExportCalendar), this)),
      m_monthEntry(new QAction(UiText(texts::kMonthViewEntry), this)),
      m_dialogs{.choosePath =
                    [list](const QString& proposed) {
                        return QFileDialog::getSaveFileName(list->window(), kDialogTitle, proposed,
                                                            kFilter);
                    },
                .tell =
                    [list](const QString& message) {
                        QMessageBox::warning(list->window(), kDialogTitle, message);
                    }},
      m_store(std::move(store)), m_inputs(std::move(inputs))
{
    setObjectName(u"resultListMenu"_s);
    m_entry->setObjectName(u"exportCalendar"_s);
    m_entry->setEnabled(false);
    connect(m_entry, &QAction::triggered, this, &ResultListMenu::Export);
    m_monthEntry->setObjectName(u"showMonths"_s);
    m_monthEntry->setEnabled(false);
    connect(m_monthEntry, &QAction::triggered, this, &ResultListMenu::ShowMonths);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    // The menu is made when it is asked for: nothing of it costs the start-up.
    connect(list, &QWidget::customContextMenuRequested, this, &ResultListMenu::ShowMenu);
    auto* shiftF10 = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), list, nullptr, nullptr,
                                   Qt::WidgetShortcut);
    connect(shiftF10, &QShortcut::activated, this, [this] {
        const QRect current = m_list->visualRect(m_list->currentIndex());
        Q_EMIT m_list->customContextMenuRequested(current.isValid() ? current.center() : QPoint());
    });
    list->window()->installEventFilter(this);
}

void ResultListMenu::ReadRecord()
{
    m_record = ViewOf(m_store.Load().value_or(PeriodRecord{}).Days(), TodayHere());
}

bool ResultListMenu::eventFilter(QObject* watched, QEvent* event)
{
    // Back in the main window: a terminal or 月历 may have changed her record meanwhile.
    if (watched == m_list->window() && event->type() == QEvent::WindowActivate)
        ReadRecord();
    return QObject::eventFilter(watched, event);
}

void ResultListMenu::ShowMenu(QPoint at)
{
    QMenu menu(m_list);
    menu.setObjectName(u"listMenu"_s);
    menu.setToolTipsVisible(true);
    menu.addAction(m_entry);
    menu.addAction(m_monthEntry);
    if (!m_record)
        ReadRecord();
    const RecordView& view = *m_record;
    const bool offered = view.OffersCalculation(m_inputs.dateBoxDay());
    if (view.average || offered)
        menu.addSeparator();
    if (offered) {
        QAction* from = menu.addAction(UiText(texts::kFromRecord));
        from->setObjectName(u"fromRecord"_s);
        connect(from, &QAction::triggered, this, [this, inputs = *view.inputs] {
            m_inputs.calculate(inputs.firstDay, inputs.cycleLength);
        });
    }
    if (view.average) {
        QAction* use = menu.addAction(UiText(view.useAverage));
        use->setObjectName(u"useAverage"_s);
        connect(use, &QAction::triggered, this,
                [this, length = *view.average] { m_inputs.calculate(std::nullopt, length); });
    }
    // Modal: the focus is back on the list when the chosen entry runs.
    menu.exec(m_list->viewport()->mapToGlobal(at));
}

void ResultListMenu::SetPhases(const PhaseDates& dates, std::string_view cycleLengthText)
{
    m_dates = dates;
    m_cycleLengthText = cycleLengthText;
    m_pictureProblem = PictureProblem(dates, cycleLengthText);
    // A greyed entry says why, on hover and in a status bar alike.
    const auto offer = [](QAction* entry, std::optional<CalendarRefusal> problem) {
        const QString why = problem ? UiText(RefusalWords(*problem)) : QString();
        entry->setEnabled(!problem);
        entry->setToolTip(problem ? why : entry->text());
        entry->setStatusTip(why);
    };
    offer(m_entry, ExportProblem(dates, cycleLengthText));
    offer(m_monthEntry, m_pictureProblem);
    if (m_months)
        m_months->SetPhases(m_dates, m_pictureProblem);
}

std::string ResultListMenu::SafeCaution()
{
    if (!m_record)
        ReadRecord();
    return velmora::SafeCaution(m_dates, m_cycleLengthText, m_record->spread);
}

void ResultListMenu::ShowMonths()
{
    if (!m_months) {
        m_months =
            new MonthWindow(m_list->window(), m_store, m_inputs,
                            [this](const auto&, const RecordView& view) { m_record = view; });
        m_months->setAttribute(Qt::WA_DeleteOnClose);
        m_months->SetPhases(m_dates, m_pictureProblem);
    }
    m_months->show();
    m_months->raise();
    m_months->activateWindow();
}

void ResultListMenu::Export()
{
    SaveWhereSheChooses(
        ProposedSavePath(u"velmora.ics"_s), m_dialogs.choosePath, m_dialogs.tell,
        [this](const QString& path) -> std::optional<SaveFailure> {
            // Made for the file it replaces, whose SEQUENCE it must pass. The entry is on only
            // for phases in order; what can still be refused is a calendar whose dates did not
            // read back, wherever it goes.
            const CalendarExport calendar = ExportCalendarNow(m_dates, path, SafeCaution());
            if (calendar.refusal)
                return SaveFailure{kFailed + UiText(RefusalWords(*calendar.refusal)), false};
            const auto failure = WriteWholeFile(path, calendar.text);
            if (!failure)
                return std::nullopt;
            return SaveFailure{kFailed + FaultText(*failure)};
        });
}

} // namespace velmora
