// Other calendars through the shown main window: a file added in View >
// Other Calendars gives the days their bar and tooltip, a file that cannot
// be read is said once while the others still show, and the list, a hidden
// calendar and a removal are kept for the next run.
#include "calendars/OtherCalendars.h"
#include "calendars/frmOtherCalendars.h"
#include "mainwindow/MainWindowTestSupport.h"
#include "monthcontrol/MonthTestSupport.h"

#include <QPushButton>
#include <QTreeWidget>

namespace {
const QString Holidays =
    QStringLiteral(TARNWELL_TEST_DATA "/../data/calendars/us-federal-holidays.ics");

class OtherCalendarsWindow : public MainWindowTest {
protected:
    // Runs the events until `done` holds, woken by each change of the list
    // or its days; a guard ends a test that would otherwise never finish.
    template <class Done> bool waitUntil(Done done)
    {
        QEventLoop loop;
        QObject::connect(&f->Session().Calendars(), &OtherCalendars::Changed, &loop,
                         [&] { QTimer::singleShot(0, &loop, &QEventLoop::quit); });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
        guard.start(60000);
        while (!done() && guard.isActive()) {
            loop.exec();
            QCoreApplication::processEvents(); // what the change queued, a message box
        }
        return done();
    }
    frmOtherCalendars& openList()
    {
        click(*f, "mnuViewOtherCalendars");
        auto* w = f->findChild<frmOtherCalendars*>();
        EXPECT_TRUE(w && w->isVisible());
        return *w;
    }
    void add(frmOtherCalendars& w, const QString& path)
    {
        dialogs->openAnswer = path;
        w.cmdAdd->click();
    }
    clsDayBox& dayCell(double day) { return *cell(*f, f->MonthControl()->CellOfDate(day)); }

    std::unique_ptr<frmCal> f;
    const double christmas = DayNumber::fromDate(QDate(2026, 12, 25));
};
} // namespace

TEST_F(OtherCalendarsWindow, AddedShownTooltipHiddenRemovedAndKept)
{
    QTemporaryDir dir;
    const QString empty = dir.path() + QStringLiteral("/empty.ics");
    QFile(empty).open(QIODevice::WriteOnly);
    f = makeForm();
    f->show();
    waitForNotes(*f);
    frmOtherCalendars& list = openList();
    add(list, Holidays);
    ASSERT_EQ(dialogs->openRequests.size(), 1u);
    ASSERT_TRUE(waitUntil([&] { return !dayCell(christmas).BarColors().empty(); }));
    const int32_t colour = f->Session().Calendars().List()[0].color;
    EXPECT_EQ(dayCell(christmas).BarColors(), std::vector<int32_t>{colour});
    EXPECT_TRUE(dayCell(christmas - 1).BarColors().empty());
    EXPECT_EQ(
        f->MonthControl()->DayToolTip(f->MonthControl()->CellOfDate(christmas)).section('\n', 1),
        QStringLiteral("Christmas Day (US federal holidays)"));
    EXPECT_EQ(list.lstCalendars->topLevelItem(0)->text(0), QStringLiteral("US federal holidays"));

    // A file that cannot be read: one message naming it; the holidays stay.
    add(list, empty);
    ASSERT_TRUE(waitUntil([&] { return !fx.messages->shown.empty(); }));
    EXPECT_EQ(
        fx.messages->texts(),
        QStringList{
            QStringLiteral("The calendar file \"%1\" cannot be shown: it is empty.").arg(empty)});
    EXPECT_EQ(list.lstCalendars->topLevelItem(1)->text(1), QStringLiteral("It is empty"));
    EXPECT_EQ(dayCell(christmas).BarColors(), std::vector<int32_t>{colour});

    // Hidden with its check box, and the empty one removed.
    list.lstCalendars->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    ASSERT_TRUE(waitUntil([&] { return dayCell(christmas).BarColors().empty(); }));
    list.lstCalendars->setCurrentItem(list.lstCalendars->topLevelItem(1));
    list.cmdRemove->click();
    EXPECT_EQ(list.lstCalendars->topLevelItemCount(), 1);
    EXPECT_EQ(fx.messages->shown.size(), 1u);

    f->close();
    f.reset();
    EXPECT_EQ(storedAs({"OtherCalendars/Count", "OtherCalendars/File1", "OtherCalendars/Show1"}),
              (QStringList{"OtherCalendars/Count=1",
                           "OtherCalendars/File1=" + QFileInfo(Holidays).absoluteFilePath(),
                           "OtherCalendars/Show1=False"}));
    // The next run reads the list back, the holidays hidden.
    f = makeForm();
    f->show();
    waitForNotes(*f);
    ASSERT_EQ(f->Session().Calendars().List().size(), 1u);
    EXPECT_FALSE(f->Session().Calendars().List()[0].shown);
}
