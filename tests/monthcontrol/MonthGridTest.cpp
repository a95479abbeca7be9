// Dates of the 42 cells, row counts and the mapping of points to cells.
#include "MonthTestSupport.h"

#include "monthcontrol/MonthGrid.h"
#include "platform/RuntimeError.h"

#include <cstring>

namespace {
struct GridCase {
    const char* name;
    QDate month;
    int32_t firstWeekday;
    bool fitRows;
    QDate start;
    int16_t rows;
    QDate cell42;
};

const GridCase gridCases[] = {
    {"March2008SundayFirstLeadingDays", {2008, 3, 1}, 1, true, {2008, 2, 24}, 8, {2008, 4, 5}},
    {"March2008MondayFirstOneDayLater", {2008, 3, 1}, 2, true, {2008, 2, 25}, 8, {2008, 4, 6}},
    {"March2008SaturdayFirstNoLeadingDays", {2008, 3, 1}, 7, true, {2008, 3, 1}, 7, {2008, 4, 11}},
    {"February2009SundayFirstFourWeeks", {2009, 2, 1}, 1, true, {2009, 2, 1}, 6, {2009, 3, 14}},
    {"February2009SundayFirstWithoutFit", {2009, 2, 1}, 1, false, {2009, 2, 1}, 8, {2009, 3, 14}},
    {"February2009MondayFirstSixDaysEarlier",
     {2009, 2, 1},
     2,
     true,
     {2009, 1, 26},
     7,
     {2009, 3, 8}},
    {"February2009MondayFirstWithoutFit", {2009, 2, 1}, 2, false, {2009, 1, 26}, 8, {2009, 3, 8}},
    {"LeapFebruary2008MondayFirst", {2008, 2, 1}, 2, true, {2008, 1, 28}, 7, {2008, 3, 9}},
    {"December2008YearCarry", {2008, 12, 1}, 1, true, {2008, 11, 30}, 7, {2009, 1, 10}},
};

void PrintTo(const GridCase& c, std::ostream* os)
{
    *os << c.name;
}

class GridDates : public MonthFixture, public ::testing::WithParamInterface<GridCase> {};
} // namespace

TEST_P(GridDates, CellsRowsAndFlags)
{
    const GridCase& c = GetParam();
    auto m = makeMonth(702, 482);
    m->setFirstWeekday(c.firstWeekday);
    m->setFitRows(c.fitRows);
    m->setFullDate(DayNumber::fromDate(c.month));
    EXPECT_EQ(m->StartDate(), DayNumber::fromDate(c.start));
    EXPECT_EQ(m->RowCount(), c.rows);
    EXPECT_EQ(m->Days().Item(42)->FullDate(), DayNumber::fromDate(c.cell42));
    EXPECT_EQ(m->LastDay(), DayNumber::fromDate(c.month.addMonths(1).addDays(-1)));
    for (int p = 1; p <= 42; ++p) {
        const auto& cell = *m->Days().Item(p);
        const QDate d = c.start.addDays(p - 1);
        SCOPED_TRACE(p);
        EXPECT_EQ(cell.Index(), p - 1);
        EXPECT_EQ(cell.FullDate(), DayNumber::fromDate(d));
        EXPECT_EQ(cell.Value(), d.day());
        const int expectedFlag = d < c.month ? -1 : (d.month() == c.month.month() ? 0 : 1);
        EXPECT_EQ(cell.Flag(), expectedFlag);
    }
}

