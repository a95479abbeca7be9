// The month grid as a screen reader meets it: a table of named days, the
// navigation buttons, what each change announces, and the keys on the days.
#include "MonthTestSupport.h"

#include "monthcontrol/ctlMonthAccessible.h"

#include <QAccessible>
#include <QKeyEvent>

namespace {

QAccessibleTableInterface* tableOf(QAccessibleInterface* iface)
{
    return iface ? iface->tableInterface() : nullptr;
}

// Every announcement, as "<event> <name>".
class Announcements {
public:
    Announcements()
    {
        ctlMonthAccessibility::setListener([this](QAccessibleEvent& e) {
            const char* kind = e.type() == QAccessible::TableModelChanged ? "reset"
                               : e.type() == QAccessible::NameChanged     ? "name"
                               : e.type() == QAccessible::Focus           ? "focus"
                                                                          : nullptr;
            if (kind)
                heard_ << QStringLiteral("%1 %2").arg(
                    kind, e.accessibleInterface()->text(QAccessible::Name));
        });
    }
    ~Announcements() { ctlMonthAccessibility::setListener(nullptr); }
    QStringList take() { return std::exchange(heard_, {}); }

private:
    QStringList heard_;
};

void key(QWidget* w, int k)
{
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

std::string cellName(ctlMonth& m, int row, int column)
{
    auto* t = tableOf(QAccessible::queryAccessibleInterface(&m));
    QAccessibleInterface* c = t ? t->cellAt(row, column) : nullptr;
    return c ? c->text(QAccessible::Name).toStdString() : "(none)";
}

} // namespace

using MonthAccessible = MonthFixture;

TEST_F(MonthAccessible, TheGridIsATableOfNamedDaysUnderItsWeekdays)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    m->Days().Item(18)->setAccessibleText(QStringLiteral("B Platoon"));
    m->SetSpecialPeriod(14, 3);
    m->setSpecialPeriodName(QStringLiteral("Pay Week"));
    m->Repaint();
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(m.get());
    ASSERT_NE(tableOf(iface), nullptr);
    auto* t = tableOf(iface);
    EXPECT_EQ(iface->role(), QAccessible::Table);
    EXPECT_EQ(iface->text(QAccessible::Name), "March 2008");
    EXPECT_EQ(t->caption()->text(QAccessible::Name), "March 2008");
    EXPECT_EQ(std::make_pair(t->rowCount(), t->columnCount()), std::make_pair(6, 7));
    // Four buttons, the title, seven weekdays and 42 days.
    EXPECT_EQ(iface->childCount(), 4 + 1 + 7 + 42);

    // Sunday first: Saturday 1 March 2008 is the seventh cell; today is the 12th.
    // Fourteen-day periods from offset 3 shade 21 February - 6 March and
    // 21 March - 3 April.
    const struct {
        int row, column;
        const char* name;
    } cells[] = {
        {0, 0, "Sunday 24 February 2008, Pay Week, previous month"},
        {0, 6, "Saturday 1 March 2008, Pay Week"},
        {1, 4, "Thursday 6 March 2008, Pay Week"},
        {1, 5, "Friday 7 March 2008"},
        {2, 3, "Wednesday 12 March 2008, B Platoon, today"},
        {3, 6, "Saturday 22 March 2008, Pay Week"},
        {5, 2, "Tuesday 1 April 2008, Pay Week, next month"},
        {5, 6, "Saturday 5 April 2008, next month"},
    };
    for (const auto& c : cells)
        EXPECT_EQ(cellName(*m, c.row, c.column), c.name) << c.row << "," << c.column;
    EXPECT_EQ(t->cellAt(6, 0), nullptr);
    auto* header = t->cellAt(0, 4)->tableCellInterface()->columnHeaderCells().value(0);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->text(QAccessible::Name), "Thursday");

    // The cell under a point is the cell painted there.
    const QPoint centre = m->mapToGlobal(cellCentre(*m, 4, 3).toPoint());
    EXPECT_EQ(iface->childAt(centre.x(), centre.y()), t->cellAt(2, 3));

    // A Monday-first grid is another table.
    m->setFirstWeekday(2);
    m->Repaint();
    EXPECT_EQ(t->columnDescription(0), "Monday");
    EXPECT_EQ(cellName(*m, 0, 0), "Monday 25 February 2008, Pay Week, previous month");
    // The host fills the cells again for their new dates.
    EXPECT_EQ(cellName(*m, 2, 2), "Wednesday 12 March 2008, today");

    // The navigation pictures are buttons that press.
    const char* buttons[] = {"Previous year", "Previous month", "Next month", "Next year"};
    for (int i = 0; i < 4; ++i) {
        QAccessibleInterface* b = iface->child(i);
        EXPECT_EQ(std::make_pair(b->role(), b->text(QAccessible::Name)),
                  std::make_pair(QAccessible::Button, QString(buttons[i])));
    }
    iface->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(m->FullDate(), dn(2008, 4, 1));
    m->setShowButtons(false);
    EXPECT_EQ(iface->childCount(), 1 + 7 + 42);
}

