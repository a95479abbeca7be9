// What the main window puts on the calendar: cells, views, legend, title, layout, pixels.
#include "MainWindowTestSupport.h"
#include "monthcontrol/MonthTestSupport.h"
#include "platform/widgets/OleColor.h"
#include "support/Pixels.h"

#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <cmath>

namespace {
// The built-in rotation day by day, from the model tests' reference file
// (December 2025 to January 2027).
QMap<QDate, QString> defaultRotation()
{
    QFile f(QStringLiteral(TARNWELL_TEST_DATA "/model/data/default_312123231.ref"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly | QIODevice::Text));
    QMap<QDate, QString> days;
    while (!f.atEnd()) {
        const QStringList parts = QString::fromUtf8(f.readLine()).trimmed().split(' ');
        if (parts.size() == 2)
            days[QDate::fromString(parts[0], Qt::ISODate)] = parts[1];
    }
    return days;
}

QAction* viewPick(frmCal& f, int k)
{
    return f.MenuAction(QStringLiteral("mnuviewSchedulePick_%1").arg(k));
}

void pickWeekday(ctlMonth& m, int index)
{
    m.mnuDebug()
        ->findChild<QAction*>(QStringLiteral("mnuDebugFirstDayOfWeekPick%1").arg(index))
        ->trigger();
}
} // namespace

TEST_F(MainWindowTest, EveryCellShowsItsDaysPlatoonInEachViewAndFirstWeekday)
{
    auto f = makeForm();
    f->resize(900, 700);
    f->show();
    ctlMonth* m = f->MonthControl();
    const double today = DayNumber::fromDate(QDate(2026, 12, 6));
    const auto rotation = defaultRotation();
    const QMap<QString, int32_t> colors{{"A", 255}, {"B", 65280}, {"C", 0}};
    for (int weekday : {0, 1, 2, 7}) {
        SCOPED_TRACE(weekday);
        if (weekday != 0)
            pickWeekday(*m, weekday);
        ASSERT_LE(m->StartDate(), DayNumber::fromDate(QDate(2026, 12, 1)));
        for (int i = 1; i <= 42; ++i) {
            const double d = m->StartDate() + i - 1;
            const QString code = rotation.value(DayNumber::toDate(d));
            const auto c = cell(*f, i);
            ASSERT_EQ(c->FullDate(), d);
            ASSERT_FALSE(code.isEmpty()) << i;
            EXPECT_EQ(c->ForeColor(), colors.value(code)) << i;
            EXPECT_EQ(c->LeftCaption(), code) << i;
            EXPECT_EQ(c->ToolTipText(), code + (d == today ? " Platoon Today" : " Platoon")) << i;
        }
    }
    EXPECT_EQ(DayNumber::toDate(m->StartDate()).dayOfWeek(), 6); // Saturday
    const auto schedule = TwoShiftSchedule();
    f->setSchedule(schedule);
    const auto first = schedule->Shifts()->Item(1), second = schedule->Shifts()->Item(2);
    for (int pick : {1, 2, 3}) {
        viewPick(*f, pick)->trigger();
        for (int weekday : {1, 2}) {
            SCOPED_TRACE(pick * 10 + weekday);
            pickWeekday(*m, weekday);
            for (int i = 1; i <= 42; ++i) {
                const auto c = cell(*f, i);
                const auto p = (pick == 2 ? second : first)->ONDuty(c->FullDate());
                EXPECT_EQ(c->ForeColor(), p->Color());
                EXPECT_TRUE(c->ToolTipText().startsWith(p->Code() + " " + p->Description()));
                if (pick == 3) {
                    EXPECT_EQ(c->RightCaption(), second->ONDuty(c->FullDate())->Code());
                }
            }
        }
    }
    // Split cells: each shift's code in its colour, the second shift's on the right.
    m->Repaint();
    const QImage img = m->grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto countNear = [&](const QRect& r, int32_t ole) {
        const QColor want = OleColor::toQColor(ole);
        return countPixels(img, r, [&](const QColor& c) {
            return std::abs(c.red() - want.red()) + std::abs(c.green() - want.green()) +
                       std::abs(c.blue() - want.blue()) <
                   60;
        });
    };
    for (int i = 8; i <= 21; ++i) { // two weeks of December
        const double d = m->StartDate() + i - 1;
        SCOPED_TRACE(i);
        const QRect c = cellPixels(*m, 2 + (i - 1) / 7, (i - 1) % 7, 2);
        const QRect left(c.topLeft(), QSize(c.width() / 2, c.height()));
        const QRect right = left.translated(c.width() / 2 + 1, 0);
        EXPECT_GT(countNear(left, first->ONDuty(d)->Color()), 3);
        EXPECT_GT(countNear(right, second->ONDuty(d)->Color()), 3);
        EXPECT_EQ(countNear(left, second->ONDuty(d)->Color()), 0);
    }
}

