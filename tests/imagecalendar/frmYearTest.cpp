// The image calendar window: arrangement, month chaining and navigation,
// the views and the months kept alike.
#include "imagecalendar/ImageCalendarTestSupport.h"

#include <QMenu>

namespace {
QStringList monthsShown(const frmYear& f)
{
    QStringList l;
    for (int i = 0; i < f.LoadedMonths(); ++i)
        l << dateOf(f.Month(i)->FullDate()).toString(QStringLiteral("yyyy-MM"));
    return l;
}
} // namespace

TEST_F(ImageCalendarTest, OpensOnSixMonthsFromThisMonthInPortraitWithoutAPrinter)
{
    auto f = open();
    f->show();
    EXPECT_EQ(f->windowTitle(), "Image Calendar");
    EXPECT_DOUBLE_EQ(f->PageRatio(), 11 / 8.5);
    EXPECT_EQ(f->Orientation(), 1);
    EXPECT_EQ(f->MonthCount(), 6);
    EXPECT_EQ(monthsShown(*f),
              QStringList({"2026-12", "2027-01", "2027-02", "2027-03", "2027-04", "2027-05"}));
    EXPECT_TRUE(f->Month(0)->ShowButtons());
    for (int i = 1; i < 6; ++i)
        EXPECT_FALSE(f->Month(i)->ShowButtons()) << i;
    EXPECT_TRUE(f->MenuAction("mnuScopePick_6")->isChecked());
    EXPECT_TRUE(f->MenuAction("mnuOrientationPick_1")->isChecked());
    // Portrait: 8.5 wide for 11 high.
    const QSize inner = f->ClientArea()->size();
    EXPECT_NEAR(inner.width(), inner.height() * 8.5 / 11, 2);

    // Landscape: the same height, wider by 11/8.5 squared; 2 rows of 3.
    const int height = f->height();
    click(*f, "mnuOrientationPick_2");
    EXPECT_EQ(f->height(), height);
    EXPECT_NEAR(f->ClientArea()->width(), inner.height() * 11 / 8.5, 2);
    EXPECT_EQ(f->RowCount(), 2);
    EXPECT_EQ(f->ColumnCount(), 3);
    EXPECT_TRUE(f->MenuAction("mnuOrientationPick_2")->isChecked());
    EXPECT_GT(f->Month(3)->y(), f->Month(2)->y()); // row by row
}

TEST_F(ImageCalendarTest, ScopeRebuildsTheMonthsAndTheBandsFollowTheRows)
{
    auto f = open();
    f->show();
    click(*f, "mnuScopePick_12");
    ASSERT_EQ(f->LoadedMonths(), 12);
    EXPECT_EQ(f->RowCount(), 4);
    EXPECT_EQ(monthsShown(*f).last(), "2027-11");
    // Four rows: the title band 1/20 of the inner height, the legend band 1/14.
    const int h = f->ClientArea()->height();
    EXPECT_NEAR(f->findChild<QWidget*>("Picture1")->height(), h / 20.0, 1);
    EXPECT_NEAR(f->findChild<QWidget*>("Picture2")->height(), h / 14.0, 1);

    click(*f, "mnuScopePick_1");
    EXPECT_EQ(f->LoadedMonths(), 1);
    EXPECT_FALSE(f->MenuAction("mnuScopePick_12")->isChecked());
    EXPECT_TRUE(f->MenuAction("mnuScopePick_1")->isChecked());

    click(*f, "mnuScopePick_12");
    ASSERT_EQ(f->LoadedMonths(), 12);
    for (int i = 1; i < 12; ++i)
        EXPECT_TRUE(f->Month(i)->isVisible() && !f->Month(i)->ShowButtons()) << i;
    // New months are filled at once: 1 November 2027 is an odd day (R).
    ctlMonth* nov = f->Month(11);
    EXPECT_EQ(
        nov->Days().Item(nov->CellOfDate(DayNumber::fromDate(QDate(2027, 11, 1))))->ForeColor(),
        Red);

    f->setMonthCount(5); // not a scope: ignored
    EXPECT_EQ(f->LoadedMonths(), 12);
}

