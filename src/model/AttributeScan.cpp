#include "model/AttributeScan.h"

namespace AttributeScan {
qsizetype valueStart(QStringView tag, QStringView name, QChar quote, qsizetype from)
{
    const QString pattern = QLatin1Char(' ') + name.toString() + QLatin1Char('=') + quote;
    // Quotes before `from` still decide whether a match lies inside a value.
    qsizetype quotes = 0;
    qsizetype counted = 0;
    qsizetype at = from < 0 ? 0 : from;
    while ((at = tag.indexOf(pattern, at)) >= 0) {
        quotes += tag.mid(counted, at - counted).count(quote);
        counted = at;
        if (quotes % 2 == 0)
            return at + pattern.size();
        ++at;
    }
    return -1;
}

bool value(QStringView tag, QStringView name, QChar quote, QString* out, qsizetype from)
{
    const qsizetype a = valueStart(tag, name, quote, from);
    if (a < 0)
        return false;
    const qsizetype b = tag.indexOf(quote, a);
    if (b < 0)
        return false;
    *out = tag.mid(a, b - a).toString();
    return true;
}
} // namespace AttributeScan
