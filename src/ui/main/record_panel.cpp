// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_panel.h"

#include "calculation.h"
#include "saving.h"
#include "ui_text.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

using namespace std::chrono;

// What a store's answer tells her: its words, the system's account where a file failed, and
// which file: the one she chose, her record or its lock.
QString WordsOf(const StoreAnswer& answer)
{
    QString words = UiText(answer.words) + (answer.fault ? FaultText(*answer.fault) : QString());
    if (!answer.file.isEmpty())
        words += u'\n' + QDir::toNativeSeparators(answer.file);
    return words;
}

} // namespace

namespace {

// The dialogs of the desktop, over the panel.
RecordDialogs DesktopDialogs(QWidget* panel)
{
    return {.chooseSaveFile =
                [panel](const QString& proposed) {
                    return QFileDialog::getSaveFileName(panel, UiText(texts::kExportRecord),
                                                        proposed, u"*.txt"_s);
                },
            .chooseOpenFile =
                [panel] {
                    // Every file: what it is, the store tells by what it holds.
                    return QFileDialog::getOpenFileName(panel, UiText(texts::kImportRecord));
                },
            .confirm =
                [panel](const QString& question) {
                    return QMessageBox::question(panel, UiText(texts::kClearRecord), question) ==
                           QMessageBox::Yes;
                },
            .tell =
                [panel](const QString& message) {
                    QMessageBox::information(panel, UiText(texts::kRecordTitle), message);
                }};
}

} // namespace

RecordPanel::RecordPanel(QWidget* parent, RecordStore store, FormInputs inputs, Shown shown)
    : QWidget(parent), m_store(std::move(store)), m_inputs(std::move(inputs)),
      m_shown(std::move(shown)), m_dialogs(DesktopDialogs(this))
{
    auto* record = new QVBoxLayout(this);
    record->setContentsMargins(0, 0, 0, 0);
    CreateLabels(record);
    CreateButtons(record);
    record->addWidget(m_status);
}