TEST_F(MainWindowTest, ViewMenuSwitchesShiftsWithOneCheckMark)
{
    auto f = makeForm();
    showCalendar(*f);
    f->setSchedule(TwoShiftSchedule());
    EXPECT_EQ(viewPick(*f, 1)->text(), QStringLiteral("Days"));
    EXPECT_EQ(viewPick(*f, 2)->text(), QStringLiteral("Nights"));
    const struct {
        int pick;
        int16_t shift, split;
        const char *checks, *title;
    } rows[] = {{2, 2, 1, "-x-", "Night Shift"},
                {3, 1, 2, "--x", "Harbor Station"},
                {1, 1, 1, "x--", "Day Shift"},
                {3, 1, 2, "--x", "Harbor Station"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.pick);
        viewPick(*f, r.pick)->trigger();
        QString checks;
        for (int k = 1; k <= 3; ++k)
            checks += viewPick(*f, k)->isChecked() ? 'x' : '-';
        EXPECT_EQ(std::make_tuple(f->ShiftIndex(), f->MonthControl()->CellSplit(), checks,
                                  f->CurrentTitle()),
                  std::make_tuple(r.shift, r.split, QString(r.checks), QString(r.title)));
    }
}

TEST_F(MainWindowTest, LoadingAOneShiftScheduleLeavesTheSecondAndSplitViews)
{
    // No stale second codes, no error, shift 1 on display.
    auto f = makeForm();
    showCalendar(*f);
    for (int pick : {2, 3}) {
        SCOPED_TRACE(pick);
        f->setSchedule(TwoShiftSchedule());
        viewPick(*f, pick)->trigger();
        f->setSchedule(MakeSchedule("Solo", {{"Only", "O", "Only", "1", {{"X", "X", 0x123456}}}}));
        EXPECT_EQ(f->ShiftIndex(), 1);
        EXPECT_EQ(f->MonthControl()->CellSplit(), 1);
        EXPECT_TRUE(viewPick(*f, 1)->isChecked());
        EXPECT_EQ(cell(*f, 10)->ForeColor(), 0x123456);
        EXPECT_EQ(f->CurrentTitle(), QStringLiteral("Only"));
    }
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_FALSE(viewPick(*f, 2)->isVisible() || viewPick(*f, 3)->isVisible());
    viewPick(*f, 2)->setEnabled(true); // as if it could be reached
    viewPick(*f, 2)->trigger();
    EXPECT_EQ(f->ShiftIndex(), 1);
}

TEST_F(MainWindowTest, TodaysTooltipStaysWholeWhenTheDaysAreLaidOutAgain)
{
    auto f = makeForm();
    f->show();
    ctlMonth* m = f->MonthControl();
    const double today = DayNumber::fromDate(QDate(2026, 12, 6));
    auto todayTip = [&] {
        return cell(*f, static_cast<int>(today - m->StartDate()) + 1)->ToolTipText();
    };
    ASSERT_EQ(todayTip(), QStringLiteral("B Platoon Today"));
    m->mnuDebug()->findChild<QAction*>(QStringLiteral("mnuDebugFullGrid"))->trigger();
    EXPECT_EQ(todayTip(), QStringLiteral("B Platoon Today"));
    m->setFullDate(today); // a click on the title: the month on display
    EXPECT_EQ(todayTip(), QStringLiteral("B Platoon Today"));
}

