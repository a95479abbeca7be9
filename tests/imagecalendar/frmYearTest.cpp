// The image calendar window: arrangement, month chaining and navigation,
// the views and the months kept alike.
#include "imagecalendar/ImageCalendarTestSupport.h"
#include "mainwindow/FormPlacement.h"

#include <QMenu>
#include <QScreen>

TEST_F(ImageCalendarTest, OpensOnSixMonthsInPortraitAndScopeAndOrientationRebuild)
{
    auto f = shown();
    EXPECT_EQ(monthsShown(*f),
              QStringList({"2026-12+", "2027-01", "2027-02", "2027-03", "2027-04", "2027-05"}));
    auto layout = [&] {
        return facts(f->Orientation(), f->RowCount(), f->ColumnCount(),
                     menuFlags(*f, &QAction::isChecked,
                               {"mnuOrientationPick_1", "mnuOrientationPick_2", "mnuScopePick_6"}));
    };
    EXPECT_EQ(layout(), "1 3 2 101");
    // Portrait: 8.5 wide for 11 high, as tall as the screen allows; landscape:
    // 11 wide for 8.5, made smaller when it would be wider than the screen.
    const QRect screen = f->screen()->availableGeometry();
    const QSize inner = f->ClientArea()->size();
    EXPECT_NEAR(inner.width(), inner.height() * 8.5 / 11, 2);
    EXPECT_EQ(f->height(), screen.height() - kFrameAllowance.height());
    click(*f, "mnuOrientationPick_2");
    const QSize wide = f->ClientArea()->size();
    EXPECT_NEAR(wide.width(), wide.height() * 11 / 8.5, 2);
    ASSERT_GT(inner.height() * 11 / 8.5, screen.width()); // as tall as in portrait, too wide
    EXPECT_EQ(f->width(), screen.width() - kFrameAllowance.width());
    EXPECT_GE(f->x(), screen.left());
    EXPECT_LE(f->x() + f->width() + kFrameAllowance.width(), screen.right() + 1);
    EXPECT_EQ(layout(), "2 2 3 011");
    EXPECT_GT(f->Month(3)->y(), f->Month(2)->y()); // row by row

    click(*f, "mnuScopePick_1");
    EXPECT_EQ(monthsShown(*f), QStringList{"2026-12+"});
    click(*f, "mnuScopePick_12");
    EXPECT_EQ(monthsShown(*f).mid(10), QStringList({"2027-10", "2027-11"}));
    EXPECT_TRUE(f->Month(11)->isVisible());
    // New months are filled at once: 1 November 2027 is an odd day (R).
    EXPECT_EQ(dayAt(f->Month(11), QDate(2027, 11, 1))->ForeColor(), Red);
    // Landscape, three rows: the title band 1/18 of the inner height, the legend band 1/12.
    EXPECT_EQ(f->RowCount(), 3);
    const int h = f->ClientArea()->height();
    EXPECT_NEAR(f->findChild<QWidget*>("Picture1")->height(), h / 18.0, 1);
    EXPECT_NEAR(f->findChild<QWidget*>("Picture2")->height(), h / 12.0, 1);
}

TEST_F(ImageCalendarTest, NavigationMovesEveryMonthAndRepaintsKeepIt)
{
    auto f = shown();
    f->Month(0)->NextMonth();
    const QStringList next({"2027-01+", "2027-02", "2027-03", "2027-04", "2027-05", "2027-06"});
    EXPECT_EQ(monthsShown(*f), next);
    // Paints, a hide and a show again leave the user's months in place.
    f->grab();
    f->hide();
    f->show();
    QApplication::processEvents();
    EXPECT_EQ(monthsShown(*f), next);
    // Navigation in a later month is not chained.
    f->Month(2)->setFullDate(DayNumber::fromDate(QDate(2030, 1, 1)));
    EXPECT_EQ(monthsShown(*f)[0], next[0]);
    f->setFirstMonth(DayNumber::fromDate(QDate(2027, 12, 15)));
    EXPECT_EQ(monthsShown(*f)[1], "2028-01");
}

