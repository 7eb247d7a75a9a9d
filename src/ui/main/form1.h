// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace velmora {

class ResultListMenu;

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
    void CreateInputs();
    void CreateList();
    void CreateButtons();
    void Load();
    void Command1Click();
    void ShowCaution(const QString& caution);

    QLabel* l1 = nullptr;            // 上次月经来潮日期:, the date picker's label
    QDateEdit* DTPicker1 = nullptr;  // the first day of the last period
    QLabel* Label1 = nullptr;        // 月经周期:, the cycle box's label
    QLineEdit* Text1 = nullptr;      // the cycle length, any text
    QListWidget* List1 = nullptr;    // the help, then the six result lines
    QPushButton* Command1 = nullptr; // 计    算 (Calculate)
    QPushButton* Command2 = nullptr; // 取    消 (Cancel): closes the window
    QPushButton* Command3 = nullptr; // 关于... (About)
    ResultListMenu* m_listMenu = nullptr; // the list's menu: 导出到日历..., 月历... and her record
    QLabel* m_caution = nullptr; // under the list: the days its 安全期 lines must not be trusted on

    QString m_settingsPath;
};

} // namespace velmora
