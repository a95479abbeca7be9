#include "exports/ExportSources.h"
#include "exports/IcsReadBack.h"
#include "exports/frmExportDuty.h"
#include "mainwindow/MainWindowTestSupport.h"
#include "monthcontrol/MonthGrid.h"
#include "storage/NotesStore.h"
#include "support/DataFiles.h"
#include "support/ModalDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <set>

// The period event against the cells the month control fills, grid by grid.
TEST(SpecialPeriodIcs, RunsMatchTheMonthControlsFilledCells)
{
    for (const QStringList& row : dataRows(QStringLiteral("exports/data/period_runs.txt"))) {
        SCOPED_TRACE(row.join(QLatin1Char('|')).toStdString());
        const int length = row.value(0).toInt(), offset = row.value(1).toInt();
        const QDate first = QDate::fromString(row.value(2), Qt::ISODate);
        const QDate start = QDate::fromString(row.value(3), Qt::ISODate);
        Ics::Options o;
        o.first = first;
        o.stamp = QDateTime(first, QTime(9, 0), Qt::UTC);
        o.special = specialPeriodFor(QStringLiteral("Pay, Period"), length, offset);
        const QDate last = first.addYears(3);
        const ReadBack back = readBack(Ics::exportDutyDays(*DefaultSchedule(), o).text, last);
        std::set<QDate> marked;
        QDate firstStart;
        for (const Occurrence& e : back.occurrences) {
            if (e.summary != QStringLiteral("Pay, Period"))
                continue;
            EXPECT_EQ(e.seconds, length * 86400);
            if (!firstStart.isValid())
                firstStart = e.date;
            for (int k = 0; k < length; ++k)
                marked.insert(e.date.addDays(k));
        }
        EXPECT_EQ(firstStart, start);
        for (double grid = DayNumber::fromDate(start); grid < DayNumber::fromDate(last) - 42;
             grid += MonthGrid::CellCount) {
            const auto filled = MonthGrid::specialPeriodCells(grid, length, offset);
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

TEST_F(ExportDialog, WritesThePlatoonWithThePeriod)
{
    putSettings({"Settings/SpecialPeriodLength=7", "Settings/SpecialPeriodOffset=2",
                 "Settings/SpecialPeriodName=Pay Period"});
    auto f = makeForm();
    dialogs->saveAnswer = fx.dir.path() + QStringLiteral("/duty"); // typed without ".ics"
    throughMenu(*f, [&](frmExportDuty& d) {
        EXPECT_TRUE(child<QCheckBox>(d, "chkSpecialPeriod")->isChecked());
        child<QComboBox>(d, "cboPlatoon")->setCurrentIndex(2);
        child<QSpinBox>(d, "spnHours")->setValue(0);
        child<QPushButton>(d, "cmdExport")->click();
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_EQ(dialogs->saveRequests.size(), 1u);
    EXPECT_EQ(dialogs->saveRequests[0], QDir::home().filePath("Tolvar Fire Department - B.ics"));
    EXPECT_EQ(dialogs->saveFilters[0], QStringLiteral("iCalendar (*.ics)|*.ics"));
    const QByteArray text = readBytes(out());
    EXPECT_TRUE(text.contains("\r\nCOLOR:lime\r\n")); // B is 0x00FF00
    // B by hand on 6, 8 and 13 December, from today on. The 6th is 20793 days after 1 January
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
        child<QPushButton>(d, "cmdExport")->click(); // nobody on duty in shift 2
    });
    ASSERT_EQ(fx.messages->shown.size(), 2u);
    EXPECT_TRUE(fx.messages->shown[0].text.contains(QStringLiteral("could not be written")));
    EXPECT_TRUE(fx.messages->shown[1].text.contains(QStringLiteral("No platoon is on duty")));
    // No file is asked for when nothing would be written.
    EXPECT_EQ(dialogs->saveRequests.size(), 1u);
    EXPECT_FALSE(QFile::exists(dialogs->saveAnswer));
}

TEST_F(ExportDialog, NotesBoxSaysWhyItIsOffOrCarriesTheEntriesFromTheFirstDate)
{
    const QString why = QStringLiteral("Day notes are not available. The file is damaged.");
    frmExportDuty off(nullptr, DefaultSchedule(), 1, SpecialPeriod(), nullptr, why);
    EXPECT_FALSE(child<QCheckBox>(off, "chkNotes")->isEnabled());
    EXPECT_EQ(child<QCheckBox>(off, "chkNotes")->toolTip(), why);

    QDir().mkpath(fx.dataFolder());
    const auto store = std::make_shared<NotesStore>(fx.dataFolder());
    const auto added = [&](const QDate& date, NoteKind kind, const QString& text,
                           const QString& person = QString()) {
        NoteEntry e(DayNumber::fromDate(date), kind, text, person);
        e.setId(store->Add(e));
        return e;
    };
    added(QDate(2026, 12, 5), NoteKind::Leave, "the day before today");
    const std::vector<NoteEntry> fromToday{added(QDate(2026, 12, 6), NoteKind::Note, "dentist"),
                                           added(QDate(2027, 1, 2), NoteKind::Trade, "", "Smith")};
    frmExportDuty d(nullptr, DefaultSchedule(), 1, SpecialPeriod(), store);
    auto* box = child<QCheckBox>(d, "chkNotes");
    EXPECT_TRUE(box->isEnabled());
    EXPECT_TRUE(d.options().notes.empty()); // unchecked until asked for
    box->setChecked(true);
    EXPECT_EQ(d.options().notes, fromToday);
}
