#pragma once
// Worked examples kept as data files under tests/: a row a line, '#' starts a comment line.
#include "support/FileBytes.h"

#include <QStringList>

inline QString dataPath(const QString& name)
{
    return QStringLiteral(TARNWELL_TEST_DATA "/") + name;
}

// Blank and comment lines left out; leading spaces are data. A missing file fails the test.
inline QStringList dataLines(const QString& name)
{
    const QByteArray bytes = readBytes(dataPath(name));
    EXPECT_NE(bytes, "<unreadable>") << qPrintable(name);
    QStringList lines;
    for (const QString& line : QString::fromUtf8(bytes).split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines << line;
    return lines;
}

inline QList<QStringList> dataRows(const QString& name, QChar separator = QLatin1Char('|'))
{
    QList<QStringList> rows;
    for (const QString& line : dataLines(name))
        rows << line.split(separator);
    return rows;
}
