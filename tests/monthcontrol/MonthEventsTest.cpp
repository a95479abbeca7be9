// Event orders of clicks, navigation and the popup menu, recorded from the signals.
#include "MonthTestSupport.h"

#include "platform/widgets/OleColor.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

using MonthEvents = MonthFixture;

TEST_F(MonthEvents, ShowingAnnouncesTodaysMonth)
{
    fakes.clockFake->setToday(QDate(2011, 7, 19));
    auto m = std::make_unique<TestMonth>();
    SignalLog log(*m);
    m->resize(400, 300);
    m->show();
    EXPECT_EQ(log.take(), QStringList({"DateChange", "Show"}));
    EXPECT_EQ(m->FullDate(), dn(2011, 7, 1));
    EXPECT_TRUE(m->IsShown());
    EXPECT_EQ(m->Days().Item(1 + int(dn(2011, 7, 19) - m->StartDate()))->ToolTipText(), "Today");
}

TEST_F(MonthEvents, ClickOnADay)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    SignalLog log(*m);
    // Row 3, column 2: Tuesday 4 March 2008.
    clickAt(m.get(), cellCentre(*m, 3, 2));
    EXPECT_EQ(log.take(),
              QStringList({"SelectionChange(2008-03-04)", "MouseDown(1)", "MouseUp(1)", "Click"}));
    EXPECT_EQ(m->SelectedIndex(), 10);
    EXPECT_EQ(m->FullDate(), dn(2008, 3, 1));

    // A leading day reports its own date; the month stays.
    clickAt(m.get(), cellCentre(*m, 2, 0));
    EXPECT_EQ(log.take().first(), "SelectionChange(2008-02-24)");
    EXPECT_EQ(m->FullDate(), dn(2008, 3, 1));

    // The weekday row is no day.
    clickAt(m.get(), cellCentre(*m, 1, 3));
    EXPECT_EQ(log.take(), QStringList({"MouseDown(1)", "MouseUp(1)", "Click"}));
}

TEST_F(MonthEvents, FocusRectangleFromPressToRelease)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    const QPointF inStrip(7.0 * m->CellWidth() / m->TwipsPerPixelX() + 1,
                          3.5 * m->CellHeight() / m->TwipsPerPixelY());
    SignalLog log(*m);
    sendMouse(m.get(), QEvent::MouseButtonPress, inStrip, Qt::LeftButton);
    EXPECT_TRUE(m->FocusRectShown());
    // Seen on the widget: dotted in the foreground colour along its top edge.
    const auto onTop = [&] {
        const QImage img = m->grab().toImage();
        const QColor fore = OleColor::toQColor(m->ForeColor(), m->palette());
        const int y = int(std::lround(m->FocusRectangle().y1 / m->TwipsPerPixelY()));
        int n = 0;
        for (int x = 2; x < 100; ++x)
            n += img.pixelColor(x, y).rgb() == fore.rgb();
        return n;
    };
    sendMouse(m.get(), QEvent::MouseButtonRelease, inStrip, Qt::LeftButton);
    const int withoutRect = onTop();
    sendMouse(m.get(), QEvent::MouseButtonPress, cellCentre(*m, 3, 0), Qt::LeftButton);
    EXPECT_GT(onTop(), withoutRect + 20);
    sendMouse(m.get(), QEvent::MouseButtonRelease, cellCentre(*m, 3, 0), Qt::LeftButton);
    EXPECT_EQ(onTop(), withoutRect);
    log.take();
    sendMouse(m.get(), QEvent::MouseButtonPress, inStrip, Qt::LeftButton);
    // Drawn two pixels inside the cell beyond the grid: column 7.
    const auto r = m->FocusRectangle();
    EXPECT_EQ(r.x1, 7 * m->CellWidth() + 2 * m->TwipsPerPixelX());
    EXPECT_EQ(r.y2 - r.y1, m->CellHeight() - 4 * m->TwipsPerPixelY());
    EXPECT_EQ(log.take().first(), "SelectionChange(2008-03-02)"); // first cell of that row
    sendMouse(m.get(), QEvent::MouseButtonRelease, inStrip, Qt::LeftButton);
    EXPECT_FALSE(m->FocusRectShown());

    // Double-click: press, release, click, double-click, release.
    const QPointF day = cellCentre(*m, 4, 4);
    sendMouse(m.get(), QEvent::MouseButtonPress, day, Qt::LeftButton);
    sendMouse(m.get(), QEvent::MouseButtonRelease, day, Qt::LeftButton);
    log.take();
    sendMouse(m.get(), QEvent::MouseButtonDblClick, day, Qt::LeftButton);
    EXPECT_TRUE(m->FocusRectShown());
    sendMouse(m.get(), QEvent::MouseButtonRelease, day, Qt::LeftButton);
    EXPECT_FALSE(m->FocusRectShown());
    EXPECT_EQ(log.take(), QStringList({"DblClick", "MouseUp(1)"}));
}

