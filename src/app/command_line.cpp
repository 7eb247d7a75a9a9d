// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include "console_output.h"

#include <QCoreApplication>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

void SetProgramIdentity()
{
    QCoreApplication::setApplicationName(u"Velmora"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
}

std::optional<int> ParseCommandLine(QCommandLineParser& parser, qsizetype maxPositional,
                                    int usageStatus)
{
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QString program = QCoreApplication::arguments().value(0).section(u'/', -1);

    QString error;
    if (!parser.parse(QCoreApplication::arguments()))
        error = parser.errorText();
    else if (parser.isSet(help) || parser.isSet(u"help-all"_s)) // both of Qt's help options
        return PrintOut(parser.helpText()) ? 0 : 1;
    else if (parser.isSet(version))
        return PrintOut(program + u' ' + QCoreApplication::applicationVersion() + u'\n') ? 0 : 1;
    else if (parser.positionalArguments().size() > maxPositional)
        error = maxPositional == 0 ? u"Velmora takes no arguments: '%1'."_s.arg(
                                         parser.positionalArguments().constFirst())
                                   : u"Too many arguments."_s;
    if (error.isEmpty())
        return std::nullopt;
    PrintError(program + u": "_s + error + u"\n\n"_s + parser.helpText());
    return usageStatus;
}

bool PrintOut(const QString& text)
{
    return Print(stdout, text);
}

void PrintError(const QString& text)
{
    Print(stderr, text);
}

} // namespace velmora
