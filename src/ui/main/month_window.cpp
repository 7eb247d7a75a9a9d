// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "month_window.h"

#include "calculation.h"
#include "record_history.h"
#include "saving.h"
#include "ui_text.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

using namespace std::chrono;

constexpr int kDayRole = Qt::UserRole; // the day's number of days since 1970

// A colour token's fill and the colour a number is written in on it (4.5:1 at least), as the
// page's CSS gives them.
std::pair<QColor, QColor> ColoursOf(std::string_view colour)
{
    const QColor white(255, 255, 255), dark(16, 16, 26);
    if (colour == "period")
        return {QColor(0xd7, 0x26, 0x3d), white};
    if (colour == "safe")
        return {QColor(0x2e, 0x9e, 0x5b), dark};
    if (colour == "fertile")
        return {QColor(0xf0, 0x8c, 0x00), dark};
    if (colour == "next")
        return {QColor(0x8e, 0x44, 0xad), white};
    if (colour == "likely") // the period's colour, pale
        return {QColor(0xf6, 0xc1, 0xca), dark};
    return {Qt::transparent, {}};
}

// A pattern token over the cell, in logical pixels, so that it keeps its size at any scale:
// dots, stripes (ringed: with a ring), a crosshatch, or a dashed ring of the period's colour.
void PaintPattern(QPainter& painter, QRectF cell, std::string_view pattern, QColor on)
{
    painter.save();
    painter.setClipRect(cell);
    painter.setBrush(Qt::NoBrush);
    QColor faint = on;
    faint.setAlphaF(0.45);
    painter.setPen(QPen(faint, 1.5));
    if (pattern == "dots") {
        painter.setPen(Qt::NoPen);
        painter.setBrush(faint);
        for (qreal y = cell.top() + 3; y < cell.bottom(); y += 6)
            for (qreal x = cell.left() + 3; x < cell.right(); x += 6)
                painter.drawEllipse(QPointF(x, y), 1.2, 1.2);
    } else if (pattern == "stripes" || pattern == "ringed") {
        for (qreal x = cell.left() - cell.height(); x < cell.right(); x += 7)
            painter.drawLine(QPointF(x, cell.bottom()), QPointF(x + cell.height(), cell.top()));
    } else if (pattern == "crosshatch") {
        for (qreal x = cell.left() + 3; x < cell.right(); x += 6)
            painter.drawLine(QPointF(x, cell.top()), QPointF(x, cell.bottom()));
        for (qreal y = cell.top() + 3; y < cell.bottom(); y += 6)
            painter.drawLine(QPointF(cell.left(), y), QPointF(cell.right(), y));
    }
    if (pattern == "ringed" || pattern == "dashed") {
        painter.setPen(pattern == "ringed" ? QPen(on, 2)
                                           : QPen(ColoursOf("period").first, 2, Qt::DashLine));
        painter.drawRect(cell.adjusted(1, 1, -1, -1));
    }
    painter.restore();
}

// A day's cell as its look has it: colour, pattern, its number on a plain patch of the colour
// and its mark in the corner; today, a look no phase has, a bar along its foot and its number
// bold and underlined.
void PaintDay(QPainter& painter, QRect cell, const QString& number, const KindLook* look,
              bool today, const QPalette& palette)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect inner = cell.adjusted(2, 2, -2, -2);
    QColor text = palette.color(QPalette::Text);
    if (look && look->colour != "none") {
        const auto [fill, on] = ColoursOf(look->colour);
        painter.fillRect(inner, fill);
        PaintPattern(painter, inner, look->pattern, on);
        const QFontMetrics metrics(painter.font());
        QRect patch(0, 0, metrics.horizontalAdvance(u"00"_s) + 6, metrics.height() + 2);
        patch.moveCenter(inner.center());
        if (!number.isEmpty() && patch.width() < inner.width()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(fill);
            painter.drawRoundedRect(patch, 3, 3);
        }
        text = on;
        painter.setPen(text);
        painter.drawText(inner.adjusted(0, 0, -2, 0), Qt::AlignTop | Qt::AlignRight,
                         UiText(look->corner));
    }
    if (today || (look && look->pattern == "today"))
        painter.fillRect(QRect(cell.left() + 1, cell.bottom() - 4, cell.width() - 2, 4),
                         palette.color(QPalette::Text));
    QFont font = painter.font();
    font.setBold(today);
    font.setUnderline(today);
    painter.setFont(font);
    painter.setPen(text);
    painter.drawText(inner, Qt::AlignCenter, number);
    painter.restore();
}

