// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// moc cannot parse the C++20 library headers behind the calendar.
#ifndef Q_MOC_RUN
#include "phase_calculation.h"
#endif

#include <QWidget>

class QAction;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace velmora {

// The main window: the first day of the last period, the cycle length, and the list that
// shows the six phase lines after Calculate. It deletes itself when closed.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    // `settingsPath` is the dear.cfg that the window restores from and saves to.
    explicit Form1(QString settingsPath, QWidget* parent = nullptr);

private:
    void CreateControls();
    void Load();
    void Command1Click();

    QLabel* l1 = nullptr;
    QDateEdit* DTPicker1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QListWidget* List1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QAction* exportCalendar = nullptr; // the list's context-menu entry 导出到日历...

    QString m_settingsPath;
    PhaseDates m_calculated; // what the list shows since the last Calculate
};

} // namespace velmora
