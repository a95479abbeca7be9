#include "exports/ExportSources.h"
#include "exports/IcsReadBack.h"
#include "exports/frmExportDuty.h"
#include "mainwindow/MainWindowTestSupport.h"
#include "monthcontrol/MonthGrid.h"
#include "support/ModalDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <set>

// The period event against the cells the month control fills, grid by grid.
TEST(SpecialPeriodIcs, RunsMatchTheMonthControlsFilledCells)
{
    const struct {
        int32_t length, offset;
        QDate first, start; // start: worked by hand
    } rows[] = {
        {7, 2, QDate(2009, 10, 10), QDate(2009, 10, 8)},  // inside the run of 8 to 14 October
        {7, 2, QDate(2009, 10, 14), QDate(2009, 10, 8)},  // its last day
        {7, 2, QDate(2009, 10, 1), QDate(2009, 10, 8)},   // an unfilled run: the next one
        {7, 2, QDate(2009, 10, 15), QDate(2009, 10, 22)}, // the day after a run
        {28, 28, QDate(1970, 1, 1), QDate(1970, 2, 24)},  // nothing fills before 1970-02-24
        {1, 1, QDate(2026, 12, 6), QDate(2026, 12, 7)},
        {14, 9, QDate(2026, 2, 27), QDate(2026, 3, 5)}, // (20511 - 7) \ 14 even
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.first.toString(Qt::ISODate).toStdString());
        Ics::Options o;
        o.first = row.first;
        o.stamp = QDateTime(row.first, QTime(9, 0), Qt::UTC);
        o.special = specialPeriodFor(QStringLiteral("Pay, Period"), row.length, row.offset);
        const QDate last = row.first.addYears(3);
        const ReadBack back = readBack(Ics::exportDutyDays(*DefaultSchedule(), o).text, last);
        std::set<QDate> marked;
        QDate firstStart;
        for (const Occurrence& e : back.occurrences) {
            if (e.summary != QStringLiteral("Pay, Period"))
                continue;
            EXPECT_TRUE(e.time.isNull());
            EXPECT_EQ(e.seconds, row.length * 86400);
            if (!firstStart.isValid())
                firstStart = e.date;
            for (int k = 0; k < row.length; ++k)
                marked.insert(e.date.addDays(k));
        }
        EXPECT_EQ(firstStart, row.start);
        for (double grid = DayNumber::fromDate(row.start); grid < DayNumber::fromDate(last) - 42;
             grid += MonthGrid::CellCount) {
            const auto filled = MonthGrid::specialPeriodCells(grid, row.length, row.offset);
            for (int k = 0; k < MonthGrid::CellCount; ++k)
                ASSERT_EQ(marked.count(DayNumber::toDate(grid + k)) == 1, filled[k])
                    << DayNumber::toDate(grid + k).toString(Qt::ISODate).toStdString();
        }
    }
}

class ExportDialog : public MainWindowTest {
protected:
    // Opens the dialog from the File menu and acts on it while it is up.
    void throughMenu(frmCal& f, std::function<void(frmExportDuty&)> act)
    {
        OnModal<frmExportDuty> modal(act);
        click(f, "mnuFileExportDutyDays");
        EXPECT_EQ(modal.runs(), 1);
    }
    QString out() const { return fx.dir.path() + QStringLiteral("/duty.ics"); }
};

