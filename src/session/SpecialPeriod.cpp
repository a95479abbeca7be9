#include "session/SpecialPeriod.h"

SpecialPeriod SpecialPeriod::load(const CalSettings::ReadError& onError)
{
    namespace S = CalSettings;
    SpecialPeriod p;
    p.length = S::readLong(S::SpecialPeriodLength, onError);
    p.offset = S::readLong(S::SpecialPeriodOffset, onError);
    p.name = S::readText(S::SpecialPeriodName);
    p.shown = S::readBool(S::SpecialPeriodChecked, onError);
    p.color = S::readLong(S::SpecialPeriodColor, onError);
    return p;
}
