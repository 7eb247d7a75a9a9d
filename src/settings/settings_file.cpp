// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings_file.h"

#include "calendar_date.h"
#include "field_reader.h"
#include "kept_inputs.h"
#include "phase_calculation.h"
#include "qt_date.h"
#include "whole_file.h"
#include "whole_number_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

const auto kFileName = u"dear.cfg"_s;

// A valid file is about twenty bytes; nothing past this point can belong to one, so a
// damaged or hostile file costs no more than this to read.
constexpr qint64 kReadLimit = 64 * 1024;

std::optional<QDate> ToDate(const QString& text)
{
    if (const auto day = ReadDayText(text.toStdString()))
        return ToQDate(*day);
    // A file written by hand in the system's short date. Qt reads a two-digit year as 1900 to
    // 1999; the system's own date parser, which the file format follows, within 1930 to 2029.
    const QLocale locale;
    QDate date = locale.toDate(text, QLocale::ShortFormat);
    if (date.isValid() && date.year() < 1930 &&
        !locale.dateFormat(QLocale::ShortFormat).contains(u"yyy"_s))
        date = date.addYears(100);
    return date.isValid() ? std::optional<QDate>{date} : std::nullopt;
}

} // namespace

const QDate kEarliestDate = ToQDate(kEarliestPickerDay);
const QDate kLatestDate = ToQDate(kLatestPickerDay);

QDate DefaultFirstDay()
{
    return ToQDate(kDefaultFirstDay);
}

QString DefaultCycleLengthText()
{
    return QString::fromLatin1(kDefaultCycleLengthText);
}

std::optional<QString> ConfigFolderFor(const QString& xdgConfigHome, const QString& home)
{
    // The XDG base-directory rules: a relative path in either variable is invalid and ignored,
    // so that where the inputs are kept never depends on the current folder.
    if (QDir::isAbsolutePath(xdgConfigHome))
        return QDir::cleanPath(xdgConfigHome + u"/Velmora"_s);
    if (QDir::isAbsolutePath(home))
        return QDir::cleanPath(home + u"/.config/Velmora"_s);
    return std::nullopt;
}

QString SettingsFilePath()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString besideProgram = QDir(programFolder).filePath(kFileName);
    // Installed where it was built to go (/usr/bin from the package, the per-user Programs
    // folder from the Windows installer), the program keeps the inputs with the user's
    // settings: even root must not fill the system's program folder, and the uninstaller
    // leaves them where they are.
    const bool installed = QDir(programFolder) == QDir(InstallFolder());
    // A folder whose name is no text in the system's encoding reads back as another name: the
    // file would land where nobody put the program.
    const bool faithful = !programFolder.contains(QChar::ReplacementCharacter);
    if (!installed && faithful && QFileInfo(programFolder).isWritable())
        return besideProgram;
    if (const auto folder = UserConfigFolder())
        return QDir(*folder).filePath(kFileName);
    // Without a usable home nothing is written outside the program's own folder.
    return installed || !faithful ? QString() : besideProgram;
}

void SaveSettings(const QString& filePath, const Inputs& inputs)
{
    const QByteArray date = inputs.date.toString(u"yyyy-MM-dd"_s).toLatin1();
    const QByteArray length =
        ToWholeNumberText(inputs.cycleLengthText).value_or(QString()).toLatin1();

    if (filePath.isEmpty() || !MakeFolders(QFileInfo(filePath).absolutePath()))
        return;
    // A failed save stays silent: the lines on screen are what the user came for.
    WriteWholeFile(filePath, '"' + date + "\"\r\n\"" + length + "\"\r\n");
}

LoadedSettings ParseSettings(QByteArrayView data)
{
    // Windows Notepad starts a UTF-8 file with a byte-order mark.
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    FieldReader reader(data);
    const QByteArray first = reader.ReadField().value_or(QByteArray());
    const QByteArray second = reader.ReadField().value_or(QByteArray());
    if (first.isEmpty())
        return {};

    // Bytes beyond ASCII come only from editing by hand; they are taken as Latin-1.
    LoadedSettings loaded;
    loaded.date = ToDate(QString::fromLatin1(first));
    loaded.cycleLengthText = ToWholeNumberText(QString::fromLatin1(second));
    return loaded;
}

LoadedSettings LoadSettings(const QString& filePath)
{
    // A hidden file (a dot name, or Windows' hidden attribute) is not one she keeps in sight.
    if (filePath.isEmpty() || QFileInfo(filePath).isHidden())
        return {};
    const std::optional<QByteArray> bytes = ReadWholeFile(filePath, kReadLimit);
    return bytes ? ParseSettings(*bytes) : LoadedSettings{};
}

Inputs RestoreInputs(const QString& filePath)
{
    const LoadedSettings saved = LoadSettings(filePath);
    Inputs inputs;
    if (const auto day = saved.date ? DayOf(*saved.date) : std::nullopt; day && IsPickerDay(*day))
        inputs.date = *saved.date;
    if (saved.cycleLengthText)
        inputs.cycleLengthText = *saved.cycleLengthText;
    return inputs;
}

} // namespace velmora
