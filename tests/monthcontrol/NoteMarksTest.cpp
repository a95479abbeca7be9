// The corner marks of days with notes and the bars of the other calendars'
// events on the painted grid: both take only background pixels, so no day
// number or caption is ever covered, in one-day and split cells, large and
// as small as the image calendar's.
#include "MonthTestSupport.h"
#include "monthcontrol/ScheduleFill.h"
#include "session/NoteColors.h"

#include <algorithm>
#include <map>
#include <set>

namespace {
struct MarkCase {
    const char* name;
    QSize size;
    int16_t split;
    bool fullGrid;
};
void PrintTo(const MarkCase& c, std::ostream* os)
{
    *os << c.name;
}

// March 2008 from Sunday 24 February to Saturday 5 April; today is the
// 12th (a larger italic face).
std::vector<double> markedDays()
{
    return {dn(2008, 2, 25), dn(2008, 3, 1),  dn(2008, 3, 12),
            dn(2008, 3, 28), dn(2008, 3, 31), dn(2008, 4, 4)};
}

// A cell's own background (a weekend's is shaded): the colour most of it has.
QRgb background(const QImage& img, const QRect& cell)
{
    std::map<QRgb, int> count;
    for (int y = cell.top() + 1; y < cell.bottom(); ++y)
        for (int x = cell.left() + 1; x < cell.right(); ++x)
            ++count[img.pixel(x, y)];
    return std::max_element(count.begin(), count.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

class NoteMarks : public MonthFixture, public ::testing::WithParamInterface<MarkCase> {
protected:
    std::unique_ptr<ctlMonth> makeGrid(const MarkCase& c)
    {
        auto m = makeMonth(c.size.width(), c.size.height(), dn(2008, 3, 1));
        m->setFirstWeekday(1);
        m->setCellSplit(c.split);
        m->setShowFullGrid(c.fullGrid);
        for (int i = 1; i <= 42; ++i) {
            m->Days().Item(i)->setLeftCaption(QStringLiteral("WW"));
            m->Days().Item(i)->setRightCaption(QStringLiteral("MM"));
        }
        return m;
    }
    // Calls `check` with each pixel that differs and its cell; false stops.
    template <class Check>
    void eachChange(const ctlMonth& m, const QImage& before, const QImage& after, Check check)
    {
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x) {
                if (before.pixel(x, y) == after.pixel(x, y))
                    continue;
                const int row = static_cast<int>(y * m.TwipsPerPixelY() / m.CellHeight());
                // The last column reaches the control's right edge.
                const int col =
                    std::min(6, static_cast<int>(x * m.TwipsPerPixelX() / m.CellWidth()));
                const QRect cell = cellPixels(m, row, col, 0).united(QRect(x, y, 1, 1));
                ASSERT_EQ(before.pixel(x, y), background(before, cell))
                    << "covered text at " << x << "," << y;
                if (!check(x, y, cell,
                           m.CellIndexAt(static_cast<int16_t>(row - 2), static_cast<int16_t>(col))))
                    return;
            }
        }
    }
    // Days of the months around get one where their number shows.
    std::set<int> shownCells(const ctlMonth& m, const MarkCase& c)
    {
        std::set<int> cells;
        for (double d : markedDays())
            if (m.Days().Item(m.CellOfDate(d))->Flag() == 0 || (c.fullGrid && c.split == 1))
                cells.insert(m.CellOfDate(d));
        return cells;
    }
};
} // namespace

TEST_P(NoteMarks, TakeOnlyBackgroundInTheTopRightCorner)
{
    const MarkCase& c = GetParam();
    auto m = makeGrid(c);
    const QImage before = render(*m);

    NoteColors colors;
    colors.setColor(NoteKind::Leave, 0x00C000); // green, found nowhere else on the grid
    std::vector<std::pair<double, NoteKind>> marks;
    for (double d : markedDays())
        marks.emplace_back(d, NoteKind::Leave);
    FillDaysWithNotes(*m, marks, colors);
    m->setMarkDetails([](double) { return QStringList{QStringLiteral("Leave: summer week")}; });
    const QImage after = render(*m);

    int changed = 0;
    std::map<int, int> markedCells; // position: pixels changed
    eachChange(*m, before, after, [&](int x, int y, const QRect& cell, int position) {
        ++changed;
        EXPECT_EQ(after.pixelColor(x, y), QColor(0, 0xC0, 0)) << x << "," << y;
        // In the triangle of the top right corner.
        EXPECT_LE((cell.right() - x) + (y - cell.top()), cell.width() / 4 + 2)
            << x << "," << y << " in cell " << position;
        ++markedCells[position];
        return !HasFailure();
    });
    const std::set<int> expected = shownCells(*m, c);
    std::set<int> marked;
    for (const auto& [position, pixels] : markedCells) {
        marked.insert(position);
        // Whole in every column: the outline clips none in the last.
        EXPECT_EQ(pixels, markedCells.begin()->second) << "cell " << position;
    }
    EXPECT_EQ(marked, expected);
    EXPECT_GE(changed, static_cast<int>(expected.size()) * 6) << "a mark too small to see";
    EXPECT_EQ(m->DayToolTip(m->CellOfDate(dn(2008, 3, 12))).section('\n', 1),
              QStringLiteral("Leave: summer week"));
    EXPECT_EQ(m->DayToolTip(m->CellOfDate(dn(2008, 3, 13))).count('\n'), 0) << "an unmarked day";

    FillDaysWithNotes(*m, {}, colors);
    EXPECT_EQ(render(*m), before) << "marks left behind";
}

