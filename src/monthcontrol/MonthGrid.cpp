#include "monthcontrol/MonthGrid.h"

#include "model/DayNumber.h"
#include "platform/Convert.h"
#include "platform/RuntimeError.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

namespace MonthGrid {
int qtFirstDay(int32_t firstWeekday)
{
    if (firstWeekday < 1 || firstWeekday > 7)
        return static_cast<int>(QLocale().firstDayOfWeek());
    // The codes count from Sunday (1) to Saturday (7); Qt from Monday (1) to Sunday (7).
    return firstWeekday == 1 ? 7 : firstWeekday - 1;
}

int weekdayPosition(const QDate& d, int32_t firstWeekday)
{
    return (d.dayOfWeek() - qtFirstDay(firstWeekday) + 7) % 7 + 1;
}

int columnOfWeekday(int qtDay, int32_t firstWeekday)
{
    return (qtDay - qtFirstDay(firstWeekday) + 7) % 7;
}

QDate checkedDate(double day)
{
    if (!(day >= MinDay && day < MaxDay + 1)) // fractions of the last day only; refuses NaN
        throw Err::make(Err::Overflow);
    return DayNumber::toDate(day);
}

double dateSerial(int64_t year, int64_t month, int day)
{
    // Months outside 1..12 carry into the years before or after.
    const int64_t m0 = month - 1;
    const int64_t carry = m0 >= 0 ? m0 / 12 : -((-m0 + 11) / 12);
    const int64_t y = year + carry;
    const int64_t m = m0 - carry * 12 + 1;
    if (y < 100 || y > 9999)
        throw Err::make(Err::InvalidCall);
    return DayNumber::fromDate(QDate(static_cast<int>(y), static_cast<int>(m), 1)) + (day - 1);
}

double lastDayOf(int64_t year, int64_t month)
{
    return dateSerial(year, month + 1) - 1;
}

double addMonths(double day, int months)
{
    const QDate r = checkedDate(day).addMonths(months);
    const double result = DayNumber::fromDate(r);
    if (!r.isValid() || result < MinDay || result > MaxDay)
        throw Err::make(Err::InvalidCall);
    return result;
}

double addYears(double day, int years)
{
    return addMonths(day, years * 12);
}

double gridStart(double firstOfMonth, int32_t firstWeekday)
{
    return firstOfMonth - weekdayPosition(checkedDate(firstOfMonth), firstWeekday) + 1;
}

int16_t rowsFor(double startDate, double lastDay)
{
    const double n = std::floor(lastDay - startDate) + 1;
    const double weeks = std::floor(n / 7) + (std::fmod(n, 7) > 0 ? 1 : 0);
    // 42 cells fill at most six week rows; a day range from inconsistent
    // saved settings must not ask for rows that have no cells.
    return static_cast<int16_t>(std::clamp(weeks + 2, 2.0, static_cast<double>(FullRows)));
}

int32_t cellExtent(double extentTwips, double pixelTwips, int divisor)
{
    if (divisor <= 0)
        return 0;
    const double v = RoundHalfEven((extentTwips - 2 * pixelTwips) / divisor);
    return v > 0 ? static_cast<int32_t>(std::min(v, 2147483647.0)) : 0;
}

int16_t rowAt(double y, int32_t cellHeight)
{
    if (cellHeight == 0)
        return 0;
    const double r = std::trunc(RoundHalfEven(y) / cellHeight);
    if (!(r >= std::numeric_limits<int16_t>::min() && r <= std::numeric_limits<int16_t>::max()))
        throw Err::make(Err::Overflow);
    return static_cast<int16_t>(r);
}

int16_t cellIndexAt(int16_t week, int16_t column, int count)
{
    // The remainder keeps the sign of the column, as the classic mod does.
    const int p = week * 7 + column % 7 + 1;
    return static_cast<int16_t>(std::clamp(p, 1, count));
}

int cellOfDate(double startDate, double day, int count)
{
    const double p = DayNumber::wholeDay(day) - DayNumber::wholeDay(startDate) + 1;
    return p >= 1 && p <= count ? static_cast<int>(p) : 0;
}

QRect boxPixels(int16_t x, int16_t y, int32_t cellWidth, int32_t cellHeight, double pixelTwipsX,
                double pixelTwipsY)
{
    const double x1 = static_cast<double>(x) * cellWidth, y1 = static_cast<double>(y) * cellHeight;
    return QRect(QPoint(TwipsToPixels(x1, pixelTwipsX), TwipsToPixels(y1, pixelTwipsY)),
                 QPoint(TwipsToPixels(x1 + cellWidth, pixelTwipsX),
                        TwipsToPixels(y1 + cellHeight, pixelTwipsY)));
}

NavPlace navPlace(int index, double surfaceWidth, int32_t cellWidth, int32_t cellHeight)
{
    NavPlace p;
    p.size = static_cast<int32_t>(cellHeight * 0.5);
    p.top = static_cast<int32_t>(cellHeight * 0.25);
    const auto m = static_cast<int32_t>(RoundHalfEven((cellWidth - p.size) / 2.0));
    switch (index) {
    case 0: p.left = m; break;
    case 1: p.left = cellWidth + m; break;
    case 2: p.left = static_cast<int32_t>(surfaceWidth) - 2 * cellWidth + m; break;
    default: p.left = static_cast<int32_t>(surfaceWidth) - cellWidth + m; break;
    }
    return p;
}

FocusRect focusRectFor(int16_t row, int16_t column, int32_t cellWidth, int32_t cellHeight,
                       double pixelTwipsX, double pixelTwipsY)
{
    const double x1 = static_cast<double>(column) * cellWidth + 2 * pixelTwipsX;
    const double y1 = static_cast<double>(row) * cellHeight + 2 * pixelTwipsY;
    FocusRect r;
    r.x1 = static_cast<int32_t>(RoundHalfEven(x1));
    r.y1 = static_cast<int32_t>(RoundHalfEven(y1));
    r.x2 = static_cast<int32_t>(RoundHalfEven(x1 + cellWidth - 4 * pixelTwipsX));
    r.y2 = static_cast<int32_t>(RoundHalfEven(y1 + cellHeight - 4 * pixelTwipsY));
    return r;
}

bool inSpecialPeriod(double day, int32_t length, int32_t offset)
{
    if (length < 1)
        return false;
    const double reference = offset + FirstShownDay - 2;
    const auto q = static_cast<int64_t>(RoundHalfEven(day - reference)) / length;
    return q > 0 && q % 2 == 1;
}

std::array<bool, CellCount> specialPeriodCells(double startDate, int32_t length, int32_t offset)
{
    std::array<bool, CellCount> cells{};
    for (int k = 0; k < CellCount; ++k)
        cells[static_cast<size_t>(k)] = inSpecialPeriod(startDate + k, length, offset);
    return cells;
}
} // namespace MonthGrid
