// SPDX-FileCopyrightText: 2026 The Velmora developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QString>

// A file's bytes; empty when it cannot be read.
inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces a file's bytes; false when that fails.
inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// A fixture from tests/data, byte for byte.
inline QByteArray TestData(const char* name)
{
    return ReadBytes(QStringLiteral(VELMORA_TEST_DATA "/") + QLatin1String(name));
}

// A calendar without the lines that change with the moment of its export.
inline QString WithoutStamps(const QString& calendar)
{
    return QString(calendar).remove(QRegularExpression("^(DTSTAMP|LAST-MODIFIED|SEQUENCE):.*\n",
                                                       QRegularExpression::MultilineOption));
}
