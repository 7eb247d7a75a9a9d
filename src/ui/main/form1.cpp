// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"

#include "calculation.h"
#include "frmabout.h"
#include "qt_date.h"
#include "record_store.h"
#include "result_list_menu.h"
#include "settings_file.h"
#include "twips.h"
#include "ui_text.h"

#include <QDateEdit>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

// The window's texts, exactly as they are shown.
const auto kCaption = UiText(texts::kProgramName);
const auto kDateLabel = UiText(texts::kDateCaption);
const auto kCycleLabel = UiText(texts::kCycleCaption);
const auto kCalculate = UiText(texts::kCalculate);
const auto kCancel = u"取    消"_s;
const auto kAbout = u"关于..."_s;
const auto kDateFormat = u"yyyy-MM-dd (dddd)"_s;
constexpr int kClientWidth = 5175;
constexpr int kClientHeight = 3585;
constexpr int kCautionTop = 3540;

// Tab leaves the picker for the next control, as in any date picker of a dialog; the
// arrow keys still move between the year, month and day.
class DatePicker : public QDateEdit
{
public:
    using QDateEdit::QDateEdit;

protected:
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }
};

} // namespace

Form1::Form1(QString settingsPath, QWidget* parent)
    : QWidget(parent), m_settingsPath(std::move(settingsPath))
{
    setObjectName(u"Form1"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(u":/form1.png"_s));
    resize(TwipsSize(kClientWidth, kClientHeight));
    // The result lines are laid out in character columns, a Chinese character taking two: they
    // line up only in a font whose Latin letters are half as wide as its Chinese ones, like the
    // SimSun the help lines were wrapped for. One such face for the whole window also spares the
    // start-up a second font.
    QFont columns = font();
    columns.setFamilies({u"NSimSun"_s, u"SimSun"_s, u"Noto Sans Mono CJK SC"_s});
    setFont(columns);

    CreateControls();
    Load();
}

void Form1::CreateControls()
{
    // Children are placed by hand at fixed positions: resizing the window moves nothing.
    CreateInputs();
    CreateList();
    CreateButtons();
    setTabOrder(DTPicker1, List1);
    setTabOrder(List1, Text1);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    DTPicker1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1Click);
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
    connect(Command3, &QPushButton::clicked, this, &ShowAboutBox);
}

// The date picker and the cycle box, each after its label.
void Form1::CreateInputs()
{
    l1 = Place(new QLabel(kDateLabel, this), u"l1"_s, TwipsRect(120, 240, 1695, 375));
    l1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    DTPicker1 = Place(new DatePicker(this), u"DTPicker1"_s, TwipsRect(1800, 120, 1815, 375));
    DTPicker1->setDisplayFormat(kDateFormat);
    DTPicker1->setDateRange(kEarliestDate, kLatestDate);
    DTPicker1->setCalendarPopup(true);

    Label1 = Place(new QLabel(kCycleLabel, this), u"Label1"_s, TwipsRect(3600, 240, 855, 375));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Text1 = Place(new QLineEdit(this), u"Text1"_s, TwipsRect(4440, 120, 495, 375));
    Text1->setMaxLength(std::numeric_limits<int>::max()); // any text can be typed

    // A screen reader announces each input by the label in front of it.
    l1->setBuddy(DTPicker1);
    Label1->setBuddy(Text1);
    DTPicker1->setAccessibleName(kDateLabel);
    Text1->setAccessibleName(kCycleLabel);
}

// The list, with the help until the first 计    算, and its menu of her record.
void Form1::CreateList()
{
    List1 = Place(new QListWidget(this), u"List1"_s, TwipsRect(120, 600, 4935, 2400));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    // Like the classic list box: a line too long for the list is cut off at its right edge.
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setTextElideMode(Qt::ElideNone);
    // Every line is one line of the same font: measuring the first is enough, which spares the
    // start-up a text layout of every help line.
    List1->setUniformItemSizes(true);
    List1->addItems(UiLines(texts::HelpLines()));
    // Her record fills the inputs (its average, or its latest first day too) and calculates, as
    // 计    算 does: the lines, the months and dear.cfg follow it.
    const FormInputs inputs{
        .dateBoxDay = [this] { return ToCalendarDate(DTPicker1->date()).Days(); },
        .calculate =
            [this](std::optional<std::chrono::sys_days> day, std::optional<int> length) {
                if (day)
                    DTPicker1->setDate(ToQDate(std::chrono::year_month_day{*day}));
                if (length)
                    Text1->setText(QString::number(*length));
                Command1Click();
            }};
    m_listMenu = new ResultListMenu(List1, RecordStore::BesideSettings(m_settingsPath), inputs);
}

// 计    算, 取    消 and 关于..., and under them what the lines' 安全期 are not.
void Form1::CreateButtons()
{
    Command1 =
        Place(new QPushButton(kCalculate, this), u"Command1"_s, TwipsRect(120, 3120, 1095, 375));
    Command2 =
        Place(new QPushButton(kCancel, this), u"Command2"_s, TwipsRect(1440, 3120, 975, 375));
    Command3 =
        Place(new QPushButton(kAbout, this), u"Command3"_s, TwipsRect(2640, 3120, 1095, 345));
    // Under the list and its buttons, what the lines' 安全期 are not; the window grows to show it
    // and keeps its own size while there is none.
    m_caution = Place(new QLabel(this), u"safeCaution"_s,
                      TwipsRect(120, kCautionTop, 4935, kClientHeight - kCautionTop));
    m_caution->setWordWrap(true);
    m_caution->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_caution->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_caution->hide();
}

void Form1::Load()
{
    const Inputs restored = RestoreInputs(m_settingsPath);
    DTPicker1->setDate(restored.date);
    Text1->setText(restored.cycleLengthText);
}

void Form1::Command1Click()
{
    // The list is cleared first so that repeated clicks never pile up lines.
    List1->clear();
    const Inputs inputs{DTPicker1->date(), Text1->text()};
    const PhaseDates dates = Calculate(inputs);
    List1->addItems(ResultLineTexts(dates));
    m_listMenu->SetPhases(dates, inputs.cycleLengthText.toStdString());
    ShowCaution(UiText(m_listMenu->SafeCaution()));
    // Saved last: a file that cannot be written leaves the lines standing.
    SaveSettings(m_settingsPath, inputs);
}

void Form1::ShowCaution(const QString& caution)
{
    m_caution->setText(caution);
    m_caution->setVisible(!caution.isEmpty());
    if (caution.isEmpty())
        return;
    const int needed =
        m_caution->y() + m_caution->heightForWidth(m_caution->width()) + TwipsToPixels(120);
    m_caution->resize(m_caution->width(), needed - m_caution->y());
    if (height() < needed)
        resize(width(), needed);
}

} // namespace velmora