TEST_F(ExportDialog, SitsAfterPrintPreviewAndWritesThePlatoonWithThePeriod)
{
    putSettings({"Settings/SpecialPeriodLength=7", "Settings/SpecialPeriodOffset=2",
                 "Settings/SpecialPeriodName=Pay Period"});
    auto f = makeForm();
    const QList<QAction*> file = f->findChild<QMenu*>(QStringLiteral("mnuFile"))->actions();
    EXPECT_EQ(file.indexOf(f->MenuAction("mnuFileExportDutyDays")),
              file.indexOf(f->MenuAction("mnuFilePrintPreview")) + 1);
    EXPECT_EQ(f->MenuAction(QStringLiteral("mnuFileExportDutyDays"))->text(),
              QStringLiteral("Export &Duty Days..."));

    dialogs->saveAnswer = out();
    throughMenu(*f, [&](frmExportDuty& d) {
        auto* platoon = child<QComboBox>(d, "cboPlatoon");
        QStringList names;
        for (int i = 0; i < platoon->count(); ++i)
            names << platoon->itemText(i);
        EXPECT_EQ(names, QStringList({"All platoons", "A Platoon", "B Platoon", "C Platoon"}));
        EXPECT_FALSE(platoon->itemIcon(1).isNull());
        EXPECT_EQ(child<QComboBox>(d, "cboShift")->count(), 1);
        EXPECT_EQ(std::make_tuple(child<QDateEdit>(d, "dtpFirstDate")->date(),
                                  child<QTimeEdit>(d, "tmeStart")->time(),
                                  child<QSpinBox>(d, "spnHours")->value()),
                  std::make_tuple(QDate(2026, 12, 6), QTime(7, 0), 24));
        auto* period = child<QCheckBox>(d, "chkSpecialPeriod");
        EXPECT_TRUE(period->isVisible() && period->isChecked());
        EXPECT_TRUE(period->text().contains(QStringLiteral("Pay Period")));
        platoon->setCurrentIndex(2);
        child<QSpinBox>(d, "spnHours")->setValue(0);
        child<QPushButton>(d, "cmdExport")->click();
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_EQ(dialogs->saveRequests.size(), 1u);
    EXPECT_EQ(dialogs->saveRequests[0], QDir::home().filePath("Tolvar Fire Department - B.ics"));
    EXPECT_EQ(dialogs->saveFilters[0], QStringLiteral("iCalendar (*.ics)|*.ics"));
    const QByteArray text = readBytes(out());
    EXPECT_TRUE(text.contains("\r\nCOLOR:lime\r\n")); // B is 0x00FF00
    // B by hand on 6, 8 and 13 December. The 6th is 20793 days after 1 January
    // 1970 and 20793 \ 7 = 2970 is even: unfilled, so the period starts on the 10th.
    const QString b = QStringLiteral(" all-day 24 B Platoon - Tolvar Fire Department");
    EXPECT_EQ(dayLines(readBack(text, QDate(2026, 12, 14))),
              QStringList({"6" + b, "8" + b, "13" + b, "10 all-day 168 Pay Period"}));
    EXPECT_TRUE(fx.messages->shown.empty());
}

TEST_F(ExportDialog, OffersOnlyTheSchedulesShiftsAndReportsFailures)
{
    auto f = makeForm();
    auto schedule = TwoShiftSchedule();
    schedule->Shifts()->Item(2)->setSequence(QStringLiteral("0"));
    f->setSchedule(schedule);
    dialogs->saveAnswer = fx.dir.path() + QStringLiteral("/missing/folder/duty.ics");
    throughMenu(*f, [&](frmExportDuty& d) {
        auto* shift = child<QComboBox>(d, "cboShift");
        EXPECT_EQ(shift->count(), 2);
        EXPECT_FALSE(child<QCheckBox>(d, "chkSpecialPeriod")->isVisible());
        child<QPushButton>(d, "cmdExport")->click(); // shift 1, every platoon
        EXPECT_TRUE(d.isVisible());
        shift->setCurrentIndex(1);
        EXPECT_EQ(child<QComboBox>(d, "cboPlatoon")->itemText(1), QStringLiteral("U Blue"));
        child<QPushButton>(d, "cmdExport")->click(); // nobody on duty in shift 2
    });
    ASSERT_EQ(fx.messages->shown.size(), 2u);
    EXPECT_TRUE(fx.messages->shown[0].text.contains(QStringLiteral("could not be written")));
    EXPECT_TRUE(fx.messages->shown[1].text.contains(QStringLiteral("No platoon is on duty")));
    // No file is asked for when nothing would be written.
    EXPECT_EQ(dialogs->saveRequests.size(), 1u);
    EXPECT_FALSE(QFile::exists(dialogs->saveAnswer));
}