// Top down: the title, what is said first, the summary and note, her days, the forecast.
void RecordPanel::CreateLabels(QVBoxLayout* record)
{
    auto* title = new QLabel(UiText(texts::kRecordTitle), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    // A late period, or a record too old to foretell from, is said first, above all else.
    m_notice = new QLabel(this);
    m_notice->setObjectName(u"recordNotice"_s);
    m_notice->setFont(bold);
    m_notice->hide();
    m_summary = new QLabel(this);
    m_summary->setObjectName(u"recordSummary"_s);
    m_note = new QLabel(this);
    m_note->setObjectName(u"recordNote"_s);
    m_forecast = new QLabel(this);
    m_forecast->setObjectName(u"forecast"_s);
    m_forecast->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_history = new QListWidget(this);
    m_history->setObjectName(u"history"_s);
    m_history->setAccessibleName(UiText(texts::kRecordTitle));
    m_history->setMinimumWidth(fontMetrics().horizontalAdvance(u"2004-02-19  28 天 不计入平均"_s) +
                               fontMetrics().height() * 2);
    // What her last change did, said where a screen reader hears a label change.
    m_status = new QLabel(this);
    m_status->setObjectName(u"recordStatus"_s);
    for (QLabel* label : {m_notice, m_summary, m_note, m_forecast, m_status}) {
        label->setWordWrap(true);
        label->setMaximumWidth(m_history->minimumWidth());
    }
    record->addWidget(title);
    record->addWidget(m_notice);
    record->addWidget(m_summary);
    record->addWidget(m_note);
    record->addWidget(m_history, 1);
    record->addWidget(m_forecast);
}

// 按记录计算, the record's own buttons, and the daily reminder, run by the system while no
// window is open.
void RecordPanel::CreateButtons(QVBoxLayout* record)
{
    m_fromRecord = new QPushButton(UiText(texts::kFromRecord), this);
    m_fromRecord->setObjectName(u"fromRecord"_s);
    connect(m_fromRecord, &QPushButton::clicked, this, &RecordPanel::CalculateFromRecord);
    record->addWidget(m_fromRecord);
    m_export = new QPushButton(UiText(texts::kExportRecord), this);
    auto* import = new QPushButton(UiText(texts::kImportRecord), this);
    auto* clear = new QPushButton(UiText(texts::kClearRecord), this);
    m_export->setObjectName(u"exportRecord"_s);
    import->setObjectName(u"importRecord"_s);
    clear->setObjectName(u"clearRecord"_s);
    for (QPushButton* button : {m_export, import, clear}) {
        record->addWidget(button);
        button->setEnabled(m_store.HasPlace());
    }
    connect(m_export, &QPushButton::clicked, this, &RecordPanel::ExportRecord);
    connect(import, &QPushButton::clicked, this, &RecordPanel::ImportRecord);
    connect(clear, &QPushButton::clicked, this, &RecordPanel::ClearRecord);
    m_remind = new QCheckBox(UiText(texts::kRemindMe), this);
    m_remind->setObjectName(u"remindMe"_s);
    record->addWidget(m_remind);
    connect(m_remind, &QCheckBox::toggled, this, &RecordPanel::SwitchReminders);
    SetReminderSwitch({.isOn = &RemindersOn, .set = &SetReminders});
}

void RecordPanel::SetReminderSwitch(ReminderSwitch reminders)
{
    m_reminders = std::move(reminders);
    const QSignalBlocker quiet(m_remind);
    m_remind->setChecked(m_reminders.isOn().value_or(false));
}

void RecordPanel::SwitchReminders(bool on)
{
    const ScheduleAnswer answer = m_reminders.set(on);
    QString words = UiText(answer.words);
    if (!answer.detail.isEmpty())
        words += u'\n' + answer.detail;
    m_status->setText(words);
    if (!answer.done) {
        // Not changed: the box says what is.
        const QSignalBlocker quiet(m_remind);
        m_remind->setChecked(!on);
    }
}

void RecordPanel::ShowRecord()
{
    const std::optional<PeriodRecord> record = m_store.Load();
    m_recorded = record ? record->Days() : std::vector<sys_days>{};
    const RecordView view = ViewOf(m_recorded, TodayHere());
    m_summary->setText(record ? UiText(view.summary) : UiText(texts::kRecordUnreadable));
    // A record that cannot be read foretells nothing, rather than asking for more days.
    m_forecast->setText(record ? UiLines(view.forecast).join(u'\n') : QString());
    m_notice->setText(record ? UiText(view.notice) : QString());
    m_notice->setVisible(!m_notice->text().isEmpty());
    m_view = record ? std::optional(view) : std::nullopt;
    FollowDateBox();
    m_note->setText(UiText(view.note));
    m_note->setVisible(!view.note.empty());
    m_history->clear();
    m_history->addItems(UiLines(view.lines));
    m_history->scrollToBottom();
    m_export->setEnabled(record && !record->Empty());
    m_shown(m_recorded, view);
}

void RecordPanel::FollowDateBox()
{
    m_fromRecord->setVisible(m_view && m_view->OffersCalculation(m_inputs.dateBoxDay()));
}

void RecordPanel::Refresh()
{
    const std::optional<PeriodRecord> record = m_store.Load();
    if (record && record->Days() != m_recorded)
        ShowRecord();
}

void RecordPanel::OfferDay(sys_days day, QPoint at, const QString& name,
                           const std::function<void()>& done)
{
    if (!m_store.HasPlace())
        return;
    // The status line speaks of the last change only until the next one starts.
    m_status->clear();
    const DayOffer offer = m_store.Offer(day);
    auto* menu = new QMenu(this);
    menu->setObjectName(u"dayMenu"_s);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // Inside a recorded period: where it lies (an entry, not a section, so that the menu is as
    // wide as its words), then the one thing that can be done there.
    if (!offer.where.empty()) {
        menu->addAction(UiText(offer.where))->setEnabled(false);
        menu->addSeparator();
    }
    QAction* action = menu->addAction(UiText(offer.words));
    // A day that has not come: only why it cannot be recorded.
    action->setEnabled(offer.action != DayAction::NotYet);
    constexpr std::pair<DayAction, const char16_t*> kNames[] = {
        {DayAction::Record, u"recordDay"},
        {DayAction::Forget, u"forgetDay"},
        {DayAction::ForgetPeriod, u"forgetPeriod"}};
    for (const auto& [kind, objectName] : kNames)
        if (kind == offer.action)
            action->setObjectName(QString::fromUtf16(objectName));
    connect(action, &QAction::triggered, this, [this, offer, done] {
        const bool recording = offer.action == DayAction::Record;
        const StoreAnswer answer =
            recording ? m_store.Record({offer.day}) : m_store.Forget({offer.day});
        Told(answer);
        // Her period came: the lines and the months follow her record at once.
        if (recording && answer.status == StoreAnswer::Status::Done &&
            PeriodCame(offer.day, m_inputs.dateBoxDay()))
            CalculateFromRecord();
        done();
    });
    // Named by the day it offers for, and opened on what can be done, so that Enter does it.
    menu->setAccessibleName(name);
    menu->popup(at);
    menu->setActiveAction(action);
}

void RecordPanel::Told(const StoreAnswer& answer)
{
    // What was done goes on the status line; what was not, with why, in a message she answers.
    const bool done = answer.status == StoreAnswer::Status::Done;
    m_status->setText(done ? WordsOf(answer) : QString());
    if (!done)
        m_dialogs.tell(WordsOf(answer));
    ShowRecord();
}

void RecordPanel::CalculateFromRecord()
{
    // The inputs of the record as just shown: every change and every return to the window has
    // read the file again.
    if (m_view && m_view->inputs)
        m_inputs.calculate(m_view->inputs->firstDay, m_view->inputs->cycleLength);
}

void RecordPanel::ExportRecord()
{
    SaveWhereSheChooses(ProposedSavePath(u"velmora-record.txt"_s), m_dialogs.chooseSaveFile,
                        m_dialogs.tell, [this](const QString& path) -> std::optional<SaveFailure> {
                            const StoreAnswer answer = m_store.ExportTo(path);
                            if (answer.status == StoreAnswer::Status::Done)
                                return std::nullopt;
                            // Her record itself cannot be read: another place would not help.
                            return SaveFailure{WordsOf(answer), answer.fault.has_value()};
                        });
}

void RecordPanel::ImportRecord()
{
    m_status->clear();
    const QString path = m_dialogs.chooseOpenFile();
    if (!path.isEmpty())
        Told(m_store.TakeIn(path));
}

void RecordPanel::ClearRecord()
{
    m_status->clear();
    if (m_dialogs.confirm(UiText(texts::kClearQuestion)))
        Told(m_store.Clear());
}

} // namespace velmora
