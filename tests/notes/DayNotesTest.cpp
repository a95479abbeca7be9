// Day notes through the shown main window and a real notes file: the Day
// Notes window edits a day, the calendar marks it, and what forbids an edit
// or breaks the file is said once without losing anything stored.
#include "mainwindow/MainWindowTestSupport.h"
#include "monthcontrol/MonthTestSupport.h"
#include "notes/frmDayNotes.h"
#include "notes/frmNoteEntry.h"
#include "notes/frmNotesYear.h"
#include "storage/NotesStore.h"
#include "support/FileSizeLimit.h"
#include "support/ModalDialogs.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
class DayNotes : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        QDir().mkpath(fx.dataFolder());
    }
    // The window shown, its notes file opened as it is after the first paint.
    void start()
    {
        f = makeForm();
        f->show();
        waitForNotes(*f);
    }
    QString file() const { return fx.dataFolder() + QStringLiteral("/notes.db"); }
    std::vector<NoteEntry> stored(double day) const
    {
        return NotesStore(fx.dataFolder()).EntriesOn(day);
    }
    // Fills the entry box that opens next, then presses OK.
    static std::unique_ptr<OnModal<frmNoteEntry>> typeEntry(NoteKind kind, const QString& text,
                                                            const QString& person = {})
    {
        return std::make_unique<OnModal<frmNoteEntry>>([=](frmNoteEntry& d) {
            auto* kinds = child<QComboBox>(d, "cboKind");
            kinds->setCurrentIndex(kinds->findData(static_cast<int>(kind)));
            child<QLineEdit>(d, "txtText")->setText(text);
            child<QLineEdit>(d, "txtPerson")->setText(person);
            child<QPushButton>(d, "cmdOK")->click();
        });
    }
    clsDayBox& dayCell(double day) { return *cell(*f, f->MonthControl()->CellOfDate(day)); }

    std::unique_ptr<frmCal> f;
    const double dec8 = DayNumber::fromDate(QDate(2026, 12, 8));
};
} // namespace

