// The image calendar's arithmetic against hand-worked figures (twips).
#include "imagecalendar/YearLayout.h"
#include "imagecalendar/ImageCalendarTestSupport.h"

#include <cmath>

using namespace YearLayout;

TEST(YearLayout, ArrangementByScopeAndOrientation)
{
    // Count, rows and columns portrait, then landscape; or which are refused.
    QStringList got;
    for (int n : {1, 2, 3, 4, 6, 12, 0, 5, 7, 11, 13, -1}) {
        const auto t = arrangement(n, Portrait), w = arrangement(n, Landscape);
        got << (t && w ? facts(n, t->rows, t->columns, w->rows, w->columns) : facts(n, !t, !w));
    }
    EXPECT_EQ(got, QStringList({"1 1 1 1 1", "2 2 1 1 2", "3 3 1 1 3", "4 2 2 2 2", "6 3 2 2 3",
                                "12 4 3 3 4", "0 true true", "5 true true", "7 true true",
                                "11 true true", "13 true true", "-1 true true"}));
}

TEST(YearLayout, BandHeightsFollowTheRowCount)
{
    // Title and legend bands: 1/14 and 1/8 of the height for one row, then
    // 1/16 and 1/10, 1/18 and 1/12, and 1/20 and 1/14 for four rows.
    QStringList got;
    for (int rows : {1, 2, 3, 4})
        got << facts(bands(5040, rows).title, bands(5040, rows).legend);
    EXPECT_EQ(got, QStringList({"360 630", "315 504", "280 420", "252 360"}));
}

TEST(YearLayout, BoxesHaveSixtyTwipMarginsAndGaps)
{
    // 3090 × 2090 in 2 rows of 3: cells of 940 × 940, laid out row by row.
    const auto rects = monthRects(QSizeF(3090, 2090), 2, 3, 6);
    ASSERT_EQ(rects.size(), 6u);
    EXPECT_EQ(rects[0], QRectF(60, 60, 940, 940));
    EXPECT_EQ(rects[2], QRectF(2060, 60, 940, 940));
    EXPECT_EQ(rects[4], QRectF(1060, 1060, 940, 940));
    // A cell size of x.5 rounds to the even neighbour.
    EXPECT_EQ(facts(monthRects(QSizeF(411, 500), 1, 2, 1)[0].width(),
                    monthRects(QSizeF(413, 500), 1, 2, 1)[0].width()),
              "100 102");
    EXPECT_TRUE(monthRects(QSizeF(3000, 2000), 0, 3, 6).empty() &&
                monthRects(QSizeF(3000, 2000), 2, 0, 6).empty());

    EXPECT_EQ(titleBox(QSizeF(3000, 400)), QRectF(60, 60, 2850, 310));
    const LegendBoxes b = legendBoxes(QSizeF(3000, 1000), 15, 15);
    EXPECT_EQ(b.frame, QRectF(60, 30, 2850, 880));
    EXPECT_EQ(b.platoons, QRectF(90, 60, 2805, 395));
    EXPECT_EQ(b.description, QRectF(90, 500, 2805, 395));
}

TEST(YearLayout, PageRatioAndWindowShape)
{
    const double d = DefaultPageRatio;
    EXPECT_EQ(facts(pageRatio(0, 612), pageRatio(0, 0), pageRatio(std::nan(""), 612)),
              facts(d, d, d));
    EXPECT_NEAR(pageRatio(822, 575), 1.4296, 1e-4); // A4 less 10 pt margins
    EXPECT_EQ(orientationForRatio(1.0), Portrait);
    EXPECT_EQ(orientationForRatio(0.99), Landscape);
    EXPECT_EQ(orientationForPicture(QSizeF(600, 600)), Portrait);
    EXPECT_EQ(orientationForPicture(QSizeF(601, 600)), Landscape);
    // 11 × 8.5 inches: 8.5/11 of the height, or 11/8.5, whichever way the ratio is given.
    EXPECT_NEAR(innerWidthFor(1100, 11 / 8.5, Portrait), 850, 1e-9);
    EXPECT_NEAR(innerWidthFor(1100, 8.5 / 11, Portrait), 850, 1e-9);
    EXPECT_NEAR(innerWidthFor(850, 11 / 8.5, Landscape), 1100, 1e-9);
}

TEST(YearLayout, FitToPageKeepsProportionsAndFillsOneSide)
{
    struct Row {
        const char* name;
        QSizeF picture, printable, out;
    } const table[] = {
        {"portrait on portrait: width", {600, 800}, {575, 822}, {575, 766.6667}},
        {"tall on portrait: height", {300, 900}, {575, 822}, {274, 822}},
        {"landscape on portrait", {800, 600}, {575, 822}, {575, 431.25}},
        {"landscape on landscape: height", {800, 600}, {822, 575}, {766.6667, 575}},
        {"wide strip on landscape", {1000, 100}, {822, 575}, {822, 82.2}},
        {"same shape as the page", {575, 822}, {1150, 1644}, {1150, 1644}},
        {"empty picture", {0, 0}, {575, 822}, {0, 0}},
    };
    for (const auto& r : table) {
        SCOPED_TRACE(r.name);
        const QSizeF out = fitToPage(r.picture, r.printable);
        EXPECT_NEAR(out.width(), r.out.width(), 1e-3);
        EXPECT_NEAR(out.height(), r.out.height(), 1e-3);
    }
}

TEST(YearLayout, FitFontSizeTitleAndLegendRules)
{
    struct Row {
        const char* name;
        QSizeF box, text;
        double heightShare, widthLimit, widthShare, expected;
    } const table[] = {
        {"title fills 0.8 of the height", {200, 40}, {50, 20}, 0.8, 0.8, 0.9, 16},
        {"title exactly 0.8 wide stays", {200, 40}, {100, 20}, 0.8, 0.8, 0.9, 16},
        {"too wide title: 0.9 of the width", {200, 40}, {150, 20}, 0.8, 0.8, 0.9, 12},
        {"legend fills 0.9, then 0.8 of the slot", {100, 30}, {50, 10}, 0.9, 0.8, 0.8, 16},
        {"legend narrow enough", {100, 30}, {20, 10}, 0.9, 0.8, 0.8, 27},
    };
    for (const auto& r : table)
        EXPECT_NEAR(fitFontSize(10, r.box, r.text, r.heightShare, r.widthLimit, r.widthShare),
                    r.expected, 1e-4)
            << r.name;
}
