// Events of iCalendar files put on calendar days, checked against dates
// worked out by hand, and the files that cannot be shown.
#include "calendars/IcsCalendar.h"
#include "calendars/OtherCalendars.h"
#include "model/DayNumber.h"
#include "support/Fakes.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

// Readable failures: the lists are of dates and summaries.
static void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << list.join(QStringLiteral(" | ")).toStdString();
}

namespace {
double day(const char* iso)
{
    return DayNumber::fromDate(QDate::fromString(iso, Qt::ISODate));
}

QByteArray calendar(const QByteArray& events)
{
    return QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\n") + events +
           "END:VCALENDAR\r\n";
}

QStringList shown(const std::vector<CalendarDay>& days)
{
    QStringList out;
    for (const CalendarDay& d : days)
        out << DayNumber::toDate(d.day).toString(Qt::ISODate) + QLatin1Char(' ') + d.summary;
    return out;
}

const char* const Drill = "BEGIN:VEVENT\r\nUID:drill\r\nSUMMARY:Drill\r\n"
                          "DTSTART;TZID=Europe/London:20261201T190000\r\n"
                          "DTEND;TZID=Europe/London:20261201T210000\r\n"
                          "RRULE:FREQ=WEEKLY;BYDAY=TU\r\n"
                          "EXDATE;TZID=Europe/London:20261222T190000\r\nEND:VEVENT\r\n"
                          "BEGIN:VEVENT\r\nUID:drill\r\nSUMMARY:Drill (moved)\r\n"
                          "RECURRENCE-ID;TZID=Europe/London:20261215T190000\r\n"
                          "DTSTART;TZID=Europe/London:20261217T190000\r\n"
                          "DTEND;TZID=Europe/London:20261217T210000\r\nEND:VEVENT\r\n";
} // namespace

