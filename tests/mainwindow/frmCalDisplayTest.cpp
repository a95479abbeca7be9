// What the main window puts on the calendar: cells, views, legend, navigation, layout.
#include "MainWindowTestSupport.h"
#include "support/DataFiles.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMenu>

namespace {
// The built-in rotation day by day, from the model tests' reference file
// (December 2025 to January 2027).
QMap<QDate, QString> defaultRotation()
{
    QMap<QDate, QString> days;
    for (const QStringList& r : dataRows("model/data/default_312123231.ref", ' '))
        days[QDate::fromString(r.value(0), Qt::ISODate)] = r.value(1);
    return days;
}

QAction* viewPick(frmCal& f, int k)
{
    return f.MenuAction(QStringLiteral("mnuviewSchedulePick_%1").arg(k));
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
        const QString pick = QStringLiteral("mnuDebugFirstDayOfWeekPick%1").arg(weekday);
        if (weekday != 0)
            m->mnuDebug()->findChild<QAction*>(pick)->trigger();
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
    EXPECT_EQ(viewPick(*f, 1)->text() + '/' + viewPick(*f, 2)->text(),
              QStringLiteral("Days/Nights"));
    // Worked by hand: the grid starts on Saturday 28 November 2026, day 20,786
    // counted from 31 December 1969. "12" takes character n mod 2 and "211"
    // character n mod 3, so cell i holds day R G R G ... and night U M U U M U ...
    ASSERT_EQ(DayNumber::toDate(m->StartDate()), QDate(2026, 11, 28));
    const auto day = [](int i) { return QString(QStringLiteral("RG")[(i - 1) % 2]); };
    const auto night = [](int i) { return QString(QStringLiteral("UMU")[(i - 1) % 3]); };
    const QMap<QString, std::pair<int32_t, QString>> platoons{{"R", {0x0000FF, "Red"}},
                                                              {"G", {0x00C000, "Green"}},
                                                              {"U", {0xFF0000, "Blue"}},
                                                              {"M", {0xFF00FF, "Magenta"}}};
    // The legend: each platoon in its colour, centred in an equal column.
    const PicturePane* legend = f->Pane("picPlatoons");
    ASSERT_EQ(legend->Printed().size(), 2u);
    for (size_t k = 0; k < 2; ++k) {
        const auto& p = legend->Printed()[k];
        EXPECT_EQ(p.color, k == 0 ? 0x0000FF : 0x00C000);
        const double centre =
            p.topLeft.x() + QFontMetricsF(p.font, legend).horizontalAdvance(p.text) / 2;
        EXPECT_NEAR(centre, (k + 0.5) * legend->width() / 2, 1.5) << k;
    }
    QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(m)->tableInterface();
    ASSERT_NE(table, nullptr);
    // One check mark; leaving the split view for shift 1 ends the split.
    const struct {
        int pick;
        const char *checks, *title;
    } views[] = {{3, "--x", "Harbor Station"},
                 {1, "x--", "Day Shift"},
                 {2, "-x-", "Night Shift"},
                 {3, "--x", "Harbor Station"}};
    for (const auto& v : views) {
        viewPick(*f, v.pick)->trigger();
        QString checks;
        for (int k = 1; k <= 3; ++k)
            checks += viewPick(*f, k)->isChecked() ? 'x' : '-';
        EXPECT_EQ(std::make_tuple(checks, f->CurrentTitle(), m->CellSplit()),
                  std::make_tuple(QString(v.checks), QString(v.title), v.pick == 3 ? 2 : 1));
        SCOPED_TRACE(v.pick);
        for (int i = 1; i <= 42; ++i) {
            const auto c = cell(*f, i);
            const QString p = v.pick == 2 ? night(i) : day(i);
            EXPECT_EQ(c->ForeColor(), platoons[p].first) << i;
            EXPECT_TRUE(c->ToolTipText().startsWith(p + " " + platoons[p].second)) << i;
            // Split cells: the second shift's code on the right, each half in its shift's colour.
            if (v.pick == 3) {
                const QString q = night(i);
                EXPECT_EQ(std::make_tuple(c->LeftColor(), c->RightCaption(), c->RightColor()),
                          std::make_tuple(platoons[p].first, q, platoons[q].first))
                    << i;
            }
            // A screen reader hears each shown shift's platoon after the date.
            const QString words =
                v.pick == 3 ? QStringLiteral("Shift 1 %1 %2, Shift 2 %3 %4")
                                  .arg(p, platoons[p].second, night(i), platoons[night(i)].second)
                            : p + " " + platoons[p].second;
            if (QAccessibleInterface* spoken = table->cellAt((i - 1) / 7, (i - 1) % 7)) {
                EXPECT_TRUE(spoken->text(QAccessible::Name).contains(", " + words))
                    << i << qPrintable(spoken->text(QAccessible::Name));
            }
        }
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
        EXPECT_EQ(std::make_tuple(f->ShiftIndex(), f->MonthControl()->CellSplit(),
                                  viewPick(*f, 1)->isChecked(), cell(*f, 10)->ForeColor(),
                                  f->CurrentTitle()),
                  std::make_tuple(1, 1, true, 0x123456, QStringLiteral("Only")));
    }
    EXPECT_TRUE(fx.messages->shown.empty());
    EXPECT_FALSE(viewPick(*f, 2)->isVisible() || viewPick(*f, 3)->isVisible());
}

TEST_F(MainWindowTest, TodaysTooltipStaysWholeAndPageKeysMoveByMonthAndYear)
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
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int year, month;
        const char* platoon; // on the 1st: the reference file's, or worked by hand
    } rows[] = {{Qt::Key_PageDown, Qt::NoModifier, 2027, 1, "A"},
                // 1 January 2028: day 21,185 from 31 December 1969, 21,185 mod 9 = 8, "1"
                {Qt::Key_PageDown, Qt::ControlModifier, 2028, 1, "A"},
                // 1 December 2027: day 21,154, mod 9 = 4, "2"
                {Qt::Key_PageUp, Qt::NoModifier, 2027, 12, "B"},
                {Qt::Key_PageUp, Qt::ControlModifier, 2026, 12, "A"},
                {Qt::Key_PageUp, Qt::NoModifier, 2026, 11, "C"},
                {Qt::Key_Home, Qt::NoModifier, 2026, 12, "A"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        QKeyEvent press(QEvent::KeyPress, r.key, r.modifiers);
        QApplication::sendEvent(m, &press); // the control has the focus
        EXPECT_EQ(QDate(m->TheYear(), m->TheMonth(), 1), QDate(r.year, r.month, 1));
        // The new month's cells are filled for their dates: the first of the month
        // as the built-in rotation's reference days give it.
        const QDate first(r.year, r.month, 1);
        const int i = static_cast<int>(DayNumber::fromDate(first) - m->StartDate()) + 1;
        EXPECT_EQ(cell(*f, i)->LeftCaption(), r.platoon);
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
}
