// Any bytes in dear.cfg load without harm, and what is saved reads back as saved.
#include "fuzz_check.h"
#include "settings_file.h"
#include "whole_number_text.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

const QString& SettingsPath()
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("dear.cfg"));
    return path;
}

void Write(const QByteArray& bytes)
{
    QFile file(SettingsPath());
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Write(bytes);
    const velmora::LoadedSettings loaded = velmora::LoadSettings(SettingsPath());
    if (loaded.cycleLengthText)
        FUZZ_CHECK(velmora::ToWholeNumberText(*loaded.cycleLengthText) == loaded.cycleLengthText);

    // The same bytes as a typed cycle length, saved with a date, read back as saved.
    const QDate date = loaded.date && loaded.date->year() >= 1601 && loaded.date->year() <= 9999
                           ? *loaded.date
                           : QDate(2004, 2, 19);
    const QString typed = QString::fromUtf8(bytes);
    velmora::SaveSettings(SettingsPath(), date.toString(QStringLiteral("yyyy-MM-dd")), typed);
    const velmora::LoadedSettings reread = velmora::LoadSettings(SettingsPath());
    FUZZ_CHECK(reread.date == date);
    FUZZ_CHECK(reread.cycleLengthText == velmora::ToWholeNumberText(typed));
    return 0;
}
