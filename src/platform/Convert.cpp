#include "platform/Convert.h"

#include "platform/RuntimeError.h"

#include <cmath>
#include <limits>

double RoundHalfEven(double v) { return std::nearbyint(v); } // default mode is to-nearest-even

double CDbl(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        throw Err::make(Err::TypeMismatch);
    return v;
}

int32_t CLng(const QString& text)
{
    const double r = RoundHalfEven(CDbl(text));
    if (r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max())
        throw Err::make(Err::Overflow);
    return static_cast<int32_t>(r);
}

int16_t CInt(const QString& text)
{
    const double r = RoundHalfEven(CDbl(text));
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max())
        throw Err::make(Err::Overflow);
    return static_cast<int16_t>(r);
}

bool CBool(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return CDbl(t) != 0.0;
}
