#pragma once
// Worked examples kept as data: one row a line, fields split on '|', '#' starts a comment line.
#include "support/FileBytes.h"

#include <QStringList>

inline QString dataPath(const QString& name)
{
    return QStringLiteral(TARNWELL_TEST_DATA "/") + name;
}

inline QList<QStringList> dataRows(const QString& name)
{
    const QByteArray bytes = readBytes(dataPath(name));
    EXPECT_NE(bytes, "<unreadable>") << name.toStdString();
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(bytes).split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('#')))
            rows << line.trimmed().split(QLatin1Char('|'));
    return rows;
}