// What a store's answer tells her: its words, and the system's account where a file failed.
QString WordsOf(const StoreAnswer& answer)
{
    return UiText(answer.words) + (answer.fault ? FaultText(*answer.fault) : QString());
}

} // namespace

// One month as a table of weeks, Sunday first: each cell a day of the engine's answer.
class MonthModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetPicture(MonthPicture picture)
    {
        beginResetModel();
        m_picture = std::move(picture);
        endResetModel();
    }

    const PictureDay* DayAt(const QModelIndex& index) const
    {
        const int at = index.row() * 7 + index.column() - static_cast<int>(m_picture.firstWeekday);
        return index.isValid() && at >= 0 && at < static_cast<int>(m_picture.days.size())
                   ? &m_picture.days[static_cast<std::size_t>(at)]
                   : nullptr;
    }

    QModelIndex IndexOf(sys_days day) const
    {
        for (int at = 0; at < static_cast<int>(m_picture.days.size()); ++at)
            if (m_picture.days[static_cast<std::size_t>(at)].date.Days() == day) {
                const int cell = at + static_cast<int>(m_picture.firstWeekday);
                return index(cell / 7, cell % 7);
            }
        return {};
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 6; }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : 7;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        const PictureDay* day = DayAt(index);
        if (!day)
            return {};
        switch (role) {
        case Qt::DisplayRole:
            return static_cast<unsigned>(day->date.Ymd().day());
        case Qt::AccessibleTextRole:
        case Qt::ToolTipRole:
            return QString::fromStdString(day->Name());
        case kDayRole:
            return static_cast<qlonglong>(day->date.Days().time_since_epoch().count());
        default:
            return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return DayAt(index) ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 6)
            return {};
        return UiText(m_picture.weekdays[static_cast<std::size_t>(section)]);
    }

private:
    MonthPicture m_picture;
};

namespace {

class DayDelegate : public QStyledItemDelegate
{
public:
    explicit DayDelegate(MonthModel* model, QObject* parent)
        : QStyledItemDelegate(parent), m_model(model)
    {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const PictureDay* day = m_model->DayAt(index);
        if (!day)
            return;
        PaintDay(*painter, option.rect, index.data().toString(), day->Look(), day->today,
                 option.palette);
        if (option.state & QStyle::State_HasFocus) {
            painter->save();
            painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2, Qt::DashLine));
            painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
            painter->restore();
        }
    }

private:
    MonthModel* m_model;
};

// A legend entry: a cell of its look, without a number, and its words.
QWidget* LegendEntry(const KindLook& look, QWidget* parent)
{
    auto* item = new QWidget(parent);
    auto* layout = new QHBoxLayout(item);
    layout->setContentsMargins(0, 0, 0, 0);
    const int side = item->fontMetrics().height() * 3 / 2;
    QPixmap swatch(side * item->devicePixelRatio(), side * item->devicePixelRatio());
    swatch.setDevicePixelRatio(item->devicePixelRatio());
    swatch.fill(Qt::transparent);
    QPainter painter(&swatch);
    PaintDay(painter, QRect(0, 0, side, side), QString(), &look, false, item->palette());
    painter.end();
    auto* picture = new QLabel(item);
    picture->setPixmap(swatch);
    layout->addWidget(picture);
    layout->addWidget(new QLabel(UiText(look.label), item));
    return item;
}

} // namespace

