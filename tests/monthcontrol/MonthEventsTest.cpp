// Event orders of clicks, keys, navigation and the popup menu, recorded from the signals.
#include "MonthTestSupport.h"

#include "platform/widgets/OleColor.h"
#include "support/Pixels.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

using MonthEvents = MonthFixture;

TEST_F(MonthEvents, ShowingAnnouncesTodaysMonthOverALoadedOne)
{
    fakes.clockFake->setToday(QDate(2011, 7, 19));
    auto m = std::make_unique<TestMonth>();
    m->ReadProperties({{"TheYear", 1999}, {"TheMonth", 7}, {"FullDate", dn(1999, 7, 1)}});
    EXPECT_EQ(m->TheYear(), 1999);
    SignalLog log(*m);
    m->resize(400, 300);
    m->show();
    EXPECT_EQ(log.take(), QStringList({"DateChange", "Show"}));
    EXPECT_EQ(m->FullDate(), dn(2011, 7, 1));
    EXPECT_EQ(m->TheYear(), 2011);
    EXPECT_TRUE(m->IsShown());
    // Friday 1 July is cell 6 of the Sunday-first grid, so the 19th is cell 24.
    EXPECT_EQ(m->Days().Item(24)->ToolTipText(), "Today");
    EXPECT_EQ(m->Days().Item(25)->ToolTipText(), "");
}

TEST_F(MonthEvents, ClicksSelectDaysUnderAFocusRectangle)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    m->Repaint(); // a paint clears the rectangle: none may be due while it shows
    // Dots of the foreground colour along the rectangle's top edge, as the widget shows it.
    const auto onTop = [&] {
        const QRgb fore = OleColor::toQColor(m->ForeColor(), m->palette()).rgb();
        const auto r = m->FocusRectangle();
        const QRect edge(r.x1 / 15, int(std::lround(r.y1 / m->TwipsPerPixelY())),
                         (r.x2 - r.x1) / 15, 1);
        return countPixels(m->grab().toImage(), edge,
                           [&](const QColor& c) { return c.rgb() == fore; });
    };
    SignalLog log(*m);
    const QPointF day = cellCentre(*m, 3, 2); // Tuesday 4 March
    sendMouse(m.get(), QEvent::MouseButtonPress, day);
    EXPECT_TRUE(m->FocusRectShown());
    const int shown = onTop();
    sendMouse(m.get(), QEvent::MouseButtonRelease, day);
    EXPECT_FALSE(m->FocusRectShown());
    EXPECT_GT(shown, onTop() + 20);
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

    // In the strip right of the grid (pixel 701): two pixels inside column 7,
    // selecting column 0.
    sendMouse(m.get(), QEvent::MouseButtonPress, QPointF(701, 3.5 * 60));
    const auto r = m->FocusRectangle();
    EXPECT_EQ(QList<int>({r.x1, r.y1, r.x2, r.y2}), QList<int>({10530, 2730, 11970, 3570}));
    EXPECT_EQ(log.take().first(), "SelectionChange(2008-03-02)");
    sendMouse(m.get(), QEvent::MouseButtonRelease, QPointF(701, 3.5 * 60));

    // Double-click: press, release, click, double-click, release.
    clickAt(m.get(), day);
    log.take();
    sendMouse(m.get(), QEvent::MouseButtonDblClick, day);
    EXPECT_TRUE(m->FocusRectShown());
    sendMouse(m.get(), QEvent::MouseButtonRelease, day);
    EXPECT_FALSE(m->FocusRectShown());
    EXPECT_EQ(log.take(), QStringList({"DblClick", "MouseUp(1)"}));
}