TEST_F(DayNotes, AddedWithTheMouseMarkedAndRemovedWithTheKeys)
{
    start();
    ASSERT_TRUE(f->Session().Notes());
    // A click chooses the day; Day Notes (Ctrl+N) opens it.
    auto* month = f->MonthControl();
    const QRect cell8 = MonthGrid::boxPixels(
        static_cast<int16_t>((month->CellOfDate(dec8) - 1) % 7),
        static_cast<int16_t>((month->CellOfDate(dec8) - 1) / 7 + 2), month->CellWidth(),
        month->CellHeight(), month->TwipsPerPixelX(), month->TwipsPerPixelY());
    clickAt(month, cell8.center());
    EXPECT_EQ(f->SelectedDay(), dec8);
    {
        OnModal<frmDayNotes> notes([&](frmDayNotes& d) {
            auto leave = typeEntry(NoteKind::Leave, QStringLiteral("summer week"));
            child<QPushButton>(d, "cmdAdd")->click();
            auto trade = typeEntry(NoteKind::Trade, QStringLiteral("covers my Tuesday"),
                                   QStringLiteral("Smith"));
            child<QPushButton>(d, "cmdAdd")->click();
            EXPECT_EQ(child<QListWidget>(d, "lstEntries")->count(), 2);
            child<QPushButton>(d, "cmdOK")->click();
        });
        QAction* command = f->MenuAction(QStringLiteral("mnuFileDayNotes"));
        EXPECT_EQ(command->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        command->trigger();
        ASSERT_EQ(notes.runs(), 1);
    }
    const auto day = stored(dec8);
    ASSERT_EQ(day.size(), 2u);
    EXPECT_EQ(day[1].Summary(), QStringLiteral("Trade with Smith: covers my Tuesday"));
    EXPECT_EQ(dayCell(dec8).MarkColor(), f->Session().KindColors().Color(NoteKind::Leave));
    EXPECT_EQ(f->MonthControl()->DayToolTip(f->MonthControl()->CellOfDate(dec8)).section('\n', 1),
              QStringLiteral("Leave: summer week\nTrade with Smith: covers my Tuesday"));

    // A kind's colour, chosen from the View menu, marks at once and is kept.
    dialogs->colorAnswer = 0x123456;
    click(*f, "mnuViewNoteColor_Leave");
    EXPECT_EQ(dayCell(dec8).MarkColor(), 0x123456);
    EXPECT_EQ(storedSetting("Notes", "ColorLeave"), QString::number(0x123456));

    // The year at a glance follows every edit; a row chosen there is the day chosen.
    click(*f, "mnuViewNotesForYear");
    auto* year = f->findChild<frmNotesYear*>();
    ASSERT_NE(year, nullptr);
    EXPECT_EQ(year->windowTitle(), QStringLiteral("Notes for 2026"));
    auto* leaveDays = year->findChild<QLabel*>(QStringLiteral("lblDaysLeave"));
    EXPECT_EQ(leaveDays->text(), QStringLiteral("Leave: 1 day"));
    emit year->DayChosen(dec8 + 3);
    EXPECT_EQ(f->SelectedDay(), dec8 + 3);
    EXPECT_EQ(f->MonthControl()->FocusDate(), dec8 + 3);

    // View > Show Notes hides the marks, and the next run remembers it.
    click(*f, "mnuViewShowNotes");
    EXPECT_EQ(dayCell(dec8).MarkColor(), -1);
    EXPECT_EQ(storedSetting("Notes", "ShowNotes"), QStringLiteral("False"));
    click(*f, "mnuViewShowNotes");

    // The keys alone: Delete takes the chosen entry off the list, Enter is OK.
    OnModal<frmDayNotes> keys([&](frmDayNotes& d) {
        auto* list = child<QListWidget>(d, "lstEntries");
        EXPECT_EQ(d.focusWidget(), list); // where the keys go once the window is active
        for (const int key : {Qt::Key_Delete, Qt::Key_Return}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(list, &press);
        }
    });
    f->EditDayNotes(dec8);
    ASSERT_EQ(stored(dec8).size(), 1u);
    EXPECT_EQ(stored(dec8)[0].Kind(), NoteKind::Trade);
    EXPECT_EQ(dayCell(dec8).MarkColor(), f->Session().KindColors().Color(NoteKind::Trade));
    EXPECT_EQ(leaveDays->text(), QStringLiteral("Leave: 0 days"));
    // The notes are the user's: another schedule keeps them.
    f->setSchedule(TwoShiftSchedule());
    EXPECT_EQ(dayCell(dec8).MarkColor(), f->Session().KindColors().Color(NoteKind::Trade));
}

TEST_F(DayNotes, AFailedSaveKeepsTheWindowOpenAndTheStoredEntries)
{
    start();
    NotesStore(fx.dataFolder()).Add(NoteEntry(dec8, NoteKind::Sick));
    OnModal<frmDayNotes> notes([&](frmDayNotes& d) {
        auto leave = typeEntry(NoteKind::Leave, QStringLiteral("summer week"));
        child<QPushButton>(d, "cmdAdd")->click();
        {
            const FileSizeLimit full(0);
            child<QPushButton>(d, "cmdOK")->click();
        }
        ASSERT_EQ(fx.messages->shown.size(), 1u);
        EXPECT_TRUE(fx.messages->texts()[0].startsWith(QStringLiteral("Error 57 (The notes file ")))
            << fx.messages->texts()[0].toStdString();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(stored(dec8).size(), 1u);
        child<QPushButton>(d, "cmdOK")->click(); // room again
    });
    f->EditDayNotes(dec8);
    EXPECT_EQ(stored(dec8).size(), 2u);
}

TEST_F(DayNotes, RefusedWhileLockedInTheWizardStepOrWithoutAFile)
{
    // A file that is no database: said once at start, left as it was.
    const QByteArray garbage(3000, 'x');
    writeBytes(file(), garbage);
    start();
    ASSERT_EQ(fx.messages->texts().size(), 1);
    EXPECT_TRUE(fx.messages->texts()[0].contains(QDir::toNativeSeparators(file())));
    EXPECT_EQ(readBytes(file()), garbage);

    OnModal<frmDayNotes> never([](frmDayNotes&) {});
    const struct {
        std::function<void()> arrange;
        const char* says;
    } cases[] = {
        {[] {}, "Day notes are not available. The notes file "},
        {[&] { f->Session().setEditMode(1); }, "The days are being set in the Create Schedule"},
        {[&] {
             f->Session().setEditMode(0);
             f->Session().setLocked(true);
         },
         "Schedule is Locked"},
    };
    for (const auto& c : cases) {
        c.arrange();
        fx.messages->shown.clear();
        click(*f, "mnuFileDayNotes");
        ASSERT_EQ(fx.messages->texts().size(), 1) << c.says;
        EXPECT_TRUE(fx.messages->texts()[0].startsWith(QString::fromUtf8(c.says)))
            << fx.messages->texts()[0].toStdString();
    }
    QApplication::processEvents();
    EXPECT_EQ(never.runs(), 0);
}