MonthWindow::MonthWindow(QWidget* parent, RecordStore store, FormInputs inputs)
    : QWidget(parent, Qt::Window), m_store(std::move(store)), m_inputs(std::move(inputs)),
      m_dialogs{.chooseSaveFile =
                    [this](const QString& proposed) {
                        return QFileDialog::getSaveFileName(this, UiText(texts::kExportRecord),
                                                            proposed, u"*.txt"_s);
                    },
                .chooseOpenFile =
                    [this] {
                        // Every file: what it is, the store tells by what it holds.
                        return QFileDialog::getOpenFileName(this, UiText(texts::kImportRecord));
                    },
                .confirm =
                    [this](const QString& question) {
                        return QMessageBox::question(this, UiText(texts::kClearRecord), question) ==
                               QMessageBox::Yes;
                    },
                .tell =
                    [this](const QString& message) {
                        QMessageBox::information(this, UiText(texts::kRecordTitle), message);
                    }}
{
    setObjectName(u"monthWindow"_s);
    setWindowTitle(UiText(texts::kMonthView));
    auto* whole = new QHBoxLayout(this);
    auto* layout = new QVBoxLayout;
    whole->addLayout(layout, 1);
    auto* buttons = new QHBoxLayout;
    m_previous = new QPushButton(UiText(texts::kPreviousMonth), this);
    m_next = new QPushButton(UiText(texts::kNextMonth), this);
    m_today = new QPushButton(UiText(texts::kToday), this);
    m_previous->setObjectName(u"previousMonth"_s);
    m_next->setObjectName(u"nextMonth"_s);
    m_today->setObjectName(u"today"_s);
    for (QPushButton* button : {m_previous, m_next, m_today})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    m_why = new QLabel(this);
    m_why->setWordWrap(true);
    layout->addWidget(m_why);
    auto* legend = new QHBoxLayout;
    for (const KindLook& look : Looks())
        legend->addWidget(LegendEntry(look, this));
    legend->addStretch();
    layout->addLayout(legend);
    auto* months = new QHBoxLayout;
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        auto* column = new QVBoxLayout;
        m_captions[i] = new QLabel(this);
        QFont bold = m_captions[i]->font();
        bold.setBold(true);
        m_captions[i]->setFont(bold);
        m_models[i] = new MonthModel(this);
        m_views[i] = new QTableView(this);
        m_views[i]->setObjectName(u"month%1"_s.arg(i));
        m_views[i]->setModel(m_models[i]);
        m_views[i]->setItemDelegate(new DayDelegate(m_models[i], m_views[i]));
        m_views[i]->verticalHeader()->hide();
        m_views[i]->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        m_views[i]->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        // The Windows style's least section is wider than a day's cell: left to it, the week
        // would run past the view and Thursday to Saturday be cut off.
        m_views[i]->horizontalHeader()->setMinimumSectionSize(1);
        m_views[i]->setShowGrid(false);
        m_views[i]->setSelectionMode(QAbstractItemView::NoSelection);
        // Cells wide enough for two digits and a mark beside them, at any scale, and the whole
        // month in sight.
        const int cell = fontMetrics().height() * 5 / 2;
        const int frame = m_views[i]->frameWidth() * 2;
        m_views[i]->setMinimumSize(cell * 7 + frame,
                                   cell * 6 + m_views[i]->horizontalHeader()->sizeHint().height() +
                                       frame);
        m_views[i]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_views[i]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_views[i]->installEventFilter(this);
        connect(m_views[i], &QTableView::clicked, this, [this, i] { OfferDay(m_views[i]); });
        column->addWidget(m_captions[i]);
        column->addWidget(m_views[i], 1);
        months->addLayout(column, 1);
    }
    layout->addLayout(months, 1);
    // Her record beside the months: the days, what they make, and the buttons that carry it.
    auto* record = new QVBoxLayout;
    auto* title = new QLabel(UiText(texts::kRecordTitle), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    m_summary = new QLabel(this);
    m_note = new QLabel(this);
    m_forecast = new QLabel(this);
    m_forecast->setObjectName(u"forecast"_s);
    m_forecast->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_fromRecord = new QPushButton(UiText(texts::kFromRecord), this);
    m_fromRecord->setObjectName(u"fromRecord"_s);
    connect(m_fromRecord, &QPushButton::clicked, this, &MonthWindow::CalculateFromRecord);
    m_history = new QListWidget(this);
    m_history->setObjectName(u"history"_s);
    m_history->setAccessibleName(UiText(texts::kRecordTitle));
    m_history->setMinimumWidth(fontMetrics().horizontalAdvance(u"2004-02-19  28 天 不计入平均"_s) +
                               fontMetrics().height() * 2);
    // What her last change did, said where a screen reader hears a label change.
    m_status = new QLabel(this);
    m_status->setObjectName(u"recordStatus"_s);
    for (QLabel* label : {m_summary, m_note, m_forecast, m_status}) {
        label->setWordWrap(true);
        label->setMaximumWidth(m_history->minimumWidth());
    }
    m_summary->setObjectName(u"recordSummary"_s);
    m_note->setObjectName(u"recordNote"_s);
    record->addWidget(title);
    record->addWidget(m_summary);
    record->addWidget(m_note);
    record->addWidget(m_history, 1);
    record->addWidget(m_forecast);
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
    record->addWidget(m_status);
    whole->addLayout(record);
    connect(m_export, &QPushButton::clicked, this, &MonthWindow::ExportRecord);
    connect(import, &QPushButton::clicked, this, &MonthWindow::ImportRecord);
    connect(clear, &QPushButton::clicked, this, &MonthWindow::ClearRecord);
    ShowRecord();

    connect(m_previous, &QPushButton::clicked, this, [this] { ShowFrom(MovedMonth(m_first, -1)); });
    connect(m_next, &QPushButton::clicked, this, [this] { ShowFrom(MovedMonth(m_first, 1)); });
    connect(m_today, &QPushButton::clicked, this, [this] { GoTo(Today()); });
}

