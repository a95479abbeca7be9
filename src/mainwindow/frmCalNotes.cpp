// The main window's day notes: opening the notes file once the calendar is
// on screen, the commands that edit and show the entries, and their marks.
#include "mainwindow/frmCal.h"

#include "calendars/OtherCalendars.h"
#include "calendars/frmOtherCalendars.h"
#include "imagecalendar/frmYear.h"
#include "mainwindow/frmCalSupport.h"
#include "model/DayNumber.h"
#include "monthcontrol/ScheduleFill.h"
#include "monthcontrol/ctlMonth.h"
#include "notes/frmDayNotes.h"
#include "notes/frmNotesYear.h"
#include "platform/HelpPage.h"
#include "platform/IClock.h"
#include "platform/Services.h"
#include "platform/widgets/IDialogs.h"
#include "platform/widgets/MsgBox.h"
#include "storage/Module1Files.h"
#include "storage/NotesStore.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QTimer>

using namespace calform;

void frmCal::buildNotesMenus()
{
    mnuFileDayNotes = new QAction(QStringLiteral("Day &Notes..."), this);
    mnuFileDayNotes->setObjectName(QStringLiteral("mnuFileDayNotes"));
    mnuFileDayNotes->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuFile->insertAction(mnuFileExportDutyDays, mnuFileDayNotes);
    connect(mnuFileDayNotes, &QAction::triggered, this, &frmCal::mnuFileDayNotes_Click);

    mnuView->addSeparator()->setObjectName(QStringLiteral("mnuViewBar1"));
    mnuViewShowNotes = mnuView->addAction(QStringLiteral("Show &Notes"));
    mnuViewShowNotes->setObjectName(QStringLiteral("mnuViewShowNotes"));
    mnuViewShowNotes->setCheckable(true);
    mnuViewShowNotes->setChecked(session_->ShowNotes());
    connect(mnuViewShowNotes, &QAction::triggered, this, &frmCal::mnuViewShowNotes_Click);
    mnuViewNoteColors = mnuView->addMenu(QStringLiteral("Note &Colors"));
    mnuViewNoteColors->setObjectName(QStringLiteral("mnuViewNoteColors"));
    mnuViewNoteColors->menuAction()->setObjectName(QStringLiteral("mnuViewNoteColors"));
    for (NoteKind kind : AllNoteKinds) {
        QAction* a = mnuViewNoteColors->addAction(QLatin1Char('&') + NoteKindName(kind) +
                                                  QStringLiteral("..."));
        a->setObjectName(QStringLiteral("mnuViewNoteColor_") + NoteKindName(kind));
        connect(a, &QAction::triggered, this, [this, kind] { mnuViewNoteColor_Click(kind); });
    }

    mnuViewNotesForYear = mnuView->addAction(QString());
    mnuViewNotesForYear->setObjectName(QStringLiteral("mnuViewNotesForYear"));
    connect(mnuViewNotesForYear, &QAction::triggered, this, &frmCal::mnuViewNotesForYear_Click);
    connect(ctlMonth1, &ctlMonth::DateChange, this, &frmCal::UpdateNotesMenu);
    UpdateNotesMenu();

    mnuViewOtherCalendars = mnuView->addAction(QStringLiteral("&Other Calendars..."));
    mnuViewOtherCalendars->setObjectName(QStringLiteral("mnuViewOtherCalendars"));
    connect(mnuViewOtherCalendars, &QAction::triggered, this, &frmCal::mnuViewOtherCalendars_Click);

    connect(session_.get(), &CalendarSession::NotesChanged, this, &frmCal::showNotes);
    // The list changed, or the days of another month are worked out.
    connect(&session_->Calendars(), &OtherCalendars::Changed, this,
            [this] { handled("showCalendars", [&] { showDayMarks(); }); });
    connect(
        &session_->Calendars(), &OtherCalendars::Problem, this,
        [](const QString& message) { MsgBox(message, Msg::OKOnly | Msg::Exclamation); },
        Qt::QueuedConnection);
    // A message box must not open inside the paint or layout that read the file.
    connect(
        session_.get(), &CalendarSession::NotesReadFailed, this,
        [](const QString& message) { MsgBox(message, Msg::OKOnly | Msg::Exclamation); },
        Qt::QueuedConnection);
    connect(ctlMonth1, &ctlMonth::MouseDown, this, [this](int, int, double, double y) {
        pressedOnDay_ = y >= 2.0 * ctlMonth1->CellHeight();
    });
    connect(ctlMonth1, &ctlMonth::DblClick, this, &frmCal::ctlMonth1_DblClick);
    ctlMonth1->setMarkDetails([session = session_](double day) { return session->DayLines(day); });
    connect(ctlMonth1, &ctlMonth::FocusDayMoved, this,
            [this] { selectedDay_ = ctlMonth1->FocusDate(); });
    // The file is opened (and checked) once the calendar has painted, so a
    // large one never delays the first sight of the month.
    ctlMonth1->installEventFilter(this);
}

void frmCal::LoadNoteSettings(const CalSettings::ReadError& onError)
{
    session_->setShowNotes(CalSettings::readBool(CalSettings::ShowNotes, onError));
    session_->setKindColors(NoteColors::Read());
}

