#pragma once

#include <QByteArray>
#include <QFile>
#include <QStringList>

// A fixture from tests/data, byte for byte.
inline QByteArray TestData(const char* name)
{
    QFile file(QStringLiteral(VELMORA_TEST_DATA "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

// A UTF-8 fixture, one entry a line.
inline QStringList TestDataLines(const char* name)
{
    return QString::fromUtf8(TestData(name)).split(u'\n', Qt::SkipEmptyParts);
}
