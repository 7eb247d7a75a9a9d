// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "reminder.h"

#include "record_reminder.h"
#include "texts.h"
#include "whole_file.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace velmora {

namespace {

// The reminders told take a line each, of one cycle: far less than this.
constexpr qint64 kToldLimit = 4096;

} // namespace

QString ToldPathOf(const RecordStore& store)
{
    return QFileInfo(store.Path()).dir().filePath(u"reminded.txt"_s);
}

RemindAnswer Remind(const RecordStore& store, std::chrono::sys_days today,
                    const std::function<bool(const QString& words)>& show)
{
    if (!store.HasPlace())
        return {{}, false, StoreAnswer::Failed(texts::kNoRecordPlace, QString())};
    const std::optional<PeriodRecord> record = store.Load();
    if (!record)
        return {{}, false, StoreAnswer::Failed(texts::kRecordUnreadable, store.Path())};
    const auto due = DueReminder(ForecastOf(HistoryOf(record->Days()), today));
    if (!due)
        return {};
    const QString toldPath = ToldPathOf(store);
    const FileLock lock(toldPath, RecordStore::kPatience);
    if (lock.failure())
        return {{},
                false,
                StoreAnswer::Failed(texts::kRecordNotSaved, FileLock::PathOf(toldPath),
                                    lock.failure())};
    const QByteArray told = ReadWholeFile(toldPath, kToldLimit).value_or(QByteArray());
    const std::string_view toldText(told.constData(), static_cast<std::size_t>(told.size()));
    if (WasTold(toldText, *due))
        return {};
    RemindAnswer answer{due->words, false, std::nullopt};
    // Told even where it cannot be remembered: better twice than never. The failure says why
    // it may come again.
    const std::string after = ToldAfter(toldText, *due);
    if (auto failure =
            WriteWholeFile(toldPath, QByteArrayView(after.data(), qsizetype(after.size()))))
        answer.failure = StoreAnswer::Failed(texts::kRecordNotSaved, toldPath, std::move(failure));
    answer.shown = show(QString::fromStdString(due->words));
    return answer;
}

} // namespace velmora
