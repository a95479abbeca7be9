// The image calendar's arithmetic against hand-worked figures (twips).
#include "imagecalendar/YearLayout.h"
#include "imagecalendar/ImageCalendarTestSupport.h"
#include "support/DataFiles.h"

#include <cmath>

using namespace YearLayout;

TEST(YearLayout, ArrangementByScopeAndOrientation)
{
    // Count, rows and columns portrait, then landscape; or which are refused.
    QStringList got;
    for (int n : {1, 2, 3, 4, 6, 12, 0, 5, 13}) {
        const auto t = arrangement(n, Portrait), w = arrangement(n, Landscape);
        got << (t && w ? facts(n, t->rows, t->columns, w->rows, w->columns) : facts(n, !t, !w));
    }
    EXPECT_EQ(got, QStringList({"1 1 1 1 1", "2 2 1 1 2", "3 3 1 1 3", "4 2 2 2 2", "6 3 2 2 3",
                                "12 4 3 3 4", "0 true true", "5 true true", "13 true true"}));
}

TEST(YearLayout, PageRatioAndWindowShape)
{
    const double d = DefaultPageRatio;
    EXPECT_EQ(facts(pageRatio(0, 612), pageRatio(std::nan(""), 612)), facts(d, d)); // no printer
    EXPECT_NEAR(pageRatio(822, 575), 1.4296, 1e-4); // A4 less 10 pt margins
    EXPECT_EQ(facts(orientationForRatio(1.0), orientationForRatio(0.99)),
              facts(Portrait, Landscape));
    EXPECT_EQ(
        facts(orientationForPicture(QSizeF(600, 600)), orientationForPicture(QSizeF(601, 600))),
        facts(Portrait, Landscape));
    // 11 × 8.5 inches whichever way the ratio is given; the window test checks the landscape side.
    EXPECT_NEAR(innerWidthFor(1100, 11 / 8.5, Portrait), 850, 1e-9);
    EXPECT_NEAR(innerWidthFor(1100, 8.5 / 11, Portrait), 850, 1e-9);
}

TEST(YearLayout, FitToPageKeepsProportionsAndFillsOneSide)
{
    auto size = [](const QString& s) {
        return QSizeF(s.section(' ', 0, 0).toDouble(), s.section(' ', 1, 1).toDouble());
    };
    for (const QStringList& row : dataRows(QStringLiteral("imagecalendar/data/fit_to_page.txt"))) {
        SCOPED_TRACE(row.join(QLatin1Char('|')).toStdString());
        const QSizeF out = fitToPage(size(row.value(0)), size(row.value(1)));
        EXPECT_NEAR(out.width(), size(row.value(2)).width(), 1e-3);
        EXPECT_NEAR(out.height(), size(row.value(2)).height(), 1e-3);
    }
}
