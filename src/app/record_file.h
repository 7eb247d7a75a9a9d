// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "period_record.h"
#include "record_import.h"
#include "whole_file.h"

#include <QString>
#include <functional>
#include <optional>

// Her record on this device: a plain text file beside dear.cfg, which only she reads and writes,
// through the same guarded reader and writer. Nothing of it leaves the device.
namespace velmora {

// periods.txt in dear.cfg's folder, wherever that is; empty where dear.cfg has no place.
QString RecordFilePath(const QString& settingsPath);

// Her record as the file holds it, or an empty one where there is no file. Nothing where a file
// is there that cannot be read whole (unreadable, or over kRecordLimit): writing it would lose
// what was not read.
std::optional<PeriodRecord> LoadRecord(const QString& path);

// Why her record was left as it was.
struct RecordFailure {
    bool unreadable = false; // the file could not be read whole, so it was not rewritten
    WriteFailure write;      // otherwise why it could not be written
};

// Reads her record, lets `change` alter it and, where it says it did, writes the record back
// whole, making its folder where it has none. Nothing is written for a change that changed
// nothing: whoever never records a day keeps only dear.cfg.
std::optional<RecordFailure> ChangeRecord(const QString& path,
                                          const std::function<bool(PeriodRecord&)>& change);

// Removes her record from this device.
std::optional<WriteFailure> ClearRecord(const QString& path);

// A file she takes in: a record or drip's CSV, at most kRecordLimit bytes. Nothing where it
// cannot be read.
std::optional<TakenIn> ReadRecordToTakeIn(const QString& path);

} // namespace velmora
