// Dates of the 42 cells, row counts and the mapping of points to cells.
#include "MonthTestSupport.h"

#include "monthcontrol/MonthGrid.h"
#include "platform/RuntimeError.h"
#include "support/ErrorOf.h"

namespace {
struct GridCase {
    QString name;
    QDate month;
    int32_t firstWeekday;
    bool fitRows;
    QDate start, cell42;
    int16_t rows;
};

std::vector<GridCase> gridCases()
{
    std::vector<GridCase> cases;
    for (const QString& row : dataLines("monthcontrol/data/grid-dates.txt")) {
        QStringList f = row.split(' ');
        f.resize(7); // a short row fails on its dates rather than reading past the end
        const auto date = [&](int i) { return QDate::fromString(f[i], Qt::ISODate); };
        cases.push_back(
            {f[0], date(1), f[2].toInt(), f[3] == "fit", date(4), date(5), int16_t(f[6].toInt())});
    }
    return cases;
}

class MonthGridDates : public MonthFixture, public ::testing::WithParamInterface<GridCase> {};
} // namespace

TEST_P(MonthGridDates, CellsRowsAndFlags)
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
        SCOPED_TRACE(p);
        const auto& cell = *m->Days().Item(p);
        const QDate d = c.start.addDays(p - 1);
        EXPECT_EQ(cell.Index(), p - 1);
        EXPECT_EQ(cell.FullDate(), DayNumber::fromDate(d));
        EXPECT_EQ(cell.Value(), d.day());
        EXPECT_EQ(cell.Flag(), d < c.month ? -1 : (d.month() == c.month.month() ? 0 : 1));
        EXPECT_EQ(m->CellOfDate(DayNumber::fromDate(d) + 0.75), p); // whatever the time of day
    }
    EXPECT_EQ(m->CellOfDate(DayNumber::fromDate(c.start) - 1), 0);
    EXPECT_EQ(m->CellOfDate(DayNumber::fromDate(c.cell42) + 1), 0);
    for (const int16_t outside : {0, 43, -1})
        EXPECT_EQ(errorOf([&] { m->DateOfCell(outside); }), Err::SubscriptOutOfRange) << outside;
}

INSTANTIATE_TEST_SUITE_P(Months, MonthGridDates, ::testing::ValuesIn(gridCases()),
                         [](const auto& p) { return p.param.name.toStdString(); });

TEST(MonthGridArithmetic, CellSizesRoundHalfToEvenAndOverflowIsRefused)
{
    // (extent - two pixels) / divisor, halves to even; whole sizes are
    // checked on the controls below.
    EXPECT_EQ(MonthGrid::cellExtent(6 * 15.0, 15, 8), 8);   // 7.5
    EXPECT_EQ(MonthGrid::cellExtent(14 * 15.0, 15, 8), 22); // 22.5
    EXPECT_THROW(MonthGrid::rowAt(1e9, 1), RuntimeError);
    EXPECT_EQ(MonthGrid::rowAt(1e9, 0), 0);
    EXPECT_THROW(MonthGrid::checkedDate(1e300), RuntimeError);
    EXPECT_THROW(MonthGrid::dateSerial(9999, 13), RuntimeError);
}

using MonthPointToCell = MonthFixture;

TEST_F(MonthPointToCell, EdgesStripLimitsAndFittedRows)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    const double tx = m->TwipsPerPixelX();
    // 96 dpi: 700 px / 7 and 480 px / 8 rows, even sizes for the rounding rows.
    ASSERT_EQ(m->CellWidth(), 1500);
    ASSERT_EQ(m->CellHeight(), 900);
    const double cw = 1500, ch = 900;
    // What, x and y in twips, row, column, cell index.
    for (const auto& [what, x, y, row, column, index] :
         {std::tuple{"first day cell", 0.0, 2 * ch, 2, 0, 1},
          {"last twip before row 3", cw - 1, 3 * ch - 1, 2, 0, 1},
          {"half a twip before an edge rounds onto it", 2 * cw - 0.5, 3 * ch - 0.5, 3, 2, 10},
          {"one and a half twips before an edge stays", 2 * cw - 1.5, 3 * ch - 1.5, 2, 1, 2},
          {"last column of week 2", 6 * cw, 3 * ch, 3, 6, 14},
          {"strip right of the last column folds to column 0", 7 * cw + tx, 3 * ch, 3, 7, 8},
          {"below the last week is limited to 42", 6.5 * cw, 8 * ch + 1, 8, 6, 42},
          {"title row gives the first cell", 0, 0, 0, 0, 1}}) {
        SCOPED_TRACE(what);
        EXPECT_EQ(m->RowAt(y), row);
        EXPECT_EQ(m->ColumnAt(x), column);
        EXPECT_EQ(m->IndexAtPoint(x, y), index);
    }
    EXPECT_EQ(m->CellIndexAt(-1, 3), 1);
    EXPECT_EQ(m->CellIndexAt(5, 6), 42);

    // Fitted rows follow the month: six for February 2009, seven for March.
    m->setFirstWeekday(1);
    m->setFullDate(dn(2009, 2, 1));
    m->setFitRows(true);
    EXPECT_EQ(m->CellHeight(), 1200); // 480 px over six rows
    m->NextMonth();
    EXPECT_EQ(m->RowCount(), 7);

    // A surface narrower than two pixels has no cells; lookups give 0.
    m->resize(1, 1);
    EXPECT_EQ(QList<int>({m->CellWidth(), m->ColumnAt(500), m->RowAt(500)}), QList<int>(3, 0));
    m->Repaint();
    (void)m->grab();
    EXPECT_TRUE(fakes.messages->shown.empty());
}
