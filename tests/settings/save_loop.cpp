// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Saves dear.cfg over and over, alternating two versions, until it is killed.
#include "settings_file.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2)
        return 2;
    for (unsigned long i = 0;; ++i) {
        if (i % 2 == 0)
            velmora::SaveSettings(args[1], QStringLiteral("2004-02-19"), QStringLiteral("30"));
        else
            velmora::SaveSettings(args[1], QStringLiteral("1999-12-31"), QStringLiteral("-12345"));
        if (i == 0) {
            // Tells the test that the loop is running, so its kill lands in the middle of it.
            std::fputs("saving\n", stdout);
            std::fflush(stdout);
        }
    }
}
