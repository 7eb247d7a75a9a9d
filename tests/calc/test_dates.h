// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Qt 6.4's moc cannot parse the C++20 <chrono>, and needs nothing from it.
#ifndef Q_MOC_RUN
#include "calendar_date.h"
#endif

#include <QMetaType>
#include <QtGlobal>

// A fixture date that must exist.
inline velmora::CalendarDate Date(int y, unsigned m, unsigned d)
{
    const auto date = velmora::CalendarDate::FromYmd(y, m, d);
    if (!date)
        qFatal("bad fixture date %d-%u-%u", y, m, d);
    return *date;
}

#ifndef Q_MOC_RUN
Q_DECLARE_METATYPE(velmora::CalendarDate)
#endif
