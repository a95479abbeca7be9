#pragma once
// The month grid's arithmetic, free of any painter or widget so that it can be
// checked on its own. Lengths are twips, dates day numbers (see DayNumber.h).
#include <QDate>
#include <QRect>
#include <array>
#include <cstdint>

namespace MonthGrid {
constexpr int CellCount = 42;             // six weeks, whatever number of rows shows
constexpr int16_t FullRows = 8;           // title, weekday initials and six weeks
constexpr double FirstShownDay = 25569.0; // 1 January 1970
// The calendar range of a day number (1 January 100 to 31 December 9999).
constexpr double MinDay = -657434.0;
constexpr double MaxDay = 2958465.0;

// The first day of the week as Qt counts it (1 Monday .. 7 Sunday) for a
// FirstWeekday code: 0 the locale's, 1 Sunday, 2 Monday .. 7 Saturday.
int qtFirstDay(int32_t firstWeekday);
// Position 1..7 of the date's weekday in a week beginning on the code's day.
int weekdayPosition(const QDate& d, int32_t firstWeekday);
// Column 0..6 of a Qt weekday (1 Monday .. 7 Sunday) in such a week.
int columnOfWeekday(int qtDay, int32_t firstWeekday);

// The 1st of a month; months outside 1..12 carry into neighbouring years.
// Invalid procedure call (5) outside the calendar range.
double dateSerial(int64_t year, int64_t month, int day = 1);
double lastDayOf(int64_t year, int64_t month);
// Day number checked against the calendar range: overflow (6) outside it.
QDate checkedDate(double day);
// Calendar month and year steps keep the day of the month, clamped to the
// length of the target month (31 January + 1 month = end of February).
double addMonths(double day, int months);
double addYears(double day, int years);

// First date of the grid: the first day of the week that holds the 1st.
double gridStart(double firstOfMonth, int32_t firstWeekday);
// Rows including title and weekday rows for the days from start to last day,
// kept to the 2..8 rows that 42 cells can fill.
int16_t rowsFor(double startDate, double lastDay);

// Cell size in twips: (extent - two pixels) / divisor, halves to even; a
// surface smaller than two pixels gives 0.
int32_t cellExtent(double extentTwips, double pixelTwips, int divisor);
// Grid row or column under a position; 0 when the cell size is 0.
// Overflow (6) when the result leaves 16 bits.
int16_t rowAt(double y, int32_t cellHeight);
inline int16_t columnAt(double x, int32_t cellWidth)
{
    return rowAt(x, cellWidth);
}
// Position 1..42 of week row w and column c (c folded into 0..6).
int16_t cellIndexAt(int16_t week, int16_t column, int count = CellCount);
// The date in cell position 1..42 of a grid that starts on startDate.
inline double dateOfCell(double startDate, int position)
{
    return startDate + (position - 1);
}
// The cell position 1..count that shows the day (its time ignored); 0 when
// the grid does not hold it.
int cellOfDate(double startDate, double day, int count = CellCount);

// Pixels of the box over grid cell (column x, row y). Both corners belong to
// the box, as the classic filled-box line draws it.
QRect boxPixels(int16_t x, int16_t y, int32_t cellWidth, int32_t cellHeight, double pixelTwipsX,
                double pixelTwipsY);

struct NavPlace {
    int32_t left = 0;
    int32_t top = 0;
    int32_t size = 0; // width and height
};
// Place of navigation picture 0..3 in the title row.
NavPlace navPlace(int index, double surfaceWidth, int32_t cellWidth, int32_t cellHeight);

// The dotted rectangle two pixels inside cell (row, column).
struct FocusRect {
    int32_t x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};
FocusRect focusRectFor(int16_t row, int16_t column, int32_t cellWidth, int32_t cellHeight,
                       double pixelTwipsX, double pixelTwipsY);

// The recurring period: runs of `length` days alternate unfilled and filled,
// counted from the reference day 1 January 1970 + offset - 2. A day is filled
// when (day - reference) divided by length, truncated toward zero, is odd and
// above 0; a length below 1 fills nothing.
bool inSpecialPeriod(double day, int32_t length, int32_t offset);
// Which of the 42 cells (index 0 is cell 1) a grid starting on startDate fills.
std::array<bool, CellCount> specialPeriodCells(double startDate, int32_t length, int32_t offset);
} // namespace MonthGrid