TEST_F(MonthEvents, PointerShowsTheCellsTooltipAndKeysAreHandedOn)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    m->Days().Item(10)->setToolTipText("Platoon B");
    int moves = 0;
    QObject::connect(m.get(), &ctlMonth::MouseMove, [&] { ++moves; });
    sendMouse(m.get(), QEvent::MouseMove, cellCentre(*m, 3, 2), Qt::NoButton);
    EXPECT_EQ(m->toolTip(), "Platoon B");
    sendMouse(m.get(), QEvent::MouseMove, cellCentre(*m, 0, 2), Qt::NoButton);
    EXPECT_TRUE(m->toolTip().isEmpty());
    EXPECT_EQ(moves, 2);

    QList<int> keys;
    QObject::connect(m.get(), &ctlMonth::KeyDown, [&](int16_t k, int16_t s) { keys << k << s; });
    QObject::connect(m.get(), &ctlMonth::KeyPress, [&](int16_t c) { keys << c; });
    QObject::connect(m.get(), &ctlMonth::KeyUp, [&](int16_t k, int16_t s) { keys << -k << s; });
    QKeyEvent down(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A");
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Left, Qt::ControlModifier);
    QApplication::sendEvent(m.get(), &down);
    QApplication::sendEvent(m.get(), &up);
    EXPECT_EQ(keys, QList<int>({65, 1, 65, -37, 2}));
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
    // Without buttons the title is no target.
    m->setShowButtons(false);
    m->setFullDate(dn(2009, 6, 1));
    log.take();
    EXPECT_EQ(title(3), click);
    EXPECT_EQ(m->FullDate(), dn(2009, 6, 1));
}

TEST_F(MonthEvents, NavigationPictures)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    EXPECT_EQ(QStringList({m->imgNav(0)->toolTip(), m->imgNav(1)->toolTip(),
                           m->imgNav(2)->toolTip(), m->imgNav(3)->toolTip()}),
              QStringList({"Previous Year", "Previous Month", "Next Month", "Next Year"}));
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
    EXPECT_EQ(m->TheMonth(), 11);
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
    EXPECT_EQ(m->mnuDebug()->title(), "&Debug");

    const auto action = [&](const char* name) { return m->findChild<QAction*>(name); };
    action("mnuDebugBoldFont")->trigger();
    EXPECT_FALSE(m->FontBold());
    for (const char* name : {"mnuDebugBoldFont", "mnuDebugFitRows", "mnuDebugButtons"})
        action(name)->trigger();
    EXPECT_EQ(
        QList<bool>({m->FontBold(), m->FitRows(), m->ShowButtons(), m->imgNav(0)->isVisible()}),
        QList<bool>({true, true, false, false}));
    EXPECT_EQ(log.take(), QStringList({"SettingChange(FontBold)", "SettingChange(FontBold)",
                                       "SettingChange(FitRows)", "SettingChange(ShowButtons)"}));

    // A first weekday from the menu turns the weekends on first.
    action("mnuDebugFirstDayOfWeekPick2")->trigger();
    EXPECT_EQ(m->FirstWeekday(), 2);
    EXPECT_EQ(QList<bool>({m->ShowWeekends(), action("mnuDebugWeekends")->isChecked(),
                           action("mnuDebugFirstDayOfWeekPick2")->isChecked(),
                           action("mnuDebugFirstDayOfWeekPick0")->isChecked()}),
              QList<bool>({true, true, true, false}));
    EXPECT_EQ(log.take(),
              QStringList({"SettingChange(ShowWeekends)", "SettingChange(FirstWeekday)"}));

    // A setter puts an entry out of step back, even when the value stays.
    action("mnuDebugFitRows")->setChecked(false);
    m->setFitRows(true);
    EXPECT_TRUE(action("mnuDebugFitRows")->isChecked());
    EXPECT_TRUE(log.take().isEmpty());

    // Full grid is offered for single cells only; fit rows hides with a fixed grid.
    m->setCellSplit(2);
    EXPECT_FALSE(action("mnuDebugFullGrid")->isEnabled());
    m->setCellSplit(1);
    EXPECT_TRUE(action("mnuDebugFullGrid")->isEnabled());
    m->setFixedGrid(true);
    EXPECT_FALSE(action("mnuDebugFitRows")->isVisible());
}
