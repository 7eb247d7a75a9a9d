// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmabout.h"

#include "clickable_label.h"
#include "desktop_sys_info.h"
#include "scrolling_label.h"
#include "twips.h"
#include "ui_text.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

// The program's fixed title; the About box names the program by it.
const auto kProgramName = UiText(texts::kProgramName);

// The box's texts, exactly as they are shown.
const auto kTitlePrefix = UiText(texts::kAbout);
const auto kSysInfo = u"系统信息"_s;
const auto kMailScheme = u"MailTo:"_s;

QString ScrollingCredits()
{
    QString text;
    for (const QString& line : UiLines(texts::AboutCredits()))
        text += line + u"\r\n"_s;
    return text;
}

const QColor kBackground{192, 192, 255};
const QColor kGreen{0, 255, 0};
const QColor kMagenta{255, 0, 255};
const QColor kLightYellow{255, 255, 128};
const QColor kPink{255, 128, 255};

// The window's own vertical unit is 1.448818 twips; the text starts where Picture1's bottom
// edge lies, read in those units and applied as twips.
constexpr float kVerticalUnit = 1.448818f;
constexpr float kStartTop = (2175.0f + 600.0f) / kVerticalUnit;

// The named Chinese fonts where installed, the nearest installed CJK font otherwise.
QFont ChineseFont(const QStringList& families, double points)
{
    QFont font;
    font.setFamilies(families + QStringList{u"Noto Serif CJK SC"_s, u"Noto Sans CJK SC"_s});
    font.setPointSizeF(points);
    return font;
}

void SetTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// The light-yellow face of the box's graphical-style buttons.
const auto kButtonStyle = uR"(
    QPushButton { background-color: rgb(255, 255, 192); border: 2px outset rgb(224, 224, 160); }
    QPushButton:pressed { border-style: inset; }
    QPushButton:focus { outline: 1px dotted black; }
)"_s;

} // namespace

frmAbout::frmAbout(AboutServices services) : m_services(std::move(services))
{
    setObjectName(u"frmAbout"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    // A fixed dialog frame: a title and a close box, nothing to resize, minimise or maximise.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(u":/frmabout.png"_s));
    setFixedSize(TwipsSize(6135, 3855));
    move(TwipsPoint(2340, 1935));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);
    setAutoFillBackground(true);
    // The box's own default font, which the credits, the e-mail caption and the warning use:
    // the size its layout was drawn for.
    setFont(ChineseFont({u"SimSun"_s, u"宋体"_s}, 9));

    CreateControls();

    // The load steps.
    m_label5Top = kStartTop;
    PlaceLabel5();
    setWindowTitle(kTitlePrefix + kProgramName);
    Label5->setText(ScrollingCredits());
    Timer1->start();
}

void frmAbout::CreateControls()
{
    CreatePictures();
    CreateMailAndWarning();
    cmdOK = Place(new QPushButton(UiText(texts::kOk), this), u"cmdOK"_s,
                  TwipsRect(4560, 3120, 1260, 345));
    cmdSysInfo =
        Place(new QPushButton(kSysInfo, this), u"cmdSysInfo"_s, TwipsRect(4560, 3480, 1245, 345));
    for (QPushButton* button : {cmdOK, cmdSysInfo})
        button->setStyleSheet(kButtonStyle);
    // OK answers Enter; Escape is left alone (see keyPressEvent).
    cmdOK->setDefault(true);
    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(50);

    connect(Timer1, &QTimer::timeout, this, &frmAbout::Timer1Timer);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] {
        if (m_services.startSysInfo)
            m_services.startSysInfo();
    });
    // A failure to open the mail program is ignored: nothing in the box changes.
    connect(lblDisclaimer, &ClickableLabel::clicked, this, [this] {
        if (m_services.openUrl)
            m_services.openUrl(QUrl(kMailScheme + lblDisclaimer->text()));
    });
}

// The welcome over the two pictures, the credits rising inside the larger one.
void frmAbout::CreatePictures()
{
    Label3 =
        Place(new QLabel(UiText(texts::kWelcome), this), u"Label3"_s, TwipsRect(120, 0, 5895, 615));
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label3->setFont(ChineseFont({u"LiSu"_s, u"隶书"_s}, 26.25));
    SetTextColour(Label3, kGreen);

    Picture2 = Place(new QLabel(this), u"Picture2"_s, TwipsRect(0, 600, 1815, 1695));
    Picture2->setPixmap(QPixmap(u":/picture2.gif"_s));
    Picture2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Picture1 = Place(new QLabel(this), u"Picture1"_s, TwipsRect(1800, 600, 4335, 2175));
    Picture1->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    Picture1->setPixmap(QPixmap(u":/picture1.gif"_s));
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label5 = new ScrollingLabel(Picture1);
    Label5->setObjectName(u"Label5"_s);
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label5->setWordWrap(true);
    SetTextColour(Label5, kMagenta);
    m_scroll = {4560.0f, static_cast<float>(Picture1->contentsRect().height() * kTwipsPerPixel)};
}

// The maker's address, a link to her mail program, and the warning under it.
void frmAbout::CreateMailAndWarning()
{
    Label1 = Place(new QLabel(UiText(texts::kEmailLabel), this), u"Label1"_s,
                   TwipsRect(120, 3120, 1095, 375));
    SetTextColour(Label1, kLightYellow);

    lblDisclaimer = Place(new ClickableLabel(UiText(texts::kMakerEmail), this), u"lblDisclaimer"_s,
                          TwipsRect(1320, 3120, 1815, 345));
    QFont link = font(); // the box's own 宋体 9 pt, underlined
    link.setUnderline(true);
    lblDisclaimer->setFont(link);
    SetTextColour(lblDisclaimer, kLightYellow);

    Label2 = Place(new QLabel(UiText(texts::kWarning), this), u"Label2"_s,
                   TwipsRect(120, 3360, 4215, 615));
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(Label2, kPink);
}

void frmAbout::Timer1Timer()
{
    m_label5Top = m_scroll.NextTop(m_label5Top);
    PlaceLabel5();
}

void frmAbout::PlaceLabel5()
{
    // The position stays in twips; only placing the widget turns it into pixels, inside the
    // box's border.
    const QPoint inner = Picture1->contentsRect().topLeft();
    Label5->setGeometry(inner.x() + TwipsToPixels(120), inner.y() + TwipsToPixels(m_label5Top),
                        TwipsToPixels(3975), TwipsToPixels(m_scroll.height));
}

void frmAbout::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // The etched separator above the e-mail row: a white line two pixels wide, with a grey
    // line over its upper half.
    QPainter painter(this);
    const int y = TwipsToPixels(3000);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(0, y + 1, TwipsToPixels(6120), y + 1);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawLine(0, y, TwipsToPixels(6240), y);
}

void frmAbout::keyPressEvent(QKeyEvent* event)
{
    // Only OK's Enter closes the box; Escape does nothing, as OK is not a cancel button.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

AboutServices frmAbout::DesktopServices()
{
    return {
        [](const QUrl& url) { return QDesktopServices::openUrl(url); },
        [] {
            StartDesktopSysInfo([](const std::string& message) {
                QMessageBox box(QMessageBox::NoIcon, kProgramName, QString::fromLocal8Bit(message),
                                QMessageBox::Ok);
                box.exec();
            });
        },
    };
}

void ShowAboutBox()
{
    // At most one About box: the open one is shown again, neither rebuilt nor restarted.
    static QPointer<frmAbout> box;
    if (!box)
        box = new frmAbout(frmAbout::DesktopServices());
    box->show();
    box->raise();
    box->activateWindow();
}

} // namespace velmora
