// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QString>
#include <chrono>
#include <optional>

namespace velmora {

// The inputs shown until she saves her own (kDefaultFirstDay, kDefaultCycleLengthText).
QDate DefaultFirstDay();
QString DefaultCycleLengthText();

// What she gives a calculation: the first day of her last period and the cycle length as
// typed. The window starts with these until dear.cfg says otherwise.
struct Inputs {
    QDate date = DefaultFirstDay();
    QString cycleLengthText = DefaultCycleLengthText();
};

// The first days the date picker can hold (kEarliestPickerDay, kLatestPickerDay); dear.cfg
// and the command line take no others.
extern const QDate kEarliestDate;
extern const QDate kLatestDate;

} // namespace velmora
