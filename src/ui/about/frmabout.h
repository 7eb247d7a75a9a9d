// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scrolling_text.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;
class QTimer;
class QUrl;

namespace velmora {

class ClickableLabel;

// What the About box asks of the desktop.
struct AboutServices {
    std::function<bool(const QUrl&)> openUrl; // hands a link to the user's mail program
    std::function<void()> startSysInfo;       // starts the system-information tool
};

// The About box: a welcome line, two pictures, the credits scrolling upwards without end,
// the maker's e-mail link, OK and System Info. It is modeless, has no owner, and deletes
// itself when closed.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(AboutServices services);

    // The desktop's own services: QDesktopServices and the system-information launcher.
    static AboutServices DesktopServices();

    // The text's top inside Picture1, in twips.
    float Label5Top() const { return m_label5Top; }

    // One tick of Timer1: the text climbs, and starts again from below once it has passed.
    void Timer1Timer();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void CreatePictures();
    void CreateMailAndWarning();
    void PlaceLabel5();

    QLabel* Label3 = nullptr;                // 欢迎使用本软件, the welcome line
    QLabel* Picture2 = nullptr;              // the small picture on the left
    QLabel* Picture1 = nullptr;              // the large picture the credits scroll over
    QLabel* Label5 = nullptr;                // the scrolling credits, inside Picture1
    QLabel* Label1 = nullptr;                // 我的email:, the mail link's caption
    ClickableLabel* lblDisclaimer = nullptr; // the maker's address: the mail link
    QLabel* Label2 = nullptr;                // the copyright warning
    QPushButton* cmdOK = nullptr;            // 确    定: closes the box
    QPushButton* cmdSysInfo = nullptr;       // 系统信息: starts the system-information tool
    QTimer* Timer1 = nullptr;                // moves the credits, every 50 ms

    AboutServices m_services;
    ScrollingText m_scroll{};
    float m_label5Top = 0.0f;
};

// The main window's About button: shows the one About box, building it when there is none
// and bringing the open one to the front otherwise.
void ShowAboutBox();

} // namespace velmora