sys_days MonthWindow::Today() const
{
    return ToCalendarDate(QDate::currentDate()).Days();
}

void MonthWindow::SetPhases(const PhaseDates& dates, std::optional<CalendarRefusal> problem)
{
    m_dates = dates;
    m_pictured = !problem;
    m_why->setText(problem ? UiText(RefusalWords(*problem)) : QString());
    m_why->setVisible(bool(problem));
    for (QPushButton* button : {m_previous, m_next, m_today})
        button->setEnabled(m_pictured);
    if (m_pictured) {
        m_first = ShownMonths(dates, Today()).front();
        // The date box may have changed: whether 按记录计算 is offered follows it.
        ShowRecord();
        return;
    }
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        m_views[i]->hide();
        m_captions[i]->hide();
    }
}

void MonthWindow::ShowFrom(year_month first)
{
    if (!m_pictured)
        return;
    const std::vector<year_month> shown = MonthsFrom(m_dates, first);
    m_first = shown.front();
    // The day she stands on stays current where it is still in sight, redrawn or not.
    std::optional<sys_days> current;
    for (QTableView* view : m_views)
        if (const QVariant day = view->currentIndex().data(kDayRole);
            day.isValid() && (!current || view->hasFocus()))
            current = sys_days{days{day.toLongLong()}};
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        const bool used = i < shown.size();
        if (used) {
            MonthPicture picture = PictureOfMonth(m_dates, shown[i], Today(), m_recorded);
            m_captions[i]->setText(QString::fromStdString(picture.caption));
            m_views[i]->setAccessibleName(m_captions[i]->text()); // a screen reader names it
            m_models[i]->SetPicture(std::move(picture));
            if (const QModelIndex cell = current ? m_models[i]->IndexOf(*current) : QModelIndex();
                cell.isValid())
                m_views[i]->setCurrentIndex(cell);
        }
        m_views[i]->setVisible(used);
        m_captions[i]->setVisible(used);
    }
}

void MonthWindow::GoTo(sys_days day)
{
    if (!m_pictured)
        return;
    const year_month month = MonthOf(day);
    const std::vector<year_month> shown = MonthsFrom(m_dates, m_first);
    if (month < shown.front())
        ShowFrom(month);
    else if (month > shown.back())
        ShowFrom(m_first + (month - shown.back()));
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        const QModelIndex cell = m_models[i]->IndexOf(day);
        if (m_views[i]->isVisible() && cell.isValid()) {
            m_views[i]->setCurrentIndex(cell);
            m_views[i]->setFocus();
            return;
        }
    }
}

