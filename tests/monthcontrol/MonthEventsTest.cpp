// Event orders of clicks, navigation and the popup menu, recorded from the signals.
#include "MonthTestSupport.h"

#include <QAction>

using MonthEvents = MonthFixture;

TEST_F(MonthEvents, ShowingAnnouncesTodaysMonthOverALoadedOne)
{
    fakes.clockFake->setToday(QDate(2011, 7, 19));
    auto m = std::make_unique<TestMonth>();
    m->ReadProperties({{"TheYear", 1999}, {"TheMonth", 7}, {"FullDate", dn(1999, 7, 1)}});
    SignalLog log(*m);
    m->resize(400, 300);
    m->show();
    EXPECT_EQ(log.take(), QStringList({"DateChange", "Show"}));
    EXPECT_EQ(m->FullDate(), dn(2011, 7, 1));
    // Friday 1 July is cell 6 of the Sunday-first grid, so the 19th is cell 24.
    EXPECT_EQ(m->Days().Item(24)->ToolTipText(), "Today");
    EXPECT_EQ(m->Days().Item(25)->ToolTipText(), "");
}

TEST_F(MonthEvents, ClicksSelectDaysUnderAFocusRectangleAndThePointerShowsTooltips)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    SignalLog log(*m);
    const QPointF day = cellCentre(*m, 3, 2); // Tuesday 4 March
    sendMouse(m.get(), QEvent::MouseButtonPress, day);
    EXPECT_TRUE(m->FocusRectShown());
    sendMouse(m.get(), QEvent::MouseButtonRelease, day);
    EXPECT_FALSE(m->FocusRectShown());
    EXPECT_EQ(log.take(),
              QStringList({"SelectionChange(2008-03-04)", "MouseDown(1)", "MouseUp(1)", "Click"}));
    EXPECT_EQ(m->SelectedIndex(), 10);
    // A leading day reports its own date; the month stays.
    clickAt(m.get(), cellCentre(*m, 2, 0));
    EXPECT_EQ(log.take().first(), "SelectionChange(2008-02-24)");
    EXPECT_EQ(m->FullDate(), dn(2008, 3, 1));
    // The weekday row is no day.
    clickAt(m.get(), cellCentre(*m, 1, 3));
    EXPECT_EQ(log.take(), QStringList({"MouseDown(1)", "MouseUp(1)", "Click"}));

    // Double-click: press, release, click, double-click, release.
    clickAt(m.get(), day);
    log.take();
    sendMouse(m.get(), QEvent::MouseButtonDblClick, day);
    EXPECT_TRUE(m->FocusRectShown());
    sendMouse(m.get(), QEvent::MouseButtonRelease, day);
    EXPECT_FALSE(m->FocusRectShown());
    EXPECT_EQ(log.take(), QStringList({"DblClick", "MouseUp(1)"}));

    // The pointer shows the tooltip of the cell under it.
    m->Days().Item(10)->setToolTipText("Platoon B");
    sendMouse(m.get(), QEvent::MouseMove, cellCentre(*m, 3, 2), Qt::NoButton);
    EXPECT_EQ(m->toolTip(), "Platoon B");
    sendMouse(m.get(), QEvent::MouseMove, cellCentre(*m, 0, 2), Qt::NoButton);
    EXPECT_TRUE(m->toolTip().isEmpty());
}

TEST_F(MonthEvents, TitleClickJumpsToToday)
{
    auto m = makeMonth(702, 482); // today's month, announced by Show only
    SignalLog log(*m);
    const auto title = [&](int col) {
        clickAt(m.get(), cellCentre(*m, 0, col));
        return log.take();
    };
    const QStringList click{"MouseDown(1)", "MouseUp(1)", "Click"};
    const QStringList jump = QStringList{"DateChange", "SettingChange(FullDate)"} + click;
    EXPECT_EQ(title(3), jump); // the first title click after Show announces the month again
    EXPECT_EQ(title(2), QStringList({"SettingChange(FullDate)"}) + click);
    m->setFullDate(dn(2009, 6, 1));
    log.take();
    EXPECT_EQ(title(5), click); // beyond the middle columns
    EXPECT_EQ(title(4), jump);
    EXPECT_EQ(m->FullDate(), dn(2008, 3, 1));
}

