// Painting checked on pixels of the rendered control.
#include "MonthTestSupport.h"

#include "platform/widgets/OleColor.h"
#include "support/Pixels.h"

namespace {
constexpr int32_t Red = 0x0000FF, Blue = 0xFF0000, Green = 0x008000;

// Fills the cells as a host does: a colour per day and two codes.
void fillLikeAHost(ctlMonth& m, bool blackNumbers = false)
{
    const int32_t colours[] = {Red, Green, Blue};
    for (int p = 1; p <= 42; ++p) {
        auto& cell = *m.Days().Item(p);
        cell.setForeColor(blackNumbers ? 0 : colours[p % 3]);
        cell.setLeftCaption("A");
        cell.setLeftColor(Red);
        cell.setRightCaption("B");
        cell.setRightColor(Blue);
    }
}

int countColour(const QImage& img, const QRect& area, const QColor& c)
{
    return countPixels(img, area, [&](const QColor& p) { return p.rgb() == c.rgb(); });
}
// Pixels of the area in any other colour than the background.
int ink(const QImage& img, const QRect& area, const QColor& back)
{
    return area.width() * area.height() - countColour(img, area, back);
}
// Antialiased text leaves shades of its colour on the background.
bool reddish(const QColor& c)
{
    return c.red() > 150 && c.green() < 100 && c.blue() < 100;
}
bool bluish(const QColor& c)
{
    return reddish(QColor(c.blue(), c.green(), c.red()));
}

// A row of the grid per string, a character per column: 'F' where the
// cell's corner, away from any text, shows the fill.
QStringList fillMap(const QImage& img, const ctlMonth& m, const QColor& fill)
{
    QStringList rows;
    for (int row = 0; row < m.RowCount(); ++row) {
        QString s;
        for (int col = 0; col < 7; ++col)
            s += cornerOf(img, m, row, col) == fill ? 'F' : '.';
        rows << s;
    }
    return rows;
}
} // namespace

using MonthPaint = MonthFixture;

TEST_F(MonthPaint, WeekendColumnsFilledTitleRowNever)
{
    auto m = makeMonth(800, 600, dn(2008, 3, 1));
    fillLikeAHost(*m);
    m->setFirstWeekday(1);
    m->setShowWeekends(true);
    m->setWeekendColor(0xC0FFC0);
    const QColor weekend = OleColor::toQColor(0xC0FFC0, m->palette());
    EXPECT_EQ(fillMap(render(*m), *m, weekend), QStringList{"......."} + QStringList(7, "F.....F"));
    m->setFirstWeekday(2); // Monday first
    EXPECT_EQ(fillMap(render(*m), *m, weekend), QStringList{"......."} + QStringList(7, ".....FF"));
}

TEST_F(MonthPaint, SpecialPeriodFillsEachDaysOwnCellFirstColumnIncluded)
{
    auto m = makeMonth(800, 600, dn(2008, 3, 1));
    fillLikeAHost(*m);
    m->setShowWeekends(true); // replaced by the special period
    m->setWeekendColor(0xC0FFC0);
    m->setSpecialPeriodColor(0xFFE0C0);
    m->SetSpecialPeriod(5, 3);
    const QImage img = render(*m);
    const QColor fill = OleColor::toQColor(0xFFE0C0), weekend = OleColor::toQColor(0xC0FFC0);
    // Five-day runs, every other one marked: 27 February to 2 March, 8 to 12,
    // 18 to 22 March and 28 March to 1 April, each day in its own cell.
    EXPECT_EQ(fillMap(img, *m, fill), QStringList({".......", ".......", "...FFFF", "F.....F",
                                                   "FFFF...", "..FFFFF", ".....FF", "FFF...."}));
    EXPECT_EQ(countColour(img, img.rect(), weekend), 0);

    // A negative length fills nothing at all, weekends included.
    m->SetSpecialPeriod(-7, 0);
    const QImage none = render(*m);
    EXPECT_EQ(countColour(none, none.rect(), fill) + countColour(none, none.rect(), weekend), 0);
}

TEST_F(MonthPaint, SplitCellCaptionsInTheLowerHalf)
{
    auto m = makeMonth(800, 600, dn(2008, 3, 1));
    fillLikeAHost(*m, true); // black numbers, so red and blue are the captions
    m->setCellSplit(2);
    const QImage img = render(*m);
    const QRect cell = cellPixels(*m, 4, 1, 2); // Monday 10 March
    const QSize half = cell.size() / 2;
    const QRect upper(cell.topLeft(), QSize(cell.width(), half.height()));
    const QRect lowerLeft(QPoint(cell.left(), cell.center().y()), half);
    const QRect lowerRight(cell.center(), half);
    EXPECT_GT(countPixels(img, lowerLeft, reddish), 5);
    EXPECT_GT(countPixels(img, lowerRight, bluish), 5);
    EXPECT_EQ(countPixels(img, upper, reddish) + countPixels(img, upper, bluish), 0);
    EXPECT_EQ(countPixels(img, lowerRight, reddish), 0);
    // Leading days of February stay empty in split cells, full grid or not.
    m->setShowFullGrid(true);
    EXPECT_EQ(countPixels(render(*m), cellPixels(*m, 2, 0), reddish), 0);
}