TEST_F(MonthEvents, PointerShowsTheCellsTooltipAndKeysAreHandedOn)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    m->Days().Item(10)->setToolTipText("Platoon B");
    QList<int> moves;
    QObject::connect(m.get(), &ctlMonth::MouseMove,
                     [&](int, int, double, double y) { moves << int(y); });
    sendMouse(m.get(), QEvent::MouseMove, cellCentre(*m, 3, 2), Qt::NoButton);
    EXPECT_EQ(m->toolTip(), "Platoon B");
    sendMouse(m.get(), QEvent::MouseMove, cellCentre(*m, 0, 2), Qt::NoButton);
    EXPECT_TRUE(m->toolTip().isEmpty());
    EXPECT_EQ(moves.size(), 2);

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
    auto m = makeMonth(702, 482, dn(2009, 6, 1));
    SignalLog log(*m);
    clickAt(m.get(), cellCentre(*m, 0, 3));
    EXPECT_EQ(log.take(), QStringList({"DateChange", "SettingChange(FullDate)", "MouseDown(1)",
                                       "MouseUp(1)", "Click"}));
    EXPECT_EQ(m->FullDate(), dn(2008, 3, 1));
    // Today's month again: only the setting is announced.
    clickAt(m.get(), cellCentre(*m, 0, 2));
    EXPECT_EQ(log.take(),
              QStringList({"SettingChange(FullDate)", "MouseDown(1)", "MouseUp(1)", "Click"}));
    // Without buttons the title is no target.
    m->setShowButtons(false);
    m->setFullDate(dn(2009, 6, 1));
    log.take();
    clickAt(m.get(), cellCentre(*m, 0, 3));
    EXPECT_EQ(log.take(), QStringList({"MouseDown(1)", "MouseUp(1)", "Click"}));
    EXPECT_EQ(m->FullDate(), dn(2009, 6, 1));
}

TEST_F(MonthEvents, FirstTitleClickAfterShowAnnouncesTheMonthAgain)
{
    fakes.clockFake->setToday(QDate(2008, 3, 12)); // not the 1st
    auto m = makeMonth(702, 482);
    SignalLog log(*m);
    clickAt(m.get(), cellCentre(*m, 0, 3));
    EXPECT_EQ(log.take().mid(0, 2), QStringList({"DateChange", "SettingChange(FullDate)"}));
}

TEST_F(MonthEvents, NavigationPictures)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    SignalLog log(*m);
    struct {
        int index;
        Qt::MouseButton button;
        Qt::KeyboardModifiers mods;
        QDate expected;
    } steps[] = {
        {2, Qt::LeftButton, Qt::NoModifier, {2008, 4, 1}},
        {3, Qt::LeftButton, Qt::NoModifier, {2009, 4, 1}},
        {1, Qt::RightButton, Qt::NoModifier, {2009, 3, 1}},     // any button navigates
        {2, Qt::LeftButton, Qt::ControlModifier, {2009, 9, 1}}, // Ctrl alone: six months
        {2, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, {2009, 10, 1}},
        {0, Qt::MiddleButton, Qt::ControlModifier, {2004, 10, 1}}, // five years
        {0, Qt::LeftButton, Qt::NoModifier, {2003, 10, 1}},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.index);
        imgNavPicture* nav = m->imgNav(s.index);
        ASSERT_NE(nav, nullptr);
        clickAt(nav, QPointF(2, 2), s.button, s.mods);
        EXPECT_EQ(m->FullDate(), DayNumber::fromDate(s.expected));
        EXPECT_EQ(log.take(), QStringList({"DateChange", "SettingChange(FullDate)"}));
    }
    EXPECT_EQ(m->imgNav(0)->toolTip(), "Previous Year");
    EXPECT_EQ(m->imgNav(1)->toolTip(), "Previous Month");
    EXPECT_EQ(m->imgNav(2)->toolTip(), "Next Month");
    EXPECT_EQ(m->imgNav(3)->toolTip(), "Next Year");

    // A double-click is one press and one double-click: one step, not two.
    m->setFullDate(dn(2008, 3, 1));
    log.take();
    clickAt(m->imgNav(2), QPointF(2, 2));
    sendMouse(m->imgNav(2), QEvent::MouseButtonDblClick, QPointF(2, 2), Qt::LeftButton,
              Qt::NoModifier);
    sendMouse(m->imgNav(2), QEvent::MouseButtonRelease, QPointF(2, 2), Qt::LeftButton,
              Qt::NoModifier);
    EXPECT_EQ(m->FullDate(), dn(2008, 4, 1));

    // December 9999 has no month after it to close its grid: refused whole.
    m->setFullDate(dn(9999, 11, 1));
    const double start = m->StartDate();
    log.take();
    clickAt(m->imgNav(2), QPointF(2, 2));
    EXPECT_EQ(m->TheMonth(), 11);
    EXPECT_EQ(m->FullDate(), dn(9999, 11, 1));
    EXPECT_EQ(m->StartDate(), start);
    EXPECT_EQ(m->Days().Item(1)->FullDate(), start);

    // January 1970 is the floor: going back changes nothing and says nothing.
    m->setFullDate(dn(1970, 1, 1));
    log.take();
    clickAt(m->imgNav(1), QPointF(2, 2));
    clickAt(m->imgNav(0), QPointF(2, 2), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(m->FullDate(), dn(1970, 1, 1));
    EXPECT_TRUE(log.take().isEmpty());
}

