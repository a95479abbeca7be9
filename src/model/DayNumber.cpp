#include "model/DayNumber.h"

#include <cmath>

namespace DayNumber {
QDate epoch() { return QDate(1899, 12, 30); }

double fromDate(const QDate& d) { return static_cast<double>(epoch().daysTo(d)); }

double fromDateTime(const QDateTime& dt)
{
    const QTime t = dt.time();
    return fromDate(dt.date()) + t.msecsSinceStartOfDay() / 86400000.0;
}

// For negative values the integer part is the day and the fraction is the
// time after midnight: -1.25 is 29 December 1899, 06:00.
double wholeDay(double day) { return std::trunc(day); }

QDate toDate(double day)
{
    return epoch().addDays(static_cast<qint64>(wholeDay(day)));
}
} // namespace DayNumber