void frmCal::notesPainted()
{
    if (notesOpenQueued_)
        return;
    notesOpenQueued_ = true;
    ctlMonth1->removeEventFilter(this);
    QTimer::singleShot(0, this, [this] {
        // Read in the background; the days get their bars as they are ready.
        handled("ReadCalendars", [&] { session_->Calendars().Read(); });
        handled("OpenNotes", [&] {
            EnsureAppFolder();
            const QString refused = session_->OpenNotes(DataFolder());
            if (!refused.isEmpty())
                MsgBox(refused, Msg::OKOnly | Msg::Exclamation);
        });
    });
}

void frmCal::FillNotes()
{
    const double first = ctlMonth1->DateOfCell(1), last = ctlMonth1->DateOfCell(42);
    FillDaysWithNotes(*ctlMonth1, session_->ShownMarks(first, last), session_->KindColors());
    FillDaysWithCalendars(*ctlMonth1, session_->Calendars().ShownBars(first, last));
}

void frmCal::mnuViewOtherCalendars_Click()
{
    if (!otherCalendars_) {
        otherCalendars_ = new frmOtherCalendars(
            session_->Calendars(),
            LocateDataItem(QCoreApplication::applicationDirPath(), QStringLiteral("calendars")),
            this);
    }
    otherCalendars_->show();
    otherCalendars_->raise();
    otherCalendars_->activateWindow();
}

void frmCal::showNotes()
{
    handled("showNotes", [&] {
        mnuViewShowNotes->setChecked(session_->ShowNotes());
        showDayMarks();
        if (notesYear_)
            notesYear_->Refresh();
    });
}

void frmCal::showDayMarks()
{
    FillDays();
    if (ctlMonth1->IsShown())
        ctlMonth1->Repaint();
    if (imageCalendar_)
        imageCalendar_->RefreshNotes();
}

double frmCal::SelectedDay() const
{
    if (selectedDay_ > 0)
        return selectedDay_;
    const double today = DayNumber::fromDate(clockService().today());
    return today >= ctlMonth1->FullDate() && today <= ctlMonth1->LastDay() ? today
                                                                           : ctlMonth1->FocusDate();
}

bool frmCal::NotesRefused()
{
    // The clicks on the days are the wizard's while its on-duty step is open.
    if (session_->EditMode() == 1) {
        MsgBox(QStringLiteral("The days are being set in the Create Schedule wizard. Close its "
                              "on-duty step to edit day notes."),
               Msg::OKOnly | Msg::Information, QStringLiteral("Day Notes"));
        return true;
    }
    return LockedAgainstChange() || NotesUnavailableSaid();
}

bool frmCal::NotesUnavailableSaid()
{
    const QString why = session_->NotesUnavailable();
    if (!why.isEmpty())
        MsgBox(why, Msg::OKOnly | Msg::Exclamation, QStringLiteral("Day Notes"));
    return !why.isEmpty();
}

void frmCal::mnuFileDayNotes_Click()
{
    handled("mnuFileDayNotes_Click", [&] { EditDayNotes(SelectedDay()); });
}

void frmCal::ctlMonth1_DblClick()
{
    // A double click in the title row is no choice of a day, nor is one
    // while the wizard takes the clicks.
    if (!pressedOnDay_ || session_->EditMode() == 1)
        return;
    handled("ctlMonth1_DblClick", [&] { EditDayNotes(selectedDay_); });
}

void frmCal::EditDayNotes(double day)
{
    if (NotesRefused())
        return;
    const auto notes = session_->Notes();
    day = DayNumber::wholeDay(day);
    frmDayNotes box(this, day, notes->EntriesOn(day), session_->KindColors(),
                    [&](const std::vector<NoteEntry>& entries) {
                        notes->SaveDay(day, entries);
                        session_->notesEdited();
                    });
    box.exec();
}

void frmCal::mnuViewShowNotes_Click()
{
    handled("mnuViewShowNotes_Click", [&] {
        const bool shown = !session_->ShowNotes();
        session_->setShowNotes(shown);
        CalSettings::writeBool(CalSettings::ShowNotes, shown);
    });
}

void frmCal::mnuViewNoteColor_Click(NoteKind kind)
{
    handled("mnuViewNoteColor_Click", [&] {
        NoteColors colors = session_->KindColors();
        int32_t chosen = colors.Color(kind);
        if (!dialogsService().chooseColor(this, chosen, chosen))
            return;
        colors.setColor(kind, chosen);
        NoteColors::Write(kind, chosen);
        session_->setKindColors(colors);
    });
}

void frmCal::UpdateNotesMenu()
{
    const int year = DayNumber::toDate(ctlMonth1->FullDate()).year();
    mnuViewNotesForYear->setText(QStringLiteral("Notes &for %1...").arg(year));
}

void frmCal::mnuViewNotesForYear_Click()
{
    handled("mnuViewNotesForYear_Click", [&] {
        // Reading needs no unlocked schedule: only a usable file.
        if (NotesUnavailableSaid())
            return;
        const int year = DayNumber::toDate(ctlMonth1->FullDate()).year();
        if (!notesYear_) {
            notesYear_ = new frmNotesYear(this, session_->Notes(), year, session_->KindColors());
            connect(notesYear_, &frmNotesYear::DayChosen, this, [this](double day) {
                ctlMonth1->setFocusDate(day);
                selectedDay_ = DayNumber::wholeDay(day);
            });
        } else {
            notesYear_->ShowYear(year);
        }
        notesYear_->show();
        notesYear_->raise();
        notesYear_->activateWindow();
    });
}
