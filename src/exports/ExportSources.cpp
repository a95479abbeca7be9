#include "exports/ExportSources.h"

#include "monthcontrol/MonthGrid.h"

#include <QDir>

Ics::SpecialPeriod specialPeriodFor(const QString& name, int32_t length, int32_t offset)
{
    Ics::SpecialPeriod sp;
    sp.name = name;
    sp.length = length;
    sp.isFilled = [length, offset](double day) {
        return MonthGrid::inSpecialPeriod(day, length, offset);
    };
    return sp;
}

QString defaultIcsPath(const QString& title, const QString& code)
{
    QString name = title + QStringLiteral(" - ") + code + QStringLiteral(".ics");
    for (QChar& c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20)
            c = QLatin1Char('-');
    return QDir::home().filePath(name);
}
