// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_file.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

// One byte past the limit, to tell a file at the limit from a longer one.
constexpr qint64 kReadLimit = qint64{kRecordLimit} + 1;

} // namespace

QString RecordFilePath(const QString& settingsPath)
{
    if (settingsPath.isEmpty())
        return {};
    return QFileInfo(settingsPath).dir().filePath(u"periods.txt"_s);
}

std::optional<PeriodRecord> LoadRecord(const QString& path)
{
    const std::optional<QByteArray> bytes = ReadWholeFile(path, kReadLimit);
    if (!bytes) {
        const QFileInfo file(path);
        if (file.exists() || file.isSymLink())
            return std::nullopt;
        return PeriodRecord{};
    }
    if (bytes->size() > qsizetype{kRecordLimit})
        return std::nullopt;
    return PeriodRecord::Read(std::string_view(bytes->constData(), bytes->size()));
}

std::optional<RecordFailure> ChangeRecord(const QString& path,
                                          const std::function<bool(PeriodRecord&)>& change)
{
    if (path.isEmpty())
        return RecordFailure{false, {WriteFault::NoPermission, u"There is no home folder"_s}};
    std::optional<PeriodRecord> record = LoadRecord(path);
    if (!record)
        return RecordFailure{true, {WriteFault::Other, u"The file cannot be read whole"_s}};
    if (!change(*record))
        return std::nullopt;
    MakeFolders(QFileInfo(path).path());
    const std::string text = record->Text();
    if (auto failure = WriteWholeFile(path, QByteArrayView(text.data(), qsizetype(text.size()))))
        return RecordFailure{false, std::move(*failure)};
    return std::nullopt;
}

std::optional<WriteFailure> ClearRecord(const QString& path)
{
    return path.isEmpty() ? std::nullopt : RemoveWholeFile(path);
}

std::optional<TakenIn> ReadRecordToTakeIn(const QString& path)
{
    const std::optional<QByteArray> bytes = ReadWholeFile(path, kReadLimit);
    if (!bytes)
        return std::nullopt;
    return TakeIn(std::string_view(bytes->constData(), bytes->size()));
}

} // namespace velmora