TEST_F(MonthEvents, RightClickOpensThePopupMenu)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    SignalLog log(*m);
    clickAt(m.get(), cellCentre(*m, 4, 4), Qt::RightButton);
    EXPECT_EQ(m->popups, 1);
    EXPECT_EQ(log.take(), QStringList({"MouseDown(2)", "MouseUp(2)"}));
    EXPECT_FALSE(m->FocusRectShown());
    EXPECT_EQ(m->mnuDebug()->title(), "&Debug");
}

TEST_F(MonthEvents, MenuEntriesFlipTheirProperties)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    SignalLog log(*m);
    auto action = [&](const char* name) {
        QAction* a = m->findChild<QAction*>(name);
        EXPECT_NE(a, nullptr) << name;
        return a;
    };
    const bool bold = m->FontBold();
    action("mnuDebugBoldFont")->trigger();
    EXPECT_EQ(m->FontBold(), !bold);
    action("mnuDebugBoldFont")->trigger();
    EXPECT_EQ(m->FontBold(), bold);
    action("mnuDebugFitRows")->trigger();
    EXPECT_TRUE(m->FitRows());
    action("mnuDebugButtons")->trigger();
    EXPECT_FALSE(m->ShowButtons());
    EXPECT_FALSE(m->imgNav(0)->isVisible());
    EXPECT_EQ(log.take(), QStringList({"SettingChange(FontBold)", "SettingChange(FontBold)",
                                       "SettingChange(FitRows)", "SettingChange(ShowButtons)"}));

    // A first weekday from the menu turns the weekends on first.
    action("mnuDebugFirstDayOfWeekPick2")->trigger();
    EXPECT_EQ(m->FirstWeekday(), 2);
    EXPECT_TRUE(m->ShowWeekends());
    EXPECT_TRUE(action("mnuDebugWeekends")->isChecked());
    EXPECT_TRUE(action("mnuDebugFirstDayOfWeekPick2")->isChecked());
    EXPECT_FALSE(action("mnuDebugFirstDayOfWeekPick0")->isChecked());
    EXPECT_EQ(log.take(),
              QStringList({"SettingChange(ShowWeekends)", "SettingChange(FirstWeekday)"}));

    // Full grid is offered for single cells only; fit rows hides with a fixed grid.
    m->setCellSplit(2);
    EXPECT_FALSE(action("mnuDebugFullGrid")->isEnabled());
    m->setCellSplit(1);
    EXPECT_TRUE(action("mnuDebugFullGrid")->isEnabled());
    m->setFixedGrid(true);
    EXPECT_FALSE(action("mnuDebugFitRows")->isVisible());
}

TEST_F(MonthEvents, SignalsThatAreNeverRaised)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    SignalLog log(*m);
    clickAt(m.get(), cellCentre(*m, 3, 3));
    clickAt(m->imgNav(2), QPointF(1, 1));
    m->setShowFullGrid(true);
    m->setFirstWeekday(7);
    EXPECT_FALSE(log.log.contains("CellSelect"));
    EXPECT_FALSE(log.log.contains("MonthChange"));
    EXPECT_FALSE(log.log.isEmpty());
}
