// Painting checked on pixels of the rendered control.
#include "MonthTestSupport.h"

#include "platform/widgets/OleColor.h"
#include "support/Pixels.h"

#include <QFontInfo>

namespace {
constexpr int32_t Red = 0x0000FF, Blue = 0xFF0000, Green = 0x008000;

// Fills the cells as a host does: a colour per day and two codes.
void fillLikeAHost(ctlMonth& m)
{
    const int32_t colours[] = {Red, Green, Blue};
    for (int p = 1; p <= 42; ++p) {
        auto& cell = *m.Days().Item(p);
        cell.setForeColor(colours[p % 3]);
        cell.setLeftCaption("A");
        cell.setLeftColor(Red);
        cell.setRightCaption("B");
        cell.setRightColor(Blue);
    }
}

// How many pixels of the area have the colour.
int countColour(const QImage& img, const QRect& area, const QColor& c)
{
    return countPixels(img, area, [&](const QColor& p) { return p.rgb() == c.rgb(); });
}

// Reddish pixels: antialiased red text leaves shades of red on the background.
int countReddish(const QImage& img, const QRect& area)
{
    return countPixels(img, area, [](const QColor& c) {
        return c.red() > 150 && c.green() < 100 && c.blue() < 100;
    });
}
// Height of the band of rows that hold anything but the background.
int inkHeight(const QImage& img, const QRect& area, const QColor& back)
{
    int top = -1, bottom = -1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.pixelColor(x, y).rgb() != back.rgb()) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
    return top < 0 ? 0 : bottom - top + 1;
}
int countBluish(const QImage& img, const QRect& area)
{
    return countPixels(img, area, [](const QColor& c) {
        return c.blue() > 150 && c.green() < 100 && c.red() < 100;
    });
}
} // namespace

using MonthPaint = MonthFixture;

TEST_F(MonthPaint, FontIsFixedPitch)
{
    auto m = makeMonth(400, 300);
    EXPECT_TRUE(QFontInfo(m->Font()).fixedPitch()) << m->Font().family().toStdString();
}

TEST_F(MonthPaint, WeekendColumnsFilledTitleRowNever)
{
    auto m = makeMonth(800, 600, dn(2008, 3, 1));
    fillLikeAHost(*m);
    m->setFirstWeekday(1); // Sunday first: Sunday column 0, Saturday column 6
    m->setShowWeekends(true);
    m->setWeekendColor(0xC0FFC0);
    const QImage img = render(*m, "month_weekends_800x600");
    const QColor weekend = OleColor::toQColor(0xC0FFC0, m->palette());
    const QColor back = OleColor::toQColor(m->BackColor(), m->palette());
    for (int row = 1; row < m->RowCount(); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(cornerOf(img, *m, row, 0), weekend);
        EXPECT_EQ(cornerOf(img, *m, row, 6), weekend);
        for (int col = 1; col <= 5; ++col)
            EXPECT_EQ(cornerOf(img, *m, row, col), back);
    }
    EXPECT_EQ(countColour(img, cellPixels(*m, 0, 0, 1), weekend), 0);
    EXPECT_EQ(countColour(img, cellPixels(*m, 0, 6, 1), weekend), 0);

    // Monday first moves the weekend to columns 5 and 6.
    m->setFirstWeekday(2);
    const QImage monday = render(*m);
    EXPECT_EQ(cornerOf(monday, *m, 3, 5), weekend);
    EXPECT_EQ(cornerOf(monday, *m, 3, 6), weekend);
    EXPECT_EQ(cornerOf(monday, *m, 3, 0), back);
}

TEST_F(MonthPaint, SpecialPeriodFillsEachDaysOwnCellFirstColumnIncluded)
{
    auto m = makeMonth(800, 600, dn(2008, 3, 1));
    fillLikeAHost(*m);
    m->setShowWeekends(true); // replaced by the special period
    m->setWeekendColor(0xC0FFC0);
    m->setSpecialPeriodColor(0xFFE0C0);
    const int32_t length = 5, offset = 3;
    m->SetSpecialPeriod(length, offset);
    const QImage img = render(*m, "month_special_period_800x600");
    const QColor fill = OleColor::toQColor(0xFFE0C0, m->palette());
    const QColor weekend = OleColor::toQColor(m->WeekendColor(), m->palette());
    const double reference = offset + 25569 - 2;
    int filled = 0, firstColumn = 0;
    for (int row = 2; row < m->RowCount(); ++row) {
        for (int col = 0; col <= 6; ++col) {
            // The cell of date e shows the fill when (e - R) \ L is odd.
            const double e = m->Days().Item((row - 2) * 7 + col + 1)->FullDate();
            const auto q = static_cast<long long>(e - reference) / length;
            const bool expectFill = q > 0 && q % 2 == 1;
            filled += expectFill;
            firstColumn += expectFill && col == 0;
            EXPECT_EQ(cornerOf(img, *m, row, col) == fill, expectFill)
                << "row " << row << " col " << col;
        }
    }
    EXPECT_GT(firstColumn, 0);
    EXPECT_GT(filled, 10);
    EXPECT_EQ(countColour(img, img.rect(), weekend), 0) << "no weekend fill under a special period";
    EXPECT_EQ(countColour(img, cellPixels(*m, 0, 3, 0), fill), 0);

    // A negative length fills nothing at all, weekends included.
    m->SetSpecialPeriod(-7, 0);
    const QImage none = render(*m);
    EXPECT_EQ(countColour(none, none.rect(), fill), 0);
    EXPECT_EQ(countColour(none, none.rect(), weekend), 0);
}

