#include "model/XmlText.h"

#include "model/AttributeScan.h"
#include "platform/RuntimeError.h"

namespace XmlText {
QString workingCopy(const QString& text)
{
    QString w = text;
    w.replace(QLatin1Char('"'), QLatin1Char('|'));
    return w;
}

QString attribute(const QString& name, const QString& value)
{
    return QLatin1Char(' ') + name + QStringLiteral("=\"") + value + QLatin1Char('"');
}

QString hexColor(int32_t color)
{
    return QString::number(static_cast<uint32_t>(color), 16).toUpper();
}

int32_t parseHexColor(const QString& text)
{
    if (text.isEmpty())
        throw Err::make(Err::TypeMismatch);
    uint64_t v = 0;
    for (const QChar c : text) {
        int digit;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digit = c.unicode() - '0';
        else if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            digit = c.unicode() - 'a' + 10;
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
            digit = c.unicode() - 'A' + 10;
        else
            throw Err::make(Err::TypeMismatch);
        v = v * 16 + static_cast<uint64_t>(digit);
        if (v > 0xFFFFFFFFu)
            throw Err::make(Err::Overflow);
    }
    return static_cast<int32_t>(static_cast<uint32_t>(v));
}

QString GetValue(const QString& startTag, const QString& name, const QString& unit,
                 QStringList& problems)
{
    QString v;
    if (AttributeScan::value(startTag, name, QLatin1Char('|'), &v))
        return v;
    // The number the classic search gives when it starts from a failed lookup.
    problems << errorMessage(Err::InvalidCall, Err::description(Err::InvalidCall),
                             QStringLiteral("GetValue"), UnitKind::ClassModule, unit);
    return QString();
}
} // namespace XmlText
