// The corner marks of days with notes on the painted grid: the mark takes
// only background pixels, so no day number or caption is ever covered, in
// one-day and split cells, large and as small as the image calendar's.
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

class NoteMarks : public MonthFixture, public ::testing::WithParamInterface<MarkCase> {};
} // namespace

TEST_P(NoteMarks, TakeOnlyBackgroundInTheTopRightCorner)
{
    const MarkCase& c = GetParam();
    auto m = makeMonth(c.size.width(), c.size.height(), dn(2008, 3, 1));
    m->setFirstWeekday(1);
    m->setCellSplit(c.split);
    m->setShowFullGrid(c.fullGrid);
    for (int i = 1; i <= 42; ++i) {
        m->Days().Item(i)->setLeftCaption(QStringLiteral("WW"));
        m->Days().Item(i)->setRightCaption(QStringLiteral("MM"));
    }
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
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (before.pixel(x, y) == after.pixel(x, y))
                continue;
            ++changed;
            const int row = static_cast<int>(y * m->TwipsPerPixelY() / m->CellHeight());
            // The last column reaches the control's right edge.
            const int col = std::min(6, static_cast<int>(x * m->TwipsPerPixelX() / m->CellWidth()));
            const QRect cell = cellPixels(*m, row, col, 0).united(QRect(x, y, 1, 1));
            ASSERT_EQ(before.pixel(x, y), background(before, cell))
                << "covered text at " << x << "," << y;
            ASSERT_EQ(after.pixelColor(x, y), QColor(0, 0xC0, 0)) << x << "," << y;
            // In the triangle of the top right corner.
            ASSERT_LE((cell.right() - x) + (y - cell.top()), cell.width() / 4 + 2)
                << x << "," << y << " in " << row << "," << col;
            ++markedCells[m->CellIndexAt(static_cast<int16_t>(row - 2), static_cast<int16_t>(col))];
        }
    }
    // Days of the months around are marked where their number shows.
    std::set<int> expected;
    for (double d : markedDays())
        if (m->Days().Item(m->CellOfDate(d))->Flag() == 0 || (c.fullGrid && c.split == 1))
            expected.insert(m->CellOfDate(d));
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

INSTANTIATE_TEST_SUITE_P(Cells, NoteMarks,
                         ::testing::Values(MarkCase{"OneDayLarge", {700, 520}, 1, false},
                                           MarkCase{"OneDayFullGrid", {700, 520}, 1, true},
                                           MarkCase{"SplitLarge", {700, 520}, 2, false},
                                           MarkCase{"OneDayImageCalendarSize", {230, 190}, 1, true},
                                           MarkCase{"SplitImageCalendarSize", {230, 190}, 2, false},
                                           MarkCase{"WideShortCells", {900, 260}, 1, true}),
                         [](const auto& p) { return std::string(p.param.name); });
