#include "session/SpecialPeriod.h"

#include "platform/RuntimeError.h"

QString SpecialPeriod::menuText(const QString& name)
{
    return name.trimmed().isEmpty()
               ? QString::fromLatin1(CalSettings::SpecialPeriodName.defaultValue)
               : name;
}

SpecialPeriod SpecialPeriod::load(const CalSettings::ReadError& onError, CalSettings::Repair repair)
{
    namespace S = CalSettings;
    SpecialPeriod p;
    p.length = S::readLong(S::SpecialPeriodLength, onError, repair);
    if (p.length < 0 || p.length > LongestLength) {
        if (repair == S::Repair::Yes)
            S::writeText(S::SpecialPeriodLength,
                         QString::fromLatin1(S::SpecialPeriodLength.defaultValue));
        p.length = 0;
        if (onError)
            onError(Err::make(Err::InvalidPropertyValue));
    }
    p.offset = S::readLong(S::SpecialPeriodOffset, onError, repair);
    p.name = S::readText(S::SpecialPeriodName);
    p.shown = S::readBool(S::SpecialPeriodChecked, onError, repair);
    p.color = S::readLong(S::SpecialPeriodColor, onError, repair);
    return p;
}
