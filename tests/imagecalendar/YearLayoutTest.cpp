// The image calendar's arithmetic against hand-worked figures (twips).
#include "imagecalendar/YearLayout.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace YearLayout;

TEST(YearLayout, ArrangementByScopeAndOrientation)
{
    struct Row {
        int count, rows, columns; // portrait; landscape swaps the two
    } const table[] = {{1, 1, 1}, {2, 2, 1}, {3, 3, 1}, {4, 2, 2}, {6, 3, 2}, {12, 4, 3}};
    for (const auto& r : table) {
        const auto tall = arrangement(r.count, Portrait);
        const auto wide = arrangement(r.count, Landscape);
        ASSERT_TRUE(tall && wide) << r.count;
        EXPECT_EQ(tall->rows, r.rows) << r.count;
        EXPECT_EQ(tall->columns, r.columns) << r.count;
        EXPECT_EQ(wide->rows, r.columns) << r.count;
        EXPECT_EQ(wide->columns, r.rows) << r.count;
    }
    for (int refused : {0, 5, 7, 11, 13, -1})
        EXPECT_FALSE(arrangement(refused, Portrait)) << refused;
}

TEST(YearLayout, BandHeightsFollowTheRowCount)
{
    struct Row {
        const char* name;
        int rows;
        double height, title, legend;
    } const table[] = {
        {"four rows: 1/20 and 1/14", 4, 2800, 140, 200},
        {"one row: 1/14 and 1/8", 1, 2800, 200, 350},
        {"three rows: 1/18 and 1/12", 3, 3600, 200, 300},
        {"two rows: 1/16 and 1/10", 2, 8000, 500, 800},
    };
    for (const auto& r : table) {
        const Bands b = bands(r.height, r.rows);
        EXPECT_DOUBLE_EQ(b.title, r.title) << r.name;
        EXPECT_DOUBLE_EQ(b.legend, r.legend) << r.name;
    }
}

TEST(YearLayout, MonthGridHasSixtyTwipMarginsAndGaps)
{
    // 3090 × 2090 in 2 rows of 3: cells of 940 × 940.
    const auto rects = monthRects(QSizeF(3090, 2090), 2, 3, 6);
    ASSERT_EQ(rects.size(), 6u);
    EXPECT_EQ(rects[0], QRectF(60, 60, 940, 940));
    EXPECT_EQ(rects[2], QRectF(2060, 60, 940, 940));   // last column
    EXPECT_EQ(rects[4], QRectF(1060, 1060, 940, 940)); // row by row
    // A cell size of x.5 rounds to the even neighbour.
    EXPECT_EQ(monthRects(QSizeF(411, 500), 1, 2, 1)[0].width(), 100);
    EXPECT_EQ(monthRects(QSizeF(413, 500), 1, 2, 1)[0].width(), 102);
    EXPECT_TRUE(monthRects(QSizeF(3000, 2000), 0, 3, 6).empty());
    EXPECT_TRUE(monthRects(QSizeF(3000, 2000), 2, 0, 6).empty());
}

TEST(YearLayout, TitleAndLegendBoxes)
{
    EXPECT_EQ(titleBox(QSizeF(3000, 400)), QRectF(60, 60, 2850, 310));
    const LegendBoxes b = legendBoxes(QSizeF(3000, 1000), 15, 15);
    EXPECT_EQ(b.frame, QRectF(60, 30, 2850, 880));
    EXPECT_EQ(b.platoons, QRectF(90, 60, 2805, 395));
    EXPECT_EQ(b.description, QRectF(90, 500, 2805, 395));
}

TEST(YearLayout, PageRatioAndWindowShape)
{
    EXPECT_DOUBLE_EQ(pageRatio(0, 612), DefaultPageRatio);
    EXPECT_DOUBLE_EQ(pageRatio(0, 0), DefaultPageRatio);
    EXPECT_DOUBLE_EQ(pageRatio(std::nan(""), 612), DefaultPageRatio);
    EXPECT_NEAR(pageRatio(822, 575), 1.4296, 1e-4); // A4 less 10 pt margins
    EXPECT_EQ(orientationForRatio(1.0), Portrait);
    EXPECT_EQ(orientationForRatio(0.99), Landscape);
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
        {"portrait picture, portrait page: width limits", {600, 800}, {575, 822}, {575, 766.6667}},
        {"tall picture, portrait page: height limits", {300, 900}, {575, 822}, {274, 822}},
        {"landscape picture, portrait page", {800, 600}, {575, 822}, {575, 431.25}},
        {"landscape picture, landscape page: height limits",
         {800, 600},
         {822, 575},
         {766.6667, 575}},
        {"wide strip, landscape page", {1000, 100}, {822, 575}, {822, 82.2}},
        {"same shape as the page", {575, 822}, {1150, 1644}, {1150, 1644}},
        {"empty picture", {0, 0}, {575, 822}, {0, 0}},
    };
    for (const auto& r : table) {
        const QSizeF out = fitToPage(r.picture, r.printable);
        EXPECT_NEAR(out.width(), r.out.width(), 1e-3) << r.name;
        EXPECT_NEAR(out.height(), r.out.height(), 1e-3) << r.name;
    }
    EXPECT_EQ(orientationForPicture(QSizeF(600, 600)), Portrait);
    EXPECT_EQ(orientationForPicture(QSizeF(601, 600)), Landscape);
}

TEST(YearLayout, FitFontSizeTitleAndLegendRules)
{
    struct Row {
        const char* name;
        double size;
        QSizeF box, text;
        double heightShare, widthLimit, widthShare, expected;
    } const table[] = {
        {"title fills 0.8 of the height", 10, {200, 40}, {50, 20}, 0.8, 0.8, 0.9, 16},
        {"title exactly 0.8 wide stays", 10, {200, 40}, {100, 20}, 0.8, 0.8, 0.9, 16},
        {"too wide title: 0.9 of the width", 10, {200, 40}, {150, 20}, 0.8, 0.8, 0.9, 12},
        {"legend fills 0.9, then 0.8 of the slot", 10, {100, 30}, {50, 10}, 0.9, 0.8, 0.8, 16},
        {"legend narrow enough", 10, {100, 30}, {20, 10}, 0.9, 0.8, 0.8, 27},
    };
    for (const auto& r : table)
        EXPECT_NEAR(fitFontSize(r.size, r.box, r.text, r.heightShare, r.widthLimit, r.widthShare),
                    r.expected, 1e-4)
            << r.name;
}
