// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_store.h"

#include "calculation.h"
#include "gunzip.h"
#include "record_import.h"
#include "texts.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

// One byte past the limit, to tell a file at the limit from a longer one.
constexpr qint64 kReadLimit = qint64{kRecordLimit} + 1;

StoreAnswer Answer(RecordChange outcome)
{
    return {outcome.refused ? StoreAnswer::Status::Refused : StoreAnswer::Status::Done,
            std::move(outcome.words), std::nullopt, QString()};
}

StoreAnswer LockFailed(const QString& path, const WriteFailure& failure)
{
    return StoreAnswer::Failed(failure.fault == WriteFault::Busy ? texts::kRecordBusy
                                                                 : texts::kRecordNotSaved,
                               FileLock::PathOf(path), failure);
}

} // namespace

RecordStore RecordStore::BesideSettings(const QString& settingsPath)
{
    if (settingsPath.isEmpty())
        return RecordStore(QString());
    return RecordStore(QFileInfo(settingsPath).dir().filePath(u"periods.txt"_s));
}

std::optional<PeriodRecord> RecordStore::Load() const
{
    if (m_path.isEmpty())
        return PeriodRecord{};
    const std::optional<QByteArray> bytes = ReadWholeFile(m_path, kReadLimit);
    if (!bytes) {
        const QFileInfo file(m_path);
        if (file.exists() || file.isSymLink())
            return std::nullopt;
        return PeriodRecord{};
    }
    if (bytes->size() > qsizetype{kRecordLimit})
        return std::nullopt;
    return PeriodRecord::Read(std::string_view(bytes->constData(), bytes->size()));
}

DayOffer RecordStore::Offer(std::chrono::sys_days day) const
{
    return OfferFor(Load().value_or(PeriodRecord{}), day, TodayHere());
}

StoreAnswer RecordStore::Change(const std::function<RecordChange(PeriodRecord&)>& change)
{
    if (m_path.isEmpty())
        return StoreAnswer::Failed(texts::kNoRecordPlace, QString());
    MakeFolders(QFileInfo(m_path).path());
    const FileLock lock(m_path, kPatience);
    if (lock.failure())
        return LockFailed(m_path, *lock.failure());
    std::optional<PeriodRecord> record = Load();
    if (!record)
        return StoreAnswer::Failed(texts::kRecordUnreadable, m_path);
    RecordChange outcome = change(*record);
    if (outcome.refused || !outcome.changed)
        return Answer(std::move(outcome));
    // Its lock file was taken away meanwhile: another change may have begun from the file as it
    // was, and one of the two would be lost.
    if (!lock.StillHeld())
        return LockFailed(m_path, WriteFailure{WriteFault::Busy, u"The lock file was removed"_s});
    const std::string text = record->Text();
    if (auto failure = WriteWholeFile(m_path, QByteArrayView(text.data(), qsizetype(text.size()))))
        return StoreAnswer::Failed(texts::kRecordNotSaved, m_path, std::move(failure));
    return Answer(std::move(outcome));
}

StoreAnswer RecordStore::Record(const std::vector<std::chrono::sys_days>& days)
{
    return Change([&days](PeriodRecord& record) { return RecordDays(record, days, TodayHere()); });
}

StoreAnswer RecordStore::Forget(const std::vector<std::chrono::sys_days>& days)
{
    return Change([&days](PeriodRecord& record) { return ForgetDays(record, days); });
}

StoreAnswer RecordStore::TakeIn(const QString& file)
{
    const std::optional<QByteArray> bytes = ReadWholeFile(file, kReadLimit);
    if (!bytes)
        return StoreAnswer::Failed(texts::kCannotReadFile, file);
    std::string_view content(bytes->constData(), static_cast<std::size_t>(bytes->size()));
    // Periodical's backup is gzip: what it holds is read, up to one byte past the limit. A file
    // over the limit is refused as it is.
    Unpacked unpacked;
    if (IsGzip(content) && content.size() <= kRecordLimit) {
        unpacked = Gunzip(content, kRecordLimit + 1);
        if (unpacked.outcome == Unpacked::Outcome::kBroken)
            return {StoreAnswer::Status::Refused, std::string(texts::kImportBroken), std::nullopt,
                    file};
        content = unpacked.bytes;
    }
    const TakenIn taken = velmora::TakeIn(content);
    return Change([&taken](PeriodRecord& record) { return TakeInto(record, taken, TodayHere()); });
}

StoreAnswer RecordStore::Clear()
{
    // Where its folder was never made there is nothing to clear, and nothing is made for it.
    const StoreAnswer cleared{StoreAnswer::Status::Done, std::string(texts::kRecordCleared),
                              std::nullopt, QString()};
    if (m_path.isEmpty() || !QFileInfo(QFileInfo(m_path).path()).isDir())
        return cleared;
    const FileLock lock(m_path, kPatience);
    if (lock.failure())
        return LockFailed(m_path, *lock.failure());
    if (auto failure = RemoveWholeFile(m_path))
        return StoreAnswer::Failed(texts::kRecordNotCleared, m_path, std::move(failure));
    return cleared;
}

StoreAnswer RecordStore::ExportTo(const QString& file) const
{
    const std::optional<PeriodRecord> record = Load();
    if (!record)
        return StoreAnswer::Failed(texts::kRecordUnreadable, m_path);
    const std::string text = record->Text();
    if (auto failure = WriteWholeFile(file, QByteArrayView(text.data(), qsizetype(text.size()))))
        return StoreAnswer::Failed(texts::kRecordNotSaved, file, std::move(failure));
    return {};
}

} // namespace velmora