TEST_F(MainWindowTest, PageKeysMoveByMonthAndYearHomeReturnsAndF1OpensHelp)
{
    auto f = makeForm();
    f->show();
    ctlMonth* m = f->MonthControl();
    int keyDowns = 0;
    QObject::connect(m, &ctlMonth::KeyDown, [&] { ++keyDowns; });
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int year, month;
    } rows[] = {{Qt::Key_PageDown, Qt::NoModifier, 2027, 1},
                {Qt::Key_PageDown, Qt::ControlModifier, 2028, 1},
                {Qt::Key_PageUp, Qt::NoModifier, 2027, 12},
                {Qt::Key_PageUp, Qt::ControlModifier, 2026, 12},
                {Qt::Key_PageUp, Qt::NoModifier, 2026, 11},
                {Qt::Key_Home, Qt::NoModifier, 2026, 12}};
    int sent = 0;
    for (const auto& r : rows) {
        SCOPED_TRACE(sent);
        QKeyEvent press(QEvent::KeyPress, r.key, r.modifiers);
        QApplication::sendEvent(m, &press); // the control has the focus
        ++sent;
        EXPECT_EQ(QDate(m->TheYear(), m->TheMonth(), 1), QDate(r.year, r.month, 1));
        // The new month's cells are filled for their dates.
        const double first = DayNumber::fromDate(QDate(r.year, r.month, 1));
        const int i = static_cast<int>(first - m->StartDate()) + 1;
        EXPECT_EQ(cell(*f, i)->LeftCaption(),
                  f->Schedule()->Shifts()->Item(1)->ONDuty(first)->Code());
    }
    EXPECT_EQ(keyDowns, sent); // the control still reports every key
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(m, &f1);
    ASSERT_EQ(fx.shellFake->opened.size(), 1);
    EXPECT_TRUE(fx.shellFake->opened[0].endsWith(QStringLiteral("/help.html")));
}

TEST_F(MainWindowTest, LegendDividesThePaneIntoEqualCentredColumns)
{
    auto f = makeForm();
    f->resize(900, 600);
    f->Form_Resize();
    const std::vector<PlatoonDef> four = {{"A", "One", 0x0000FF},
                                          {"B", "Two", 0x00FF00},
                                          {"C", "Three", 0xFF0000},
                                          {"D", "Four", 0x808080}};
    f->setSchedule(MakeSchedule("Four", {{"Four", "F", "Four", "1234", four}}));
    const PicturePane* pane = f->Pane("picPlatoons");
    ASSERT_GT(pane->width(), 100);
    const auto& printed = pane->Printed();
    ASSERT_EQ(printed.size(), 4u);
    const double column = pane->width() / 4.0;
    for (size_t i = 0; i < 4; ++i) {
        const QFontMetricsF fm(printed[i].font, pane);
        const double centre = printed[i].topLeft.x() + fm.horizontalAdvance(printed[i].text) / 2;
        EXPECT_NEAR(centre, (i + 0.5) * column, 1.5) << i;
        EXPECT_LE(fm.horizontalAdvance(printed[i].text), 0.8 * column + 1) << i;
        EXPECT_EQ(printed[i].color, four[i].color);
    }
}

TEST_F(MainWindowTest, TitleThatMustShrinkIsReplacedByInitials)
{
    auto f = makeForm();
    const QString longTitle = QStringLiteral("Metropolitan County Consolidated Fire District");
    f->setSchedule(MakeSchedule(
        "S",
        {{"Metropolitan County Consolidated Fire District", "MCFD", "d", "1", {{"A", "A", 255}}}}));
    for (const int width : {260, 4000}) { // too narrow: initials
        f->resize(width, 600);
        f->Form_Resize();
        f->Update();
        const auto& printed = f->Pane("picTitle")->Printed();
        ASSERT_EQ(printed.size(), 1u);
        EXPECT_EQ(printed[0].text, width < 1000 ? QStringLiteral("MCFD") : longTitle) << width;
    }
}

TEST(CalLayoutTable, PanesFollowTheBandsAtFifteenTwipsPerPixel)
{
    // Worked by hand from the layout table: client 800 x 600 pixels.
    const CalLayout l = ComputeCalLayout(QSize(800, 600), 15, 15, QSize(1, 1));
    EXPECT_EQ(l.picture1, QRect(0, 0, 800, 75));
    EXPECT_EQ(l.picture2, QRect(0, 500, 800, 100));
    EXPECT_EQ(l.picTitle, QRect(8, 8, 784, 60));  // 7.5 px rounds to 8
    EXPECT_EQ(l.month, QRect(8, 75, 784, 424));   // 600 - 75 - 100 - 1
    EXPECT_EQ(l.picFooter, QRect(8, 8, 784, 85)); // 100 - 0.2 x 75
    EXPECT_EQ(l.picPlatoons, QRect(1, 1, 780, 41));
    EXPECT_EQ(l.picDescription, QRect(1, 43, 780, 40)); // 42.5 rounds to 43
    // A client no larger than 240 twips keeps the month control's size.
    const CalLayout tiny = ComputeCalLayout(QSize(16, 10), 15, 15, QSize(33, 44));
    EXPECT_FALSE(tiny.monthWidthSet || tiny.monthHeightSet);
    EXPECT_EQ(tiny.month.size(), QSize(33, 44));
    EXPECT_GE(tiny.picTitle.width(), 0);
}