TEST_F(MonthEvents, NavigationPictures)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    SignalLog log(*m);
    // Picture, button, keys held, the month shown after.
    for (const auto& [index, button, mods, expected] :
         {std::tuple{2, Qt::LeftButton, Qt::KeyboardModifiers(), QDate(2008, 4, 1)},
          {3, Qt::LeftButton, {}, {2009, 4, 1}},
          {1, Qt::RightButton, {}, {2009, 3, 1}},                 // any button navigates
          {2, Qt::LeftButton, Qt::ControlModifier, {2009, 9, 1}}, // Ctrl alone: six months
          {2, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, {2009, 10, 1}},
          {0, Qt::MiddleButton, Qt::ControlModifier, {2004, 10, 1}}, // five years
          {0, Qt::LeftButton, {}, {2003, 10, 1}}}) {
        SCOPED_TRACE(index);
        clickAt(m->imgNav(index), QPointF(2, 2), button, mods);
        EXPECT_EQ(m->FullDate(), DayNumber::fromDate(expected));
        EXPECT_EQ(log.take(), QStringList({"DateChange", "SettingChange(FullDate)"}));
    }

    // A double-click is one press and one double-click: one step, not two.
    m->setFullDate(dn(2008, 3, 1));
    clickAt(m->imgNav(2), QPointF(2, 2));
    sendMouse(m->imgNav(2), QEvent::MouseButtonDblClick, QPointF(2, 2));
    sendMouse(m->imgNav(2), QEvent::MouseButtonRelease, QPointF(2, 2));
    EXPECT_EQ(m->FullDate(), dn(2008, 4, 1));

    // December 9999 has no month after it to close its grid: refused whole.
    m->setFullDate(dn(9999, 11, 1));
    const double start = m->StartDate();
    clickAt(m->imgNav(2), QPointF(2, 2));
    EXPECT_EQ(m->FullDate(), dn(9999, 11, 1));
    EXPECT_EQ(m->Days().Item(1)->FullDate(), start);

    // January 1970 is the floor: going back changes nothing and says nothing.
    m->setFullDate(dn(1970, 1, 1));
    log.take();
    clickAt(m->imgNav(1), QPointF(2, 2));
    clickAt(m->imgNav(0), QPointF(2, 2), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(m->FullDate(), dn(1970, 1, 1));
    EXPECT_TRUE(log.take().isEmpty());
}

TEST_F(MonthEvents, RightClickOpensThePopupMenuWhoseEntriesFlipTheirProperties)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    SignalLog log(*m);
    clickAt(m.get(), cellCentre(*m, 4, 4), Qt::RightButton);
    EXPECT_EQ(m->popups, 1);
    EXPECT_EQ(log.take(), QStringList({"MouseDown(2)", "MouseUp(2)"}));
    EXPECT_FALSE(m->FocusRectShown());

    const auto action = [&](const char* name) { return m->findChild<QAction*>(name); };
    for (const char* name : {"mnuDebugBoldFont", "mnuDebugFitRows", "mnuDebugButtons"})
        action(name)->trigger();
    EXPECT_EQ(
        QList<bool>({m->FontBold(), m->FitRows(), m->ShowButtons(), m->imgNav(0)->isVisible()}),
        QList<bool>({false, true, false, false}));
    EXPECT_EQ(log.take(), QStringList({"SettingChange(FontBold)", "SettingChange(FitRows)",
                                       "SettingChange(ShowButtons)"}));

    // A first weekday from the menu turns the weekends on first.
    action("mnuDebugFirstDayOfWeekPick2")->trigger();
    EXPECT_EQ(m->FirstWeekday(), 2);
    EXPECT_TRUE(m->ShowWeekends());
    EXPECT_TRUE(action("mnuDebugWeekends")->isChecked());
    EXPECT_EQ(log.take(),
              QStringList({"SettingChange(ShowWeekends)", "SettingChange(FirstWeekday)"}));
}