// Two calendars share a day's bar side by side; a day with notes keeps its
// corner mark whole beside the bar.
TEST_P(NoteMarks, CalendarBarsRunAlongTheTopBesideTheMark)
{
    const MarkCase& c = GetParam();
    auto m = makeGrid(c);
    const QColor teal(0, 0xA0, 0xA0), orange(0xC0, 0x60, 0), green(0, 0xC0, 0);
    NoteColors colors;
    colors.setColor(NoteKind::Leave, 0x00C000);
    // The mark alone on the 12th, to compare with the mark beside a bar.
    FillDaysWithNotes(*m, {{dn(2008, 3, 12), NoteKind::Leave}}, colors);
    const QImage before = render(*m);
    std::vector<std::pair<double, std::vector<int32_t>>> bars;
    for (double d : markedDays())
        bars.push_back({d, d == dn(2008, 3, 28) ? std::vector<int32_t>{0xA0A000, 0x0060C0}
                                                : std::vector<int32_t>{0xA0A000}});
    bars.push_back({dn(2008, 3, 12), {0xA0A000}});
    FillDaysWithCalendars(*m, bars);
    m->setMarkDetails([](double) { return QStringList{QStringLiteral("Good Friday (Holidays)")}; });
    const QImage after = render(*m);

    std::map<int, std::map<QRgb, int>> barCells;  // position: pixels of each colour
    std::map<int, std::pair<QRect, int>> topRows; // position: cell, the bar's top row
    eachChange(*m, before, after, [&](int x, int y, const QRect& cell, int position) {
        EXPECT_TRUE(after.pixelColor(x, y) == teal || after.pixelColor(x, y) == orange)
            << x << "," << y;
        EXPECT_LE(y - cell.top(), 7) << "below the top at " << x << "," << y;
        ++barCells[position][after.pixel(x, y)];
        if (!topRows.count(position))
            topRows[position] = {cell, y};
        return !HasFailure();
    });
    // Split cells as small as the image calendar's are full of text: their
    // days have the events in the tooltip only.
    std::set<int> expected;
    if (c.split == 1 || c.size.height() > 300) {
        expected = shownCells(*m, c);
        expected.insert(m->CellOfDate(dn(2008, 3, 12)));
    }
    std::set<int> barred;
    for (const auto& [position, colours] : barCells)
        barred.insert(position);
    EXPECT_EQ(barred, expected);
    // A bar takes the whole width of its cell's top row (the outline clips
    // none in the last column); two rows high at least where cells are large.
    for (const auto& [position, top] : topRows) {
        if (position == m->CellOfDate(dn(2008, 3, 12)))
            continue; // shortened for the mark
        const auto& [cell, y] = top;
        int inside = 0, bar = 0;
        for (int x = cell.left(); x <= cell.right(); ++x) {
            inside += before.pixel(x, y) == background(before, cell);
            bar += after.pixel(x, y) != before.pixel(x, y);
        }
        EXPECT_EQ(bar, inside) << "cell " << position;
        int pixels = 0;
        for (const auto& [colour, n] : barCells[position])
            pixels += n;
        EXPECT_GE(pixels, (c.size.height() > 300 ? 2 : 1) * bar)
            << "a bar too thin to see in cell " << position;
    }
    // The 28th's bar is half and half.
    const auto split = barCells[m->CellOfDate(dn(2008, 3, 28))];
    EXPECT_EQ(split.size(), expected.empty() ? 0u : 2u);
    if (split.size() == 2) {
        EXPECT_LE(std::abs(split.begin()->second - split.rbegin()->second), 2 * 7);
    }
    // The mark is unchanged beside the shorter bar.
    int markBefore = 0, markAfter = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) {
            markBefore += before.pixelColor(x, y) == green;
            markAfter += after.pixelColor(x, y) == green;
        }
    EXPECT_EQ(markAfter, markBefore);
    EXPECT_EQ(m->DayToolTip(m->CellOfDate(dn(2008, 3, 31))).section('\n', 1),
              QStringLiteral("Good Friday (Holidays)"));

    FillDaysWithCalendars(*m, {});
    EXPECT_EQ(render(*m), before) << "bars left behind";
}

INSTANTIATE_TEST_SUITE_P(Cells, NoteMarks,
                         ::testing::Values(MarkCase{"OneDayLarge", {700, 520}, 1, false},
                                           MarkCase{"OneDayFullGrid", {700, 520}, 1, true},
                                           MarkCase{"SplitLarge", {700, 520}, 2, false},
                                           MarkCase{"OneDayImageCalendarSize", {230, 190}, 1, true},
                                           MarkCase{"SplitImageCalendarSize", {230, 190}, 2, false},
                                           MarkCase{"WideShortCells", {900, 260}, 1, true}),
                         [](const auto& p) { return std::string(p.param.name); });
