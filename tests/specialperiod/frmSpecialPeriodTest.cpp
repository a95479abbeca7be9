// The "Recurring Period" box driven through its controls over the shown main
// window, and the period as the main window paints it.
#include "specialperiod/frmSpecialPeriod.h"
#include "mainwindow/MainWindowTestSupport.h"
#include "monthcontrol/MonthTestSupport.h"
#include "platform/widgets/OleColor.h"
#include "support/ModalDialogs.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int32_t Fill = 0xFFE0C0; // light blue: no platoon of the default schedule has it

QString iso(const QDate& d)
{
    return d.toString(Qt::ISODate);
}

struct PaintedCase {
    const char* name;
    QDate start;
    std::vector<QDate> filledRuns, unfilledRuns; // first days of runs of seven
};
const PaintedCase paintedCases[] = {
    {"StartOn8October2009IsFilled",
     {2009, 10, 8},
     {{2009, 10, 8}, {2009, 10, 22}},
     {{2009, 10, 1}, {2009, 10, 15}}},
    {"StartOn1October2009IsUnfilled",
     {2009, 10, 1},
     {{2009, 9, 24}, {2009, 10, 8}},
     {{2009, 10, 1}, {2009, 10, 15}}},
};
} // namespace

TEST(PeriodOffset, WorkedExamples)
{
    const std::tuple<QDate, int32_t, int32_t> cases[] = {
        {{2009, 10, 8}, 7, 2},  {{2009, 10, 1}, 7, 2},  {{1970, 1, 1}, 7, 2},
        {{1970, 1, 6}, 7, 7},   {{1970, 1, 7}, 7, 1},   {{2026, 12, 6}, 1, 1},
        {{2026, 12, 6}, 14, 5}, {{2026, 12, 6}, 28, 19}};
    for (const auto& [start, length, offset] : cases)
        EXPECT_EQ(frmSpecialPeriod::PeriodOffset(start, length), offset)
            << iso(start).toStdString() << " L=" << length;
}

class SpecialPeriodDialog : public MainWindowTest {
protected:
    std::unique_ptr<frmCal> shownForm()
    {
        auto f = makeForm();
        f->resize(900, 700);
        f->show();
        QApplication::processEvents();
        return f;
    }
    // Opens the box from the File menu, sets its controls and clicks OK.
    static void configure(frmCal& f, const QDate& start, int length, const QString& name)
    {
        OnModal<frmSpecialPeriod> modal([&](frmSpecialPeriod& d) {
            child<QCalendarWidget>(d, "MonthView1")->setSelectedDate(start);
            child<QComboBox>(d, "cboCycleLength")->setCurrentIndex(length);
            child<QLineEdit>(d, "txtName")->setText(name);
            child<QPushButton>(d, "cmdColor")->click();
            child<QPushButton>(d, "cmdOK")->click();
        });
        click(f, "mnuFileConfigureRecurringPeriod");
        EXPECT_EQ(modal.runs(), 1);
    }
    // The dates whose cells October 2009 shows in the fill colour.
    static QStringList paintedDays(frmCal& f)
    {
        ctlMonth* m = f.MonthControl();
        m->setFullDate(DayNumber::fromDate(QDate(2009, 10, 1)));
        m->Repaint();
        const QImage img = m->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QStringList days;
        for (int row = 2; row < m->RowCount(); ++row)
            for (int col = 0; col < 7; ++col)
                if (cornerOf(img, *m, row, col) == OleColor::toQColor(Fill, m->palette()))
                    days << iso(DayNumber::toDate(m->StartDate() + (row - 2) * 7 + col));
        return days;
    }
};