bool MonthWindow::event(QEvent* event)
{
    // Back in the window: what a terminal or another window recorded meanwhile is shown.
    if (event->type() == QEvent::WindowActivate) {
        const std::optional<PeriodRecord> record = m_store.Load();
        if (record && record->Days() != m_recorded)
            ShowRecord();
    }
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

bool MonthWindow::eventFilter(QObject* watched, QEvent* event)
{
    auto* view = qobject_cast<QTableView*>(watched);
    if (!view || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const QVariant current = view->currentIndex().data(kDayRole);
    const sys_days day =
        current.isValid() ? sys_days{days{current.toLongLong()}} : sys_days{(m_first / 1)};
    const year_month_day date{day};
    const int key = static_cast<QKeyEvent*>(event)->key();
    // The arrows move a day, or a week up and down.
    constexpr std::pair<int, int> kSteps[] = {
        {Qt::Key_Left, -1}, {Qt::Key_Right, 1}, {Qt::Key_Up, -7}, {Qt::Key_Down, 7}};
    for (const auto& [arrow, step] : kSteps)
        if (key == arrow) {
            GoTo(day + days{step});
            return true;
        }
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        // The same day of the month before or after, or its last day where it has no such day.
        const int by = key == Qt::Key_PageUp ? -1 : 1;
        const year_month month = MovedMonth(date.year() / date.month(), by);
        const year_month_day last{month / std::chrono::last};
        GoTo(sys_days{month / std::min(date.day(), last.day())});
        return true;
    }
    case Qt::Key_Home:
        GoTo(Today());
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Menu:
        OfferDay(view);
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void MonthWindow::ShowRecord()
{
    const std::optional<PeriodRecord> record = m_store.Load();
    m_recorded = record ? record->Days() : std::vector<sys_days>{};
    const RecordView view = ViewOf(m_recorded, Today());
    m_summary->setText(record ? UiText(view.summary) : UiText(texts::kRecordUnreadable));
    // A record that cannot be read foretells nothing, rather than asking for more days.
    m_forecast->setText(record ? UiLines(view.forecast).join(u'\n') : QString());
    m_fromRecord->setVisible(record && view.OffersCalculation(m_inputs.dateBoxDay()));
    m_recordInputs = record ? view.inputs : std::nullopt;
    m_note->setText(UiText(view.note));
    m_note->setVisible(!view.note.empty());
    m_history->clear();
    m_history->addItems(UiLines(view.lines));
    m_history->scrollToBottom();
    m_export->setEnabled(record && !record->Empty());
    ShowFrom(m_first);
}

void MonthWindow::OfferDay(QTableView* view)
{
    const QModelIndex cell = view->currentIndex();
    const QVariant chosen = cell.data(kDayRole);
    if (!chosen.isValid() || !m_store.HasPlace())
        return;
    const sys_days day{days{chosen.toLongLong()}};
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
    constexpr std::pair<DayAction, const char16_t*> kNames[] = {
        {DayAction::Record, u"recordDay"},
        {DayAction::Forget, u"forgetDay"},
        {DayAction::ForgetPeriod, u"forgetPeriod"}};
    for (const auto& [kind, name] : kNames)
        if (kind == offer.action)
            action->setObjectName(QString::fromUtf16(name));
    connect(action, &QAction::triggered, this, [this, offer, day] {
        const bool recording = offer.action == DayAction::Record;
        const StoreAnswer answer =
            recording ? m_store.Record({offer.day}) : m_store.Forget({offer.day});
        Told(answer);
        // Her period came: the lines and the months follow her record at once.
        if (recording && answer.status == StoreAnswer::Status::Done &&
            PeriodCame(offer.day, m_inputs.dateBoxDay()))
            CalculateFromRecord();
        GoTo(day);
    });
    // Named by the day it offers for, and opened on what can be done, so that Enter does it.
    menu->setAccessibleName(cell.data(Qt::AccessibleTextRole).toString());
    menu->popup(view->viewport()->mapToGlobal(view->visualRect(cell).bottomLeft()));
    menu->setActiveAction(action);
}

void MonthWindow::Told(const StoreAnswer& answer)
{
    // What was done goes on the status line; what was not, with why, in a message she answers.
    const bool done = answer.status == StoreAnswer::Status::Done;
    m_status->setText(done ? WordsOf(answer) : QString());
    if (!done)
        m_dialogs.tell(WordsOf(answer));
    ShowRecord();
}

void MonthWindow::CalculateFromRecord()
{
    // The inputs of the record as just shown: every change and every return to the window has
    // read the file again.
    if (m_recordInputs)
        m_inputs.calculate(m_recordInputs->firstDay, m_recordInputs->cycleLength);
}

void MonthWindow::ExportRecord()
{
    QString path = ProposedSavePath(u"velmora-record.txt"_s);
    // After a failure the dialog opens again at the same place, so that another can be chosen.
    for (;;) {
        path = m_dialogs.chooseSaveFile(path);
        if (path.isEmpty())
            return;
        const StoreAnswer answer = m_store.ExportTo(path);
        if (answer.status == StoreAnswer::Status::Done)
            return;
        m_dialogs.tell(WordsOf(answer));
        if (!answer.fault)
            return; // her record itself cannot be read: another place would not help
    }
}

void MonthWindow::ImportRecord()
{
    const QString path = m_dialogs.chooseOpenFile();
    if (!path.isEmpty())
        Told(m_store.TakeIn(path));
}

void MonthWindow::ClearRecord()
{
    if (m_dialogs.confirm(UiText(texts::kClearQuestion)))
        Told(m_store.Clear());
}

} // namespace velmora