TEST_F(MonthPaint, SplitCellCaptionsInTheLowerHalf)
{
    auto m = makeMonth(800, 600, dn(2008, 3, 1));
    fillLikeAHost(*m);
    for (int p = 1; p <= 42; ++p)
        m->Days().Item(p)->setForeColor(0); // black numbers, so red and blue are the captions
    m->setCellSplit(2);
    const QImage img = render(*m, "month_split_800x600");
    // 10 March 2008 is cell 16 (Sunday first): row 4, column 1.
    ASSERT_EQ(m->Days().Item(16)->FullDate(), dn(2008, 3, 10));
    const QRect cell = cellPixels(*m, 4, 1, 2);
    const QRect upper(cell.topLeft(), QSize(cell.width(), cell.height() / 2));
    const QRect lowerLeft(cell.left(), cell.center().y(), cell.width() / 2, cell.height() / 2);
    const QRect lowerRight(cell.center().x(), cell.center().y(), cell.width() / 2,
                           cell.height() / 2);
    EXPECT_GT(countReddish(img, lowerLeft), 5);
    EXPECT_GT(countBluish(img, lowerRight), 5);
    EXPECT_EQ(countReddish(img, upper) + countBluish(img, upper), 0);
    EXPECT_EQ(countReddish(img, lowerRight), 0);
    // Leading days of February stay empty in split cells, full grid or not.
    m->setShowFullGrid(true);
    const QImage full = render(*m);
    EXPECT_EQ(countReddish(full, cellPixels(*m, 2, 0)), 0);
}

TEST_F(MonthPaint, CellSplitOtherThanOneOrTwoLeavesDaysEmpty)
{
    auto m = makeMonth(700, 500, dn(2008, 3, 1));
    fillLikeAHost(*m);
    m->setCellSplit(3);
    const QImage img = render(*m);
    const QColor back = OleColor::toQColor(m->BackColor(), m->palette());
    const QRect day = cellPixels(*m, 4, 3, 2);
    EXPECT_EQ(countColour(img, day, back), day.width() * day.height());
    EXPECT_TRUE(fakes.messages->shown.empty());

    // 0 stops at the base day size: grid and initials drawn, the error shown
    // once, not again at every repaint.
    m->setCellSplit(0);
    const QImage broken = render(*m);
    render(*m);
    const QString divisionByZero = "Error 11 (Division by zero) in line 14 in procedure "
                                   "Picture1_Paint of User Control ctlMonth";
    ASSERT_EQ(fakes.messages->texts(), QStringList{divisionByZero});
    const QRect weekdayRow = cellPixels(*m, 1, 3, 2);
    EXPECT_LT(countColour(broken, weekdayRow, back), weekdayRow.width() * weekdayRow.height());
    EXPECT_EQ(countColour(broken, day, back), day.width() * day.height());

    // After a good paint the fault is news again; met inside a resize event,
    // its box opens once the event is over.
    m->setCellSplit(1);
    render(*m);
    m->setCellSplit(0);
    m->resize(m->width() + 10, m->height());
    EXPECT_EQ(fakes.messages->shown.size(), 1u);
    QCoreApplication::processEvents();
    EXPECT_EQ(fakes.messages->texts(), (QStringList{divisionByZero, divisionByZero}));
}

TEST_F(MonthPaint, RepeatedPaintsGiveTheSamePicture)
{
    // Fitting scales from the size left by the last paint; it must settle.
    for (const auto& size : {QSize(800, 600), QSize(333, 257), QSize(150, 120)}) {
        auto m = makeMonth(size.width(), size.height(), dn(2008, 3, 1));
        fillLikeAHost(*m);
        render(*m); // the first paint starts from the designed size
        const QImage first = render(*m);
        const double fontSize = m->SurfaceFontSize();
        for (int i = 0; i < 5; ++i)
            render(*m);
        EXPECT_EQ(render(*m), first) << size.width();
        EXPECT_EQ(m->SurfaceFontSize(), fontSize);
    }
}

TEST_F(MonthPaint, TodayAndFullGridViews)
{
    auto m = makeMonth(800, 600, dn(2008, 3, 1));
    fillLikeAHost(*m);
    m->setShowFullGrid(true);
    render(*m, "month_today_fullgrid_800x600");
    auto small = makeMonth(210, 160, dn(2008, 3, 1));
    fillLikeAHost(*small);
    small->setShowWeekends(true);
    render(*small, "month_small_210x160");
    small->setCellSplit(2);
    render(*small, "month_small_split_210x160");
    small->setCellSplit(1);
    small->setShowFullGrid(true);
    small->setSpecialPeriodColor(0xFFE0C0);
    small->SetSpecialPeriod(5, 3);
    render(*small, "month_small_special_fullgrid_210x160");
    // Today (12 March, row 4, column 3) is painted larger than the day after.
    const QImage img = render(*m);
    const QColor back = OleColor::toQColor(m->BackColor(), m->palette());
    ASSERT_EQ(m->Days().Item(18)->FullDate(), dn(2008, 3, 12));
    EXPECT_GT(inkHeight(img, cellPixels(*m, 4, 3), back),
              inkHeight(img, cellPixels(*m, 4, 4), back) + 2);
}