// The two worked examples on the painted grid; OK stores all four values,
// names and checks the View item, and the check mark reaches the next start.
TEST_F(SpecialPeriodDialog, WorkedExamplesOnThePaintedCalendar)
{
    dialogs->colorAnswer = Fill;
    for (const auto& c : paintedCases) {
        SCOPED_TRACE(c.name);
        auto f = shownForm();
        configure(*f, c.start, 7, QStringLiteral("Pay Period"));
        QAction* view = f->MenuAction(QStringLiteral("mnuViewSpecialPeriod"));
        EXPECT_TRUE(view->isVisible() && view->isChecked());
        EXPECT_EQ(view->text(), QStringLiteral("Pay Period"));
        const QStringList painted = paintedDays(*f);
        const QDate first = DayNumber::toDate(f->MonthControl()->StartDate());
        int checked = 0, firstColumn = 0;
        for (bool filled : {true, false})
            for (const QDate& run : filled ? c.filledRuns : c.unfilledRuns)
                for (QDate d = std::max(run, first); d < run.addDays(7);
                     d = d.addDays(1), ++checked)
                    EXPECT_EQ(painted.contains(iso(d)), filled) << iso(d).toStdString();
        for (const QString& d : painted)
            firstColumn += first.daysTo(QDate::fromString(d, Qt::ISODate)) % 7 == 0;
        EXPECT_GE(checked, 25);
        EXPECT_GE(firstColumn, 2); // runs of seven always cross the first column
        if (c.start == QDate(2009, 10, 8))
            f->grab().save(qEnvironmentVariable("TARNWELL_TEST_OUT") +
                           QStringLiteral("/frmCal_special_period.png"));
        f->close();
        EXPECT_EQ(storedSetting("Settings", "SpecialPeriodLength"), QStringLiteral("7"));
        EXPECT_EQ(storedSetting("Settings", "SpecialPeriodOffset"), QStringLiteral("2"));
        EXPECT_EQ(storedSetting("Settings", "SpecialPeriodName"), QStringLiteral("Pay Period"));
        EXPECT_EQ(storedSetting("Settings", "SpecialPeriodColor"), QString::number(Fill));
        auto next = shownForm();
        EXPECT_EQ(paintedDays(*next), painted);
        next->close();
    }
}

// Loading shows the stored period with today's run preselected; the toggle
// hides the fill; length 0 stores offset 0 and removes the period everywhere.
TEST_F(SpecialPeriodDialog, LoadToggleAndLengthZero)
{
    putSetting("Settings", QStringLiteral("SpecialPeriodLength"), QStringLiteral("7"));
    putSetting("Settings", QStringLiteral("SpecialPeriodOffset"), QStringLiteral("2"));
    putSetting("Settings", QStringLiteral("SpecialPeriodColor"), QString::number(Fill));
    putSetting("Settings", QStringLiteral("SpecialPeriodChecked"), QStringLiteral("True"));
    auto f = shownForm();
    EXPECT_EQ(paintedDays(*f).size(), 21); // 27-30 Sep, 8-14 and 22-28 Oct, 5-7 Nov
    click(*f, "mnuViewSpecialPeriod");
    EXPECT_TRUE(paintedDays(*f).isEmpty());
    click(*f, "mnuViewSpecialPeriod");

    OnModal<frmSpecialPeriod> modal([&](frmSpecialPeriod& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Recurring Period"));
        EXPECT_EQ(child<QLabel>(d, "lblStartDay")->text(), QStringLiteral("Start of Period:"));
        EXPECT_EQ(child<QLabel>(d, "lblCycleLength")->text(), QStringLiteral("Days in Period:"));
        EXPECT_EQ(child<QLabel>(d, "lblNmae")->text(), QStringLiteral("Description:"));
        EXPECT_EQ(child<QPushButton>(d, "cmdColor")->text(), QStringLiteral("Change Color"));
        auto* lengths = child<QComboBox>(d, "cboCycleLength");
        EXPECT_EQ(lengths->count(), 29);
        EXPECT_EQ(lengths->itemText(28), QStringLiteral("28"));
        EXPECT_EQ(lengths->currentIndex(), 7);
        EXPECT_EQ(child<QLineEdit>(d, "txtName")->text(), QStringLiteral("Special Period"));
        // Today, Sunday 6 December 2026, lies in the run that began on Thursday 3 December.
        EXPECT_EQ(child<QCalendarWidget>(d, "MonthView1")->selectedDate(), QDate(2026, 12, 3));
        lengths->setCurrentIndex(0);
        child<QPushButton>(d, "cmdOK")->click();
    });
    click(*f, "mnuFileConfigureRecurringPeriod");
    EXPECT_EQ(modal.runs(), 1);
    EXPECT_FALSE(f->MenuAction(QStringLiteral("mnuViewSpecialPeriod"))->isVisible());
    EXPECT_TRUE(paintedDays(*f).isEmpty());
    EXPECT_EQ(storedSetting("Settings", "SpecialPeriodLength"), QStringLiteral("0"));
    EXPECT_EQ(storedSetting("Settings", "SpecialPeriodOffset"), QStringLiteral("0"));
    f->close();
}
