// The image calendar marks the day entries of the session it is given, on
// screen and on the printed page.
#include "calendars/OtherCalendars.h"
#include "imagecalendar/ImageCalendarTestSupport.h"
#include "session/CalendarSession.h"
#include "storage/NotesStore.h"
#include "support/Pixels.h"
#include "support/Poppler.h"

TEST_F(ImageCalendarTest, MarksTheSessionsNotesOnScreenAndOnThePrintedPage)
{
    QDir().mkpath(fx.dataFolder());
    auto session = std::make_shared<CalendarSession>();
    ASSERT_EQ(session->OpenNotes(fx.dataFolder()), QString());
    NoteColors colors;
    colors.setColor(NoteKind::Leave, 0x0080FF); // orange: no platoon's colour
    session->setKindColors(colors);
    const double dec15 = DayNumber::fromDate(QDate(2026, 12, 15));
    session->Notes()->Add(NoteEntry(dec15, NoteKind::Leave, QStringLiteral("summer week")));

    ImageCalendarSource source;
    source.schedule = TwoShiftSchedule();
    source.notes = session;
    frmYear f(std::move(source));
    f.show();
    ctlMonth& december = *f.Month(0);
    const int position = december.CellOfDate(dec15);
    EXPECT_EQ(december.Days().Item(position)->MarkColor(), 0x0080FF);
    EXPECT_EQ(december.DayToolTip(position).section('\n', 1), QStringLiteral("Leave: summer week"));
    auto orange = [](const QColor& c) {
        return c.red() > 200 && c.green() > 90 && c.green() < 170 && c.blue() < 60;
    };
    f.CaptureCalendar();
    const QImage shown = f.CapturedPicture().toImage();
    EXPECT_GE(countPixels(shown, shown.rect(), orange), 6);

    // Hidden marks go from every month at once.
    session->setShowNotes(false);
    f.RefreshNotes();
    EXPECT_EQ(december.Days().Item(position)->MarkColor(), -1);
    session->setShowNotes(true);
    f.RefreshNotes();

    printers->printDialogFile = file("printed.pdf");
    click(f, "mnuFilePrintToFitPage");
    const QImage page = pdfPage(file("printed.pdf"), 100);
    if (page.isNull())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    EXPECT_GE(countPixels(page, page.rect(), orange), 4);
}

// A page cannot wait for the background reading as the window does: printed
// at once after the calendar is added, it has the bars all the same.
TEST_F(ImageCalendarTest, PrintsTheOtherCalendarsBarsWithoutWaitingToBeAsked)
{
    auto session = std::make_shared<CalendarSession>();
    session->Calendars().Add(
        QStringLiteral(TARNWELL_TEST_DATA "/../data/calendars/us-federal-holidays.ics"));
    session->Calendars().setColor(0, 0xE02020); // blue: no platoon's colour
    ImageCalendarSource source;
    source.schedule = TwoShiftSchedule();
    source.notes = session;
    frmYear f(std::move(source));
    f.show();
    printers->printDialogFile = file("holidays.pdf");
    click(f, "mnuFilePrintToFitPage");
    ctlMonth& december = *f.Month(0);
    const int position = december.CellOfDate(DayNumber::fromDate(QDate(2026, 12, 25)));
    EXPECT_EQ(december.Days().Item(position)->BarColors(), std::vector<int32_t>{0xE02020});
    EXPECT_EQ(december.DayToolTip(position).section('\n', 1),
              QStringLiteral("Christmas Day (US federal holidays)"));
    const QImage page = pdfPage(file("holidays.pdf"), 100);
    if (page.isNull())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    EXPECT_GE(countPixels(
                  page, page.rect(),
                  [](const QColor& c) { return c.blue() > 150 && c.red() < 90 && c.green() < 90; }),
              4);
}