TEST_F(ImageCalendarTest, ShiftViewsFillTheCellsAndTheDescription)
{
    auto f = shown();
    // 1 December 2026: an even day (G) in shift 1, U in shift 2; 1 May 2027 odd (R) and M.
    const auto& first = dayAt(f->Month(0), QDate(2026, 12, 1));
    const auto& may = dayAt(f->Month(5), QDate(2027, 5, 1));
    auto view = [&] {
        return facts(menuFlags(*f, &QAction::isChecked,
                               {"mnuViewShiftPick_1", "mnuViewShiftPick_2", "mnuViewShiftPick_3"}),
                     f->ShiftIndex(), f->DescriptionText());
    };
    EXPECT_EQ(view(), "100 1 Days");
    EXPECT_EQ(first->ForeColor(), Green);

    f->setShiftView(2);
    EXPECT_EQ(view(), "010 2 Nights");
    EXPECT_EQ(first->ForeColor(), Blue);
    QStringList legend;
    for (const auto& t : f->Pane("picPlatoons")->Printed())
        legend << t.text;
    EXPECT_EQ(legend, QStringList({"U Blue", "M Magenta"}));

    f->setShiftView(3);
    EXPECT_EQ(view(), "001 1 Harbor Station description");
    EXPECT_EQ(facts(first->LeftCaption(), first->RightCaption(), may->RightCaption()), "G U M");
    EXPECT_EQ(facts(first->RightColor(), may->LeftColor()), facts(Blue, Red));
}

TEST_F(ImageCalendarTest, OneShiftScheduleAndSpecialPeriodItems)
{
    auto visible = [](const frmYear& f) {
        return menuFlags(f, &QAction::isVisible,
                         {"mnuViewShiftPick_1", "mnuViewShiftPick_2", "mnuViewShiftPick_3",
                          "mnuViewSpecialPeriod"});
    };
    auto f = open(MakeSchedule("Solo", {{"Only", "O", "Only crew", "12", {}}}));
    EXPECT_EQ(visible(*f), "1000"); // no special period: length 0

    auto g = open(TwoShiftSchedule(), 14);
    QAction* period = g->MenuAction("mnuViewSpecialPeriod");
    EXPECT_EQ(facts(visible(*g), period->text(), period->isChecked()), "1111 Pay Period false");
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
    auto f = shown();
    // Sunday first (en_US): 29 Nov 2026 (G) opens December's grid.
    EXPECT_EQ(f->Month(0)->Days().Item(1)->ForeColor(), Green);

    QAction* monday = f->Month(2)->mnuDebug()->findChild<QAction*>("mnuDebugFirstDayOfWeekPick2");
    ASSERT_NE(monday, nullptr);
    monday->trigger();

    // Per month: first cell and its platoon, first weekday, weekends shown,
    // and whether neighbouring days alternate all through the grid.
    QStringList got;
    for (int i = 0; i < 6; ++i) {
        const ctlMonth* m = f->Month(i);
        auto colour = [m](int k) { return m->Days().Item(k)->ForeColor(); };
        got << facts(DayNumber::toDate(m->StartDate()), colour(1) == Red ? "R" : "G",
                     m->FirstWeekday(), m->ShowWeekends(),
                     colour(1) == colour(41) && colour(2) == colour(42) && colour(1) != colour(2));
    }
    EXPECT_EQ(got, QStringList({"2026-11-30 R 2 true true", "2026-12-28 R 2 true true",
                                "2027-02-01 G 2 true true", "2027-03-01 G 2 true true",
                                "2027-03-29 G 2 true true", "2027-04-26 G 2 true true"}));

    // A full-grid toggle keeps today's tooltip.
    ctlMonth* dec = f->Month(0);
    dec->setShowFullGrid(!dec->ShowFullGrid());
    EXPECT_EQ(dayAt(dec, QDate(2026, 12, 6))->ToolTipText(), "R Red Today");
    EXPECT_EQ(f->Month(4)->ShowFullGrid(), dec->ShowFullGrid());
}

// A title megabytes long is fitted and drawn from what can show of it, and
// with no initials to fall back on it still shows its start.
TEST_F(ImageCalendarTest, AHugeTitleIsFittedFromWhatCanShow)
{
    const std::string title = "Station " + std::string(2'000'000, 'W');
    auto f = open(MakeSchedule("Big", {{title.c_str(), "", "Crew", "12", {}}}));
    f->show();
    const PicturePane* pane = f->Pane(QStringLiteral("picTitle"));
    ASSERT_EQ(pane->Printed().size(), 1u);
    const QString shown = pane->Printed().front().text;
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Station WWW")));
    EXPECT_LE(shown.size(), 8 * pane->width() + 8);
}
