// The image calendar marks the day entries of the session it is given, on
// screen and on the printed page.
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