TEST_F(ImageCalendarTest, NavigationMovesEveryMonthAndRepaintsKeepIt)
{
    auto f = open();
    f->show();
    f->Month(0)->NextMonth();
    EXPECT_EQ(monthsShown(*f),
              QStringList({"2027-01", "2027-02", "2027-03", "2027-04", "2027-05", "2027-06"}));
    // Paints, a hide and a show again leave the user's months in place.
    f->update();
    f->grab();
    QApplication::processEvents();
    f->hide();
    f->show();
    QApplication::processEvents();
    EXPECT_EQ(monthsShown(*f).first(), "2027-01");
    EXPECT_EQ(monthsShown(*f).last(), "2027-06");

    // Navigation in a later month is not chained.
    f->Month(2)->setFullDate(DayNumber::fromDate(QDate(2030, 1, 1)));
    EXPECT_EQ(monthsShown(*f).first(), "2027-01");

    f->setFirstMonth(DayNumber::fromDate(QDate(2027, 12, 15)));
    EXPECT_EQ(monthsShown(*f)[1], "2028-01");
}

TEST_F(ImageCalendarTest, ShiftViewsFillTheCellsAndTheDescription)
{
    auto f = open();
    f->show();
    EXPECT_EQ(f->MenuAction("mnuViewShiftPick_1")->text(), "Days");
    EXPECT_EQ(f->MenuAction("mnuViewShiftPick_2")->text(), "Nights");
    EXPECT_TRUE(f->MenuAction("mnuViewShiftPick_1")->isChecked());
    EXPECT_EQ(f->DescriptionText(), "Days");
    ctlMonth* dec = f->Month(0);
    const int first = dec->CellOfDate(DayNumber::fromDate(QDate(2026, 12, 1)));
    // 1 December 2026: an even day (G) in shift 1, U in shift 2.
    EXPECT_EQ(dec->Days().Item(first)->ForeColor(), Green);
    EXPECT_EQ(dec->Days().Item(first)->ToolTipText(), "G Green");
    const int today = dec->CellOfDate(DayNumber::fromDate(QDate(2026, 12, 6)));
    EXPECT_EQ(dec->Days().Item(today)->ToolTipText(), "R Red Today");

    f->setShiftView(2);
    EXPECT_EQ(f->ShiftIndex(), 2);
    EXPECT_EQ(f->DescriptionText(), "Nights");
    EXPECT_TRUE(f->MenuAction("mnuViewShiftPick_2")->isChecked());
    EXPECT_EQ(dec->Days().Item(first)->ForeColor(), Blue);
    QStringList legend;
    for (const auto& t : f->Pane("picPlatoons")->Printed())
        legend << t.text;
    EXPECT_EQ(legend, QStringList({"U Blue", "M Magenta"}));

    f->setShiftView(3);
    EXPECT_EQ(f->ShiftIndex(), 1);
    EXPECT_EQ(f->DescriptionText(), "Harbor Station description");
    for (int i = 0; i < f->LoadedMonths(); ++i)
        EXPECT_EQ(f->Month(i)->CellSplit(), 2) << i;
    const auto& split = dec->Days().Item(first);
    EXPECT_EQ(split->LeftCaption(), "G");
    EXPECT_EQ(split->RightCaption(), "U");
    EXPECT_EQ(split->RightColor(), Blue);
    // May 2027 in the last month: 1 May is odd (R) and M in shift 2.
    ctlMonth* may = f->Month(5);
    const auto& mayFirst =
        may->Days().Item(may->CellOfDate(DayNumber::fromDate(QDate(2027, 5, 1))));
    EXPECT_EQ(mayFirst->LeftColor(), Red);
    EXPECT_EQ(mayFirst->RightCaption(), "M");
    EXPECT_EQ(f->Pane("picDescription")->Printed().at(0).text, "Harbor Station description");
}

