#include "model/AttributeScan.h"

namespace AttributeScan {
qsizetype valueStart(QStringView tag, QStringView name, QChar quote, qsizetype from)
{
    // One pass, nothing allocated: a long schedule list is searched entry by entry.
    const qsizetype length = name.size() + 3; // the space, the name, "=", the quote
    auto startsAt = [&](qsizetype at) {
        return at + length <= tag.size() && tag[at] == QLatin1Char(' ') &&
               tag.mid(at + 1, name.size()) == name &&
               tag[at + 1 + name.size()] == QLatin1Char('=') && tag[at + length - 1] == quote;
    };
    // Quotes before `from` still decide whether a match lies inside a value.
    bool inValue = false;
    for (qsizetype at = 0; at < tag.size(); ++at) {
        if (!inValue && at >= from && startsAt(at))
            return at + length;
        if (tag[at] == quote)
            inValue = !inValue;
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