TEST_F(MonthPaint, CellSplitOfZeroIsReportedOnceAndLeavesDaysEmpty)
{
    auto m = makeMonth(700, 500, dn(2008, 3, 1));
    fillLikeAHost(*m);
    const QColor back = OleColor::toQColor(m->BackColor(), m->palette());
    // 0 stops at the cell font step: grid and initials drawn, the error shown
    // once, not again at every repaint.
    m->setCellSplit(0);
    const QImage broken = render(*m);
    render(*m);
    const QStringList once = fakes.messages->texts();
    ASSERT_EQ(once.size(), 1);
    EXPECT_TRUE(once[0].startsWith("Error 11 (Division by zero) in line 14 "));
    EXPECT_GT(ink(broken, cellPixels(*m, 1, 3, 2), back), 0); // the weekday row
    EXPECT_EQ(ink(broken, cellPixels(*m, 4, 3, 2), back), 0);

    // After a good paint the fault is news again; met inside a resize event,
    // its box opens once the event is over.
    m->setCellSplit(1);
    render(*m);
    m->setCellSplit(0);
    m->resize(m->width() + 10, m->height());
    EXPECT_EQ(fakes.messages->shown.size(), 1u);
    QCoreApplication::processEvents();
    EXPECT_EQ(fakes.messages->texts(), once + once);
}

TEST_F(MonthPaint, TheFullGridInTheCorners)
{
    auto m = makeMonth(800, 600, dn(2008, 3, 1));
    fillLikeAHost(*m);
    const QColor back = OleColor::toQColor(m->BackColor(), m->palette());
    const QImage plain = render(*m);
    // Sunday 24 February and Saturday 5 April: blank, or small in their
    // top-left and bottom-right corners in the full grid.
    const QRect lead = cellPixels(*m, 2, 0), trail = cellPixels(*m, 7, 6);
    EXPECT_EQ(ink(plain, lead, back) + ink(plain, trail, back), 0);
    m->setShowFullGrid(true);
    const QImage full = render(*m);
    const QSize half = lead.size() / 2;
    EXPECT_GT(ink(full, QRect(lead.topLeft(), half), back), 5);
    EXPECT_EQ(ink(full, QRect(lead.center(), half), back), 0);
    EXPECT_GT(ink(full, QRect(trail.center(), half), back), 5);
    EXPECT_EQ(ink(full, QRect(trail.topLeft(), half), back), 0);
}

TEST_F(MonthPaint, EveryChangeThatDecidesTheLayoutRepaintsAsAFreshControlWould)
{
    // The layout settles the fitted sizes before the first paint; painting
    // never touches the font as set.
    const std::pair<const char*, std::function<void(ctlMonth&)>> changes[] = {
        {"size", [](ctlMonth& m) { m.resize(530, 410); }},
        {"font", [](ctlMonth& m) { m.setFont(QFont(m.Font().family(), 15)); }},
        {"bold", [](ctlMonth& m) { m.setFontBold(false); }},
        {"relative size", [](ctlMonth& m) { m.setFontRelativeSize(5); }},
        {"row count",
         [](ctlMonth& m) {
             m.setFullDate(dn(2009, 2, 1)); // four weeks
             m.setFitRows(true);
         }},
        {"first weekday", [](ctlMonth& m) { m.setFirstWeekday(2); }},
        {"special period", [](ctlMonth& m) { m.SetSpecialPeriod(5, 3); }},
        {"split cells", [](ctlMonth& m) { m.setCellSplit(2); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        auto changed = makeMonth(640, 380, dn(2008, 3, 1));
        changed->setSpecialPeriodColor(0xFFE0C0);
        fillLikeAHost(*changed);
        const QImage before = render(*changed);
        change(*changed);
        const QString font = changed->WriteProperties().value("Font").toString();
        const QImage after = render(*changed);
        EXPECT_NE(after, before);
        EXPECT_EQ(render(*changed), after);
        EXPECT_EQ(changed->WriteProperties().value("Font").toString(), font);
        auto fresh = makeMonth(640, 380, dn(2008, 3, 1));
        fresh->setSpecialPeriodColor(0xFFE0C0);
        change(*fresh);
        fillLikeAHost(*fresh);
        EXPECT_EQ(render(*fresh), after);
    }
}