TEST(IcsCalendar, EventsFallOnTheDaysWorkedOutByHand)
{
    const struct {
        const char* what;
        const char* events;
        const char *first, *last, *zone;
        QStringList expected;
    } rows[] = {
        {"yearly on a date",
         "BEGIN:VEVENT\r\nSUMMARY:Independence Day\r\n"
         "DTSTART;VALUE=DATE:20000704\r\nRRULE:FREQ=YEARLY\r\nEND:VEVENT\r\n",
         "2027-06-01",
         "2027-07-31",
         "UTC",
         {"2027-07-04 Independence Day"}},
        {"yearly on the fourth Thursday",
         "BEGIN:VEVENT\r\nSUMMARY:Thanksgiving\r\n"
         "DTSTART;VALUE=DATE:20001123\r\n"
         "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=4TH\r\nEND:VEVENT\r\n",
         "2026-10-01",
         "2026-12-31",
         "UTC",
         {"2026-11-26 Thanksgiving"}},
        {"monthly on the last Monday",
         "BEGIN:VEVENT\r\nSUMMARY:Meeting\r\n"
         "DTSTART;VALUE=DATE:20260126\r\n"
         "RRULE:FREQ=MONTHLY;BYDAY=-1MO\r\nEND:VEVENT\r\n",
         "2026-12-01",
         "2027-02-28",
         "UTC",
         {"2026-12-28 Meeting", "2027-01-25 Meeting", "2027-02-22 Meeting"}},
        {"an EXDATE and a moved occurrence",
         Drill,
         "2026-12-01",
         "2026-12-31",
         "Europe/London",
         {"2026-12-01 Drill", "2026-12-08 Drill", "2026-12-17 Drill (moved)", "2026-12-29 Drill"}},
        {"a multi-day event, the end date not included",
         "BEGIN:VEVENT\r\nSUMMARY:Leave\r\nDTSTART;VALUE=DATE:20261230\r\n"
         "DTEND;VALUE=DATE:20270102\r\nEND:VEVENT\r\n",
         "2026-12-31",
         "2027-01-05",
         "UTC",
         {"2026-12-31 Leave", "2027-01-01 Leave"}},
        {"late evening in New York is the next morning in Berlin",
         "BEGIN:VEVENT\r\nSUMMARY:Call\r\nDTSTART;TZID=America/New_York:20261231T220000\r\n"
         "DTEND;TZID=America/New_York:20261231T230000\r\nEND:VEVENT\r\n",
         "2026-12-30",
         "2027-01-02",
         "Europe/Berlin",
         {"2027-01-01 Call"}},
        {"and the same evening in New York",
         "BEGIN:VEVENT\r\nSUMMARY:Call\r\nDTSTART;TZID=America/New_York:20261231T220000\r\n"
         "END:VEVENT\r\n",
         "2026-12-30",
         "2027-01-02",
         "America/New_York",
         {"2026-12-31 Call"}},
        {"a UTC time after local midnight",
         "BEGIN:VEVENT\r\nSUMMARY:Net\r\n"
         "DTSTART:20261231T233000Z\r\nEND:VEVENT\r\n",
         "2026-12-30",
         "2027-01-02",
         "Europe/Berlin",
         {"2027-01-01 Net"}},
        {"a timed event over midnight covers both days",
         "BEGIN:VEVENT\r\nSUMMARY:Night\r\nDTSTART:20261230T220000\r\n"
         "DURATION:PT4H\r\nEND:VEVENT\r\n",
         "2026-12-29",
         "2027-01-02",
         "UTC",
         {"2026-12-30 Night", "2026-12-31 Night"}},
        {"a counted rule read from a later month",
         "BEGIN:VEVENT\r\nSUMMARY:Course\r\n"
         "DTSTART;VALUE=DATE:20261230\r\n"
         "RRULE:FREQ=DAILY;COUNT=3\r\nEND:VEVENT\r\n",
         "2027-01-01",
         "2027-01-31",
         "UTC",
         {"2027-01-01 Course"}},
        // Every 25 hours from 1 December, 22:00: a day a day, the clock an hour
        // later each time, until 23:00 on the 27th is followed by 00:00 on the 29th.
        {"an hourly rule keeps its step from the first occurrence",
         "BEGIN:VEVENT\r\nSUMMARY:Check\r\nDTSTART:20261201T220000\r\n"
         "RRULE:FREQ=HOURLY;INTERVAL=25\r\nEND:VEVENT\r\n",
         "2026-12-26",
         "2026-12-31",
         "UTC",
         {"2026-12-26 Check", "2026-12-27 Check", "2026-12-29 Check", "2026-12-30 Check",
          "2026-12-31 Check"}},
        {"an RDATE and a cancelled occurrence",
         "BEGIN:VEVENT\r\nUID:x\r\nSUMMARY:Audit\r\nDTSTART;VALUE=DATE:20261201\r\n"
         "RRULE:FREQ=WEEKLY;COUNT=2\r\nRDATE;VALUE=DATE:20261220\r\nEND:VEVENT\r\n"
         "BEGIN:VEVENT\r\nUID:x\r\nSUMMARY:Audit\r\nRECURRENCE-ID;VALUE=DATE:20261208\r\n"
         "DTSTART;VALUE=DATE:20261208\r\nSTATUS:CANCELLED\r\nEND:VEVENT\r\n",
         "2026-12-01",
         "2026-12-31",
         "UTC",
         {"2026-12-01 Audit", "2026-12-20 Audit"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const IcsCalendar::Loaded loaded = IcsCalendar::Parse(calendar(r.events));
        ASSERT_TRUE(loaded.calendar) << loaded.problem.toStdString();
        EXPECT_EQ(loaded.problem, QString());
        EXPECT_EQ(shown(loaded.calendar->Between(day(r.first), day(r.last),
                                                 QTimeZone(QByteArray(r.zone)))),
                  r.expected);
    }
}

TEST(IcsCalendar, ARuleOfEveryMinuteForEverGivesEachDayOnce)
{
    const IcsCalendar::Loaded loaded =
        IcsCalendar::Parse(calendar("BEGIN:VEVENT\r\nSUMMARY:Tick\r\nDTSTART:20200101T000030Z\r\n"
                                    "RRULE:FREQ=MINUTELY\r\nEND:VEVENT\r\n"));
    ASSERT_TRUE(loaded.calendar);
    const auto days =
        loaded.calendar->Between(day("2040-02-01"), day("2040-02-29"), QTimeZone("Asia/Kolkata"));
    ASSERT_EQ(days.size(), 29u);
    EXPECT_EQ(days.front().day, day("2040-02-01"));
    EXPECT_EQ(days.back().day, day("2040-02-29"));
}

TEST(IcsCalendar, AFileThatCannotBeShownSaysWhy)
{
    QTemporaryDir dir;
    const QString d = dir.path() + QLatin1Char('/');
    auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(d + QLatin1String(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    ASSERT_EQ(mkfifo(QFile::encodeName(d + QStringLiteral("pipe.ics")).constData(), 0600), 0);
    QFile::link(d + QStringLiteral("gone.ics"), d + QStringLiteral("dangling.ics"));
    const struct {
        QString path;
        const char* problem;
        bool shows;
    } rows[] = {
        {d + QStringLiteral("missing.ics"), "it does not exist", false},
        {d + QStringLiteral("dangling.ics"), "it does not exist", false},
        {dir.path(), "it is a folder", false},
        {d + QStringLiteral("pipe.ics"), "it is not an ordinary file", false},
        {write("empty.ics", ""), "it is empty", false},
        {write("blank.ics", "\r\n \r\n"), "it is empty", false},
        {write("text.ics", "Christmas Day, 25 December\n"), "it is not an iCalendar file", false},
        {write("broken.ics", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:x\r\nEND:VEVENT\r\n"
                             "END:VCALENDAR\r\n"),
         "none of its 1 events can be read", false},
        {write("part.ics",
               calendar(
                   "BEGIN:VEVENT\r\nSUMMARY:no start\r\nEND:VEVENT\r\n"
                   "BEGIN:VEVENT\r\nSUMMARY:ok\r\nDTSTART;VALUE=DATE:20261225\r\nEND:VEVENT\r\n")),
         "1 of its 2 events cannot be read and are left out", true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.path.toStdString());
        const IcsCalendar::Loaded loaded = IcsCalendar::Read(r.path);
        EXPECT_EQ(loaded.problem, QLatin1String(r.problem));
        EXPECT_EQ(loaded.calendar != nullptr, r.shows);
    }
}

// The list of files as the windows use it: read in the background, kept in
// the settings, and a bad file told once while the others still show.
TEST(OtherCalendars, ShowsTheReadFilesAndKeepsTheListInTheSettings)
{
    ScopedFakeServices services;
    QTemporaryDir dir;
    const QString good = dir.path() + QStringLiteral("/station.ics");
    {
        QFile f(good);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(calendar(QByteArray("X-WR-CALNAME:Station 4\r\n") + Drill));
    }
    const QString missing = dir.path() + QStringLiteral("/nowhere.ics");
    QStringList problems;
    {
        OtherCalendars calendars;
        calendars.setLocalZone(QTimeZone("Europe/London"));
        QObject::connect(&calendars, &OtherCalendars::Problem,
                         [&](const QString& m) { problems << m; });
        calendars.Add(missing);
        calendars.Add(good);
        calendars.setColor(1, 0x123456);
        calendars.WaitFor(day("2026-12-01"), day("2026-12-31"));
        QCoreApplication::processEvents(); // what the worker has posted: names, problems
        const auto bars = calendars.ShownBars(day("2026-12-01"), day("2026-12-31"));
        ASSERT_EQ(bars.size(), 4u);
        EXPECT_EQ(bars[2].first, day("2026-12-17"));
        EXPECT_EQ(bars[2].second, std::vector<int32_t>{0x123456});
        // The tooltip lines come from the month worked out, with the file's own name.
        EXPECT_EQ(calendars.ShownLines(day("2026-12-17")),
                  QStringList{QStringLiteral("Drill (moved) (Station 4)")});
        calendars.setShown(1, false);
        EXPECT_TRUE(calendars.ShownBars(day("2026-12-01"), day("2026-12-31")).empty());
        calendars.Remove(0);
    }
    EXPECT_EQ(problems, QStringList{QStringLiteral("The calendar file \"%1\" cannot be shown: it "
                                                   "does not exist.")
                                        .arg(missing)});
    OtherCalendars again;
    again.Read();
    ASSERT_EQ(again.List().size(), 1u);
    EXPECT_EQ(again.List()[0].path, good);
    EXPECT_EQ(again.List()[0].color, 0x123456);
    EXPECT_FALSE(again.List()[0].shown);
}
