// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"
#include "form1.h"
#include "settings_file.h"

#include <QApplication>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv)
{
    velmora::SurviveFailedWrites();
    // Options are read before any display is opened, so --help and --version work on a
    // terminal without one. The window itself takes no arguments.
    if (argc > 1) {
        QCoreApplication app(argc, argv);
        QCommandLineParser parser;
        parser.setApplicationDescription(
            u"Lists the phases of a menstrual cycle from the first day of the last period and "
            "the cycle length, and remembers both in dear.cfg."_s);
        velmora::SetProgramIdentity();
        if (const auto status = velmora::ParseCommandLine(parser, 0, 1))
            return *status;
    }

    QApplication app(argc, argv);
    velmora::SetProgramIdentity();
    // Lets the desktop match the window with its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMORA_APP_ID));

    // The window deletes itself when closed; the program ends when its last window closes.
    auto* form = new velmora::Form1(velmora::SettingsFilePath());
    form->show();
    return QApplication::exec();
}