INSTANTIATE_TEST_SUITE_P(Months, GridDates, ::testing::ValuesIn(gridCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(MonthGridArithmetic, CellSizesRoundHalfToEvenAndNeverGoNegative)
{
    struct {
        double extent;
        int divisor;
        int32_t expected;
    } cases[] = {
        {6 * 15.0, 8, 8},      // 7.5 rounds to 8
        {14 * 15.0, 8, 22},    // 22.5 rounds to 22
        {702 * 15.0, 7, 1500}, // exact
        {2 * 15.0, 7, 0},      // a surface of two pixels has no cells
        {0, 7, 0},             // nor has an empty one
    };
    for (const auto& c : cases)
        EXPECT_EQ(MonthGrid::cellExtent(c.extent, 15, c.divisor), c.expected) << c.extent;
}

TEST(MonthGridArithmetic, NavigationPicturesSitInTheirColumns)
{
    // 702 px wide: cells of 1500 twips; title row 900 high.
    const double width = 702 * 15.0;
    const auto p0 = MonthGrid::navPlace(0, width, 1500, 900);
    EXPECT_EQ(p0.size, 450);
    EXPECT_EQ(p0.top, 225);
    EXPECT_EQ(p0.left, 525);
    EXPECT_EQ(MonthGrid::navPlace(1, width, 1500, 900).left, 1500 + 525);
    // The right-hand pair is measured from the right edge, strip included.
    EXPECT_EQ(MonthGrid::navPlace(2, width, 1500, 900).left, 10530 - 3000 + 525);
    EXPECT_EQ(MonthGrid::navPlace(3, width, 1500, 900).left, 10530 - 1500 + 525);
}

TEST(MonthGridArithmetic, HugePositionsOverflowInsteadOfWrapping)
{
    EXPECT_THROW(MonthGrid::rowAt(1e9, 1), RuntimeError);
    EXPECT_EQ(MonthGrid::rowAt(1e9, 0), 0);
    EXPECT_THROW(MonthGrid::checkedDate(1e300), RuntimeError);
    EXPECT_THROW(MonthGrid::dateSerial(9999, 13), RuntimeError);
}

using PointToCell = MonthFixture;

TEST_F(PointToCell, EdgesStripAndLimits)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    const double tx = m->TwipsPerPixelX(), ty = m->TwipsPerPixelY();
    ASSERT_EQ(m->CellWidth(), MonthGrid::cellExtent(702 * tx, tx, 7));
    ASSERT_EQ(m->CellHeight(), MonthGrid::cellExtent(482 * ty, ty, 8));
    const int32_t cw = m->CellWidth(), ch = m->CellHeight();
    // The rounding rows below rely on even cell sizes (96 dpi: 1500 by 900).
    ASSERT_EQ(cw % 2, 0);
    ASSERT_EQ(ch % 2, 0);

    struct {
        const char* what;
        double x, y;
        int16_t row, column, index;
    } cases[] = {
        {"first day cell", 0, 2.0 * ch, 2, 0, 1},
        {"last twip before row 3", cw - 1.0, 3.0 * ch - 1, 2, 0, 1},
        {"half a twip before an edge rounds onto it", 2.0 * cw - 0.5, 3.0 * ch - 0.5, 3, 2, 10},
        {"one and a half twips before an edge stays", 2.0 * cw - 1.5, 3.0 * ch - 1.5, 2, 1, 2},
        {"column 6 of week 2", 6.0 * cw, 3.0 * ch, 3, 6, 14},
        {"strip right of column 6 folds to column 0", 7.0 * cw + tx, 3.0 * ch, 3, 7, 8},
        {"below the last week is limited to 42", 6.5 * cw, 8.0 * ch + 1, 8, 6, 42},
        {"title row gives the first cell", 0, 0, 0, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(m->RowAt(c.y), c.row);
        EXPECT_EQ(m->ColumnAt(c.x), c.column);
        EXPECT_EQ(m->IndexAtPoint(c.x, c.y), c.index);
    }
    EXPECT_EQ(m->CellIndexAt(-1, 3), 1);
    EXPECT_EQ(m->CellIndexAt(5, 6), 42);

    // A surface narrower than two pixels has no cells; lookups give 0.
    m->resize(1, 1);
    EXPECT_EQ(m->CellWidth(), 0);
    EXPECT_EQ(m->ColumnAt(500), 0);
    EXPECT_EQ(m->RowAt(500), 0);
    m->Repaint();
    (void)m->grab();
    EXPECT_TRUE(fakes.messages->shown.empty());
}

TEST_F(PointToCell, FitRowsFollowsTheMonth)
{
    auto m = makeMonth(702, 482, dn(2009, 2, 1));
    m->setFirstWeekday(1);
    m->setFitRows(true);
    EXPECT_EQ(m->RowCount(), 6);
    EXPECT_EQ(m->CellHeight(),
              MonthGrid::cellExtent(482 * m->TwipsPerPixelY(), m->TwipsPerPixelY(), 6));
    m->NextMonth(); // March 2009 needs five weeks
    EXPECT_EQ(m->RowCount(), 7);
    m->setFitRows(false);
    EXPECT_EQ(m->RowCount(), 8);
}

namespace {
struct PeriodCase {
    const char* name;
    QDate gridStart;
    int32_t length;
    int32_t offset;
    const char* cells; // '1' for each filled cell, cell 1 first
};

// October 2009, Sunday first, starts on 27 September; L = 7 stored with
// offset 2 marks 24-30 September, 8-14 and 22-28 October, 5-11 November.
const PeriodCase periodCases[] = {
    {"October2009WeekRunsFirstColumnIncluded",
     {2009, 9, 27},
     7,
     2,
     "111100000001111111000000011111110000000111"},
    {"ThreeDayRunsFromTheReference",
     {1970, 1, 1},
     3,
     2,
     "000111000111000111000111000111000111000111"},
    {"DaysBeforeTheReferenceStayUnfilled",
     {1970, 1, 1},
     3,
     10,
     "000000000001110001110001110001110001110001"},
    {"SingleDaysAlternate", {2009, 10, 4}, 1, 1, "010101010101010101010101010101010101010101"},
    {"LengthZeroFillsNothing", {2009, 9, 27}, 0, 0, "000000000000000000000000000000000000000000"},
    {"NegativeLengthFillsNothing",
     {2009, 9, 27},
     -7,
     2,
     "000000000000000000000000000000000000000000"},
};

void PrintTo(const PeriodCase& c, std::ostream* os)
{
    *os << c.name;
}
} // namespace

class SpecialPeriodCells : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(SpecialPeriodCells, RunsOfTheCycle)
{
    const PeriodCase& c = GetParam();
    const auto cells = MonthGrid::specialPeriodCells(
        dn(c.gridStart.year(), c.gridStart.month(), c.gridStart.day()), c.length, c.offset);
    ASSERT_EQ(std::strlen(c.cells), cells.size());
    QString got;
    for (bool b : cells)
        got += b ? QLatin1Char('1') : QLatin1Char('0');
    EXPECT_EQ(got, QString::fromLatin1(c.cells));
}

INSTANTIATE_TEST_SUITE_P(MonthGrid, SpecialPeriodCells, ::testing::ValuesIn(periodCases),
                         [](const auto& p) { return std::string(p.param.name); });
