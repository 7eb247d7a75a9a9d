// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QString>

namespace velmora {

// What she gives a calculation: the first day of her last period and the cycle length as
// typed. The window starts with these until dear.cfg says otherwise.
struct Inputs {
    QDate date{2003, 12, 17};
    QString cycleLengthText = QStringLiteral("30");
};

// The first days the date picker can hold; dear.cfg and the command line take no others.
inline const QDate kEarliestDate{1601, 1, 1};
inline const QDate kLatestDate{9999, 12, 31};

inline bool IsPickerDate(QDate date)
{
    return date.isValid() && date >= kEarliestDate && date <= kLatestDate;
}

} // namespace velmora
