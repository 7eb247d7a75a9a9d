// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "period_record.h"
#include "record_change.h"
#include "whole_file.h"

#include <QString>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Her record on this device: a plain text file beside dear.cfg, which only she reads and writes,
// through the same guarded reader and writer. Nothing of it leaves the device.
namespace velmora {

// What a change to her record came to, for a face to word and show.
struct StoreAnswer {
    enum class Status {
        Done,    // made, or nothing to make
        Refused, // what she asked for: the record is as it was
        Failed,  // the file could not be read whole, locked or written: it is as it was
    };
    Status status = Status::Done;
    std::string words;                 // what to tell her: a report, a refusal, or the failure
    std::optional<WriteFailure> fault; // the system's account, where a file failed
    // The file at fault where one is: the file she chose, her record, or its lock.
    QString file;

    // A failure with `file` at fault, and the system's account where there is one.
    static StoreAnswer Failed(std::string_view words, const QString& file,
                              std::optional<WriteFailure> fault = std::nullopt)
    {
        return {Status::Failed, std::string(words), std::move(fault), file};
    }
};

// The one owner of periods.txt: its path, its lock, and every change the faces make, each one
// read, changed and written whole under the lock, so that any number of windows and terminals
// at once keep every day each of them recorded.
class RecordStore
{
public:
    // periods.txt in dear.cfg's folder, wherever that is; no place where dear.cfg has none.
    static RecordStore BesideSettings(const QString& settingsPath);
    explicit RecordStore(QString path) : m_path(std::move(path)) {}

    const QString& Path() const { return m_path; }
    bool HasPlace() const { return !m_path.isEmpty(); }

    // Her record as the file holds it, or an empty one where there is no file. Nothing where a
    // file is there that cannot be read whole (unreadable, or over kRecordLimit): writing it
    // would lose what was not read.
    std::optional<PeriodRecord> Load() const;
    // What choosing the day offers, by the record as the file holds it now.
    DayOffer Offer(std::chrono::sys_days day) const;

    StoreAnswer Record(const std::vector<std::chrono::sys_days>& days);
    StoreAnswer Forget(const std::vector<std::chrono::sys_days>& days);
    // Takes in a file she chose: a record or drip's CSV, at most kRecordLimit bytes.
    StoreAnswer TakeIn(const QString& file);
    // Removes the record from this device, and every copy a killed save left of it.
    StoreAnswer Clear();
    // Writes the record as it is to a file she chose.
    StoreAnswer ExportTo(const QString& file) const;

    // How long a change waits for another to finish before it gives up and says so.
    static constexpr std::chrono::milliseconds kPatience{5000};

private:
    // Locks, reads, lets `change` alter the record and writes it back whole where it changed:
    // whoever never records a day keeps only dear.cfg.
    StoreAnswer Change(const std::function<RecordChange(PeriodRecord&)>& change);

    QString m_path;
};

} // namespace velmora
