#include "specialperiod/frmSpecialPeriod.h"
#include "mainwindow/MainWindowTestSupport.h"
#include "monthcontrol/MonthTestSupport.h"
#include "platform/widgets/OleColor.h"
#include "support/ModalDialogs.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int32_t Fill = 0xFFE0C0; // light blue: no platoon of the default schedule has it

// October 2009's week rows as painted, 'F' for a cell in the fill colour.
QStringList paintedOctober2009(frmCal& f)
{
    ctlMonth* m = f.MonthControl();
    m->setFullDate(DayNumber::fromDate(QDate(2009, 10, 1)));
    m->Repaint();
    const QImage img = m->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QColor fill = OleColor::toQColor(Fill, m->palette());
    QStringList rows;
    for (int row = 2; row < m->RowCount(); ++row) {
        rows << QString();
        for (int col = 0; col < 7; ++col)
            rows.back() += QLatin1Char(cornerOf(img, *m, row, col) == fill ? 'F' : '.');
    }
    return rows;
}
} // namespace

using SpecialPeriodDialog = MainWindowTest;

// The two worked examples, a run from a Saturday and length 0 between them, on
// one window. The grid starts on Sunday 27 September; runs of seven with offset
// 2 fill 27-30 September, 8-14 and 22-28 October and 5-7 November.
TEST_F(SpecialPeriodDialog, WorkedExamplesAndLengthZeroOnThePaintedCalendar)
{
    dialogs->colorAnswer = Fill;
    const QStringList weeks{"FFFF...", "....FFF", "FFFF...", "....FFF", "FFFF...", "....FFF"};
    const QStringList fromSaturdays{"FFFFFF.", "......F", "FFFFFF.",
                                    "......F", "FFFFFF.", "......F"};
    const struct {
        QDate start; // invalid: keep the preselected one
        int length;
        QStringList painted;
        const char* offset;
        QDate preselected; // today's run of the period stored before
    } steps[] = {
        {{2009, 10, 8}, 7, weeks, "2", {2026, 12, 6}}, // 8-14 October filled
        // 6 December 2026 lies between shaded runs: the last one before it
        // starts 6,258 days (447 fortnights) after 8 October 2009, on 26 November.
        {{2009, 10, 10}, 7, fromSaturdays, "4", {2026, 11, 26}},
        // ... and 6,258 days after 10 October 2009: 28 November.
        {{}, 0, QStringList(6, QStringLiteral(".......")), "0", {2026, 11, 28}},
        {{2009, 10, 1}, 7, weeks, "2", {2026, 12, 6}}, // 1-7 October unfilled
    };
    auto f = makeForm();
    f->resize(900, 700);
    f->show();
    QAction* view = f->MenuAction(QStringLiteral("mnuViewSpecialPeriod"));
    for (const auto& s : steps) {
        SCOPED_TRACE(&s - steps); // the step's index
        if (view->isChecked())
            view->trigger(); // hidden, as the user hides it
        OnModal<frmSpecialPeriod> modal([&](frmSpecialPeriod& d) {
            auto* picker = child<QCalendarWidget>(d, "MonthView1");
            EXPECT_EQ(picker->selectedDate(), s.preselected);
            if (s.start.isValid())
                picker->setSelectedDate(s.start);
            child<QComboBox>(d, "cboCycleLength")->setCurrentIndex(s.length);
            child<QLineEdit>(d, "txtName")->setText(QStringLiteral("Pay Period"));
            child<QPushButton>(d, "cmdColor")->click();
            child<QPushButton>(d, "cmdOK")->click();
        });
        click(*f, "mnuFileConfigureRecurringPeriod");
        EXPECT_TRUE(view->isVisible() == (s.length >= 1) && view->isChecked() == (s.length >= 1));
        EXPECT_EQ(paintedOctober2009(*f), s.painted);
        const QStringList stored{QStringLiteral("Settings/SpecialPeriodLength=%1").arg(s.length),
                                 QStringLiteral("Settings/SpecialPeriodOffset=") + s.offset,
                                 "Settings/SpecialPeriodName=Pay Period",
                                 QStringLiteral("Settings/SpecialPeriodColor=%1").arg(Fill),
                                 // with the others: a session that does not end normally keeps it
                                 s.length >= 1 ? "Settings/SpecialPeriodChecked=True"
                                               : "Settings/SpecialPeriodChecked=False"};
        EXPECT_EQ(storedAs(stored), stored);
    }
    // The name is a menu item: a long one is cut where typing stops, a blank
    // one shows as the default name rather than as an empty row.
    for (const QString& typed : {QString(4000, 'x'), QStringLiteral(" ")}) {
        OnModal<frmSpecialPeriod> modal([&](frmSpecialPeriod& d) {
            child<QComboBox>(d, "cboCycleLength")->setCurrentIndex(7);
            child<QLineEdit>(d, "txtName")->setText(typed);
            child<QPushButton>(d, "cmdOK")->click();
        });
        click(*f, "mnuFileConfigureRecurringPeriod");
        EXPECT_EQ(view->text(), typed.size() > 1 ? QString(40, 'x') : "Special Period");
    }
    f->close();
}
