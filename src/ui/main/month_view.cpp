// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "month_view.h"

#include "calculation.h"
#include "ui_text.h"

#include <QAbstractTableModel>
#include <QAccessible>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
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

// A colour token's fill and the colour a number is written in on it.
std::pair<QColor, QColor> ColoursOf(std::string_view token)
{
    const LookColour* colour = ColourOf(token);
    if (!colour)
        return {Qt::transparent, {}};
    return {QColor::fromRgb(colour->fill), QColor::fromRgb(colour->ink)};
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

// A month's table: a cell a day, wide enough for two digits and a mark beside them at any
// scale, the whole month in sight.
QTableView* MonthTable(MonthModel* model, QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setModel(model);
    view->setItemDelegate(new DayDelegate(model, view));
    view->verticalHeader()->hide();
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // The Windows style's least section is wider than a day's cell: left to it, the week would
    // run past the view and Thursday to Saturday be cut off.
    view->horizontalHeader()->setMinimumSectionSize(1);
    view->setShowGrid(false);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    const int cell = parent->fontMetrics().height() * 5 / 2;
    const int frame = view->frameWidth() * 2;
    view->setMinimumSize(cell * 7 + frame,
                         cell * 6 + view->horizontalHeader()->sizeHint().height() + frame);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return view;
}

} // namespace

MonthView::MonthView(QWidget* parent, Choose choose) : QWidget(parent), m_choose(std::move(choose))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
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
    for (std::size_t row = 0; row < Looks().size(); ++row)
        legend->addWidget(m_legend[row] = LegendEntry(Looks()[row], this));
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
        m_views[i] = MonthTable(m_models[i], this);
        m_views[i]->setObjectName(u"month%1"_s.arg(i));
        m_views[i]->installEventFilter(this);
        connect(m_views[i], &QTableView::clicked, this, [this, i] { Offer(m_views[i]); });
        column->addWidget(m_captions[i]);
        column->addWidget(m_views[i], 1);
        months->addLayout(column, 1);
    }
    layout->addLayout(months, 1);
    connect(m_previous, &QPushButton::clicked, this, [this] { ShowFrom(MovedMonth(m_first, -1)); });
    connect(m_next, &QPushButton::clicked, this, [this] { ShowFrom(MovedMonth(m_first, 1)); });
    connect(m_today, &QPushButton::clicked, this, [this] { GoTo(TodayHere()); });
}

void MonthView::SetPhases(const PhaseDates& dates, std::optional<CalendarRefusal> problem)
{
    m_dates = dates;
    m_pictured = !problem;
    m_why->setText(problem ? UiText(RefusalWords(*problem)) : QString());
    m_why->setVisible(bool(problem));
    for (QPushButton* button : {m_previous, m_next, m_today})
        button->setEnabled(m_pictured);
    if (m_pictured) {
        ShowFrom(ShownMonths(dates, TodayHere()).front());
        return;
    }
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        m_views[i]->hide();
        m_captions[i]->hide();
    }
}

void MonthView::SetRecorded(std::vector<sys_days> recorded)
{
    m_recorded = std::move(recorded);
    ShowFrom(m_first);
}

void MonthView::ShowFrom(year_month first)
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
    std::vector<MonthPicture> pictures;
    for (const year_month month : shown)
        pictures.push_back(PictureOfMonth(m_dates, month, TodayHere(), m_recorded));
    // The legend holds the kinds the months show, and no other.
    const std::vector<std::size_t> legend = LegendOf(pictures);
    for (std::size_t row = 0; row < m_legend.size(); ++row)
        m_legend[row]->setVisible(std::ranges::find(legend, row) != legend.end());
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        const bool used = i < shown.size();
        if (used) {
            m_captions[i]->setText(QString::fromStdString(pictures[i].caption));
            m_views[i]->setAccessibleName(m_captions[i]->text()); // a screen reader names it
            m_models[i]->SetPicture(std::move(pictures[i]));
            if (const QModelIndex cell = current ? m_models[i]->IndexOf(*current) : QModelIndex();
                cell.isValid())
                m_views[i]->setCurrentIndex(cell);
        }
        m_views[i]->setVisible(used);
        m_captions[i]->setVisible(used);
    }
}

void MonthView::GoTo(sys_days day)
{
    if (!m_pictured)
        return;
    ShowFrom(FirstShownFor(m_dates, m_first, day));
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        const QModelIndex cell = m_models[i]->IndexOf(day);
        if (m_views[i]->isVisible() && cell.isValid()) {
            m_views[i]->setCurrentIndex(cell);
            m_views[i]->setFocus();
            return;
        }
    }
}

void MonthView::AnnounceDay(sys_days day)
{
    for (std::size_t i = 0; i < m_views.size(); ++i) {
        const QModelIndex cell = m_models[i]->IndexOf(day);
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(m_views[i]);
        if (!m_views[i]->isVisible() || !cell.isValid() || !table || !table->tableInterface())
            continue;
        QAccessibleInterface* named = table->tableInterface()->cellAt(cell.row(), cell.column());
        QAccessibleEvent changed(m_views[i], QAccessible::NameChanged);
        changed.setChild(table->indexOfChild(named));
        QAccessible::updateAccessibility(&changed);
        return;
    }
}

bool MonthView::eventFilter(QObject* watched, QEvent* event)
{
    auto* view = qobject_cast<QTableView*>(watched);
    if (!view || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const QVariant current = view->currentIndex().data(kDayRole);
    const sys_days day =
        current.isValid() ? sys_days{days{current.toLongLong()}} : sys_days{(m_first / 1)};
    constexpr std::pair<int, DayKey> kKeys[] = {
        {Qt::Key_Left, DayKey::kLeft},     {Qt::Key_Right, DayKey::kRight},
        {Qt::Key_Up, DayKey::kUp},         {Qt::Key_Down, DayKey::kDown},
        {Qt::Key_PageUp, DayKey::kPageUp}, {Qt::Key_PageDown, DayKey::kPageDown},
        {Qt::Key_Home, DayKey::kHome},     {Qt::Key_End, DayKey::kEnd}};
    const int key = static_cast<QKeyEvent*>(event)->key();
    for (const auto& [each, dayKey] : kKeys)
        if (key == each) {
            GoTo(MoveByKey(m_dates, m_first, day, dayKey, TodayHere()).day);
            return true;
        }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_Menu:
        Offer(view);
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void MonthView::Offer(QTableView* view)
{
    const QModelIndex cell = view->currentIndex();
    const QVariant chosen = cell.data(kDayRole);
    if (chosen.isValid())
        m_choose(sys_days{days{chosen.toLongLong()}},
                 view->viewport()->mapToGlobal(view->visualRect(cell).bottomLeft()),
                 cell.data(Qt::AccessibleTextRole).toString());
}

} // namespace velmora