TEST_F(MonthAccessible, ChangesAreAnnounced)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    m->Repaint();
    Announcements heard;
    m->Repaint(); // nothing changed since the last paint: the first tells all
    EXPECT_TRUE(heard.take().contains("reset March 2008"));
    m->Repaint();
    EXPECT_EQ(heard.take(), QStringList());

    // A month step: a new table.
    m->NextMonth();
    m->Repaint();
    const QStringList step = heard.take();
    EXPECT_EQ(step.mid(0, 2), QStringList({"reset April 2008", "name April 2008"}));
    EXPECT_TRUE(step.contains("name Tuesday 1 April 2008")) << step.join('\n').toStdString();

    // New words in one day (a schedule or view change): only that day.
    m->Days().Item(10)->setAccessibleText(QStringLiteral("C Platoon"));
    m->Repaint();
    EXPECT_EQ(heard.take(), QStringList({"name Tuesday 8 April 2008, C Platoon"}));
}

TEST_F(MonthAccessible, TheKeysMoveAFocusDayAndPressIt)
{
    auto m = makeMonth(702, 482, dn(2008, 3, 1));
    SignalLog log(*m);
    Announcements heard;
    m->activateWindow();
    m->setFocus(Qt::ActiveWindowFocusReason);
    QApplication::processEvents();
    ASSERT_TRUE(m->hasFocus());
    // Until the keys are on the days, Home and Enter are the host's.
    EXPECT_FALSE(m->FocusDayShown());
    key(m.get(), Qt::Key_Home);
    EXPECT_FALSE(m->FocusDayShown());
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(m.get());
    EXPECT_EQ(iface->focusChild(), nullptr);

    // Tab puts them there, on today.
    key(m.get(), Qt::Key_Tab);
    ASSERT_TRUE(m->FocusDayShown());
    EXPECT_EQ(iface->focusChild()->text(QAccessible::Name), "Wednesday 12 March 2008, today");
    const struct {
        int key;
        QDate day;
    } moves[] = {
        {Qt::Key_Right, {2008, 3, 13}}, {Qt::Key_End, {2008, 3, 15}},
        {Qt::Key_Home, {2008, 3, 9}},   {Qt::Key_Up, {2008, 3, 2}},
        {Qt::Key_Left, {2008, 3, 1}},   {Qt::Key_Left, {2008, 2, 29}}, // into February
        {Qt::Key_Down, {2008, 3, 7}},   {Qt::Key_Down, {2008, 3, 14}},
    };
    for (const auto& mv : moves) {
        key(m.get(), mv.key);
        EXPECT_EQ(DayNumber::toDate(m->FocusDate()), mv.day) << mv.key;
        EXPECT_EQ(m->FullDate(), dn(mv.day.year(), mv.day.month(), 1)) << mv.key;
    }
    EXPECT_TRUE(heard.take().contains("focus Friday 14 March 2008"));
    log.take();
    key(m.get(), Qt::Key_Return);
    EXPECT_EQ(log.take(), QStringList({"SelectionChange(2008-03-14)", "Click"}));
    // A cell's press action does the same for its own day.
    tableOf(iface)->cellAt(3, 1)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction());
    EXPECT_EQ(log.take(), QStringList({"SelectionChange(2008-03-17)", "Click"}));

    // The focus rectangle is drawn in the focus day's cell, in one view and split.
    for (int16_t split : {1, 2}) {
        m->setCellSplit(split);
        const QImage img = render(*m);
        const QRect day = cellPixels(*m, 5, 1, 0), other = cellPixels(*m, 5, 2, 0);
        auto outlined = [&](const QRect& r) {
            int dark = 0;
            for (int x = r.left() + 3; x < r.right() - 3; ++x)
                dark += img.pixelColor(x, r.top() + 2).lightness() < 128;
            return dark > (r.width() - 6) / 3;
        };
        EXPECT_TRUE(outlined(day)) << split;
        EXPECT_FALSE(outlined(other)) << split;
    }
}