TEST_F(ImageCalendarTest, OneShiftScheduleAndSpecialPeriodItems)
{
    auto oneShift = MakeSchedule(QStringLiteral("Solo"),
                                 {{"Only", "O", "Only crew", "12", {{"A", "Alpha", Red}}}});
    auto s = source(oneShift);
    s.shiftIndex = 1;
    auto f = open(s);
    EXPECT_EQ(f->MenuAction("mnuViewShiftPick_1")->text(), "Only crew");
    EXPECT_TRUE(f->MenuAction("mnuViewShiftPick_1")->isVisible());
    EXPECT_FALSE(f->MenuAction("mnuViewShiftPick_2")->isVisible());
    EXPECT_FALSE(f->MenuAction("mnuViewShiftPick_3")->isVisible());
    EXPECT_FALSE(f->MenuAction("mnuViewSpecialPeriod")->isVisible()); // length 0

    auto two = source();
    two.specialPeriodLength = 14;
    two.specialPeriodOffset = 3;
    two.specialPeriodName = QStringLiteral("Pay Period");
    auto g = open(two);
    QAction* period = g->MenuAction("mnuViewSpecialPeriod");
    EXPECT_TRUE(period->isVisible());
    EXPECT_EQ(period->text(), "Pay Period");
    EXPECT_FALSE(period->isChecked());
    EXPECT_EQ(g->Month(3)->SpecialPeriodLength(), 0);
    period->trigger();
    for (int i = 0; i < g->LoadedMonths(); ++i)
        EXPECT_EQ(g->Month(i)->SpecialPeriodLength(), 14) << i;
    period->trigger();
    EXPECT_EQ(g->Month(3)->SpecialPeriodLength(), 0);
}

// Weekends off, a first weekday picked in a later month: that month first
// turns weekends on (its report reaches month 0 and every month before the
// month has laid out its new days), then the weekday. Every month must end
// with cells filled for the dates they now show.
TEST_F(ImageCalendarTest, FirstWeekdayPickedInALaterMonthRefillsEveryMonth)
{
    auto f = open();
    f->show();
    for (int i = 0; i < 6; ++i)
        ASSERT_FALSE(f->Month(i)->ShowWeekends());
    // Sunday first (en_US): 29 Nov 2026 (G) opens December's grid.
    EXPECT_EQ(f->Month(0)->Days().Item(1)->ForeColor(), Green);

    QAction* monday = f->Month(2)->mnuDebug()->findChild<QAction*>("mnuDebugFirstDayOfWeekPick2");
    ASSERT_NE(monday, nullptr);
    monday->trigger();

    // Monday first cells: 30 Nov, 28 Dec 2026 (odd: R); 1 Feb, 1 Mar, 29 Mar, 26 Apr 2027 (G).
    const QDate firstCells[] = {{2026, 11, 30}, {2026, 12, 28}, {2027, 2, 1},
                                {2027, 3, 1},   {2027, 3, 29},  {2027, 4, 26}};
    const int32_t colours[] = {Red, Red, Green, Green, Green, Green};
    for (int i = 0; i < 6; ++i) {
        ctlMonth* m = f->Month(i);
        EXPECT_EQ(m->FirstWeekday(), 2) << i;
        EXPECT_TRUE(m->ShowWeekends()) << i;
        EXPECT_EQ(dateOf(m->StartDate()), firstCells[i]) << i;
        EXPECT_EQ(m->Days().Item(1)->ForeColor(), colours[i]) << i;
        // Neighbouring days alternate all through the grid.
        EXPECT_NE(m->Days().Item(41)->ForeColor(), m->Days().Item(42)->ForeColor()) << i;
        EXPECT_EQ(m->Days().Item(2)->ForeColor(), m->Days().Item(42)->ForeColor()) << i;
        EXPECT_EQ(m->Days().Item(1)->ForeColor(), m->Days().Item(41)->ForeColor()) << i;
    }
    EXPECT_TRUE(f->Month(0)->ShowButtons());
    EXPECT_FALSE(f->Month(2)->ShowButtons());

    // A full-grid toggle keeps today's tooltip.
    f->Month(0)->setShowFullGrid(!f->Month(0)->ShowFullGrid());
    ctlMonth* dec = f->Month(0);
    EXPECT_EQ(
        dec->Days().Item(dec->CellOfDate(DayNumber::fromDate(QDate(2026, 12, 6))))->ToolTipText(),
        "R Red Today");
    EXPECT_EQ(f->Month(4)->ShowFullGrid(), dec->ShowFullGrid());
}
