#include "session/SpecialPeriod.h"

SpecialPeriod SpecialPeriod::load(const CalSettings::ReadError& onError, CalSettings::Repair repair)
{
    namespace S = CalSettings;
    SpecialPeriod p;
    p.length = S::readLong(S::SpecialPeriodLength, onError, repair);
    p.offset = S::readLong(S::SpecialPeriodOffset, onError, repair);
    p.name = S::readText(S::SpecialPeriodName);
    p.shown = S::readBool(S::SpecialPeriodChecked, onError, repair);
    p.color = S::readLong(S::SpecialPeriodColor, onError, repair);
    return p;
}
