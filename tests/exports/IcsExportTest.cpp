#include "exports/IcsExport.h"
#include "exports/IcsReadBack.h"
#include "model/DayNumber.h"
#include "model/clsSchedule.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

std::shared_ptr<clsSchedule> scheduleOf(const char* xml)
{
    auto s = std::make_shared<clsSchedule>();
    s->setXml(QString::fromUtf8(xml));
    return s;
}

const char* kTwoShifts =
    R"(<Schedule Title="Harbor" Initials="H" Description="d">)"
    R"(<Shift Title="Days" Initials="D" Description="Days" Sequence="12">)"
    R"(<Platoon Description="Red" Code="R" Color="FF"/><Platoon Description="Green" Code="G" Color="C000"/></Shift>)"
    R"(<Shift Title="Nights" Initials="N" Description="Nights" Sequence="2113">)"
    R"(<Platoon Description="Blue" Code="U" Color="FF0000"/><Platoon Description="Magenta" Code="M" Color="FF00FF"/>)"
    R"(<Platoon Description="Gold" Code="Y" Color="D7FF"/></Shift></Schedule>)";
// Days off written as "0", a letter and a platoon number the shift lacks.
const char* kIrregular =
    R"(<Schedule Title="Hill" Initials="H" Description="d">)"
    R"(<Shift Title="Hill" Initials="H" Description="Hill" Sequence="1020030x9311">)"
    R"(<Platoon Description="One" Code="1" Color="FF"/><Platoon Description="Two" Code="2" Color="FF00"/>)"
    R"(<Platoon Description="Three" Code="3" Color="FF0000"/></Shift></Schedule>)";

Ics::Options optionsFor(int shift, int platoon, const QDate& first, int hours = 24)
{
    Ics::Options o;
    o.shiftIndex = shift;
    o.platoon = platoon;
    o.first = first;
    o.hours = hours;
    o.stamp = QDateTime(QDate(2026, 12, 6), QTime(12, 0), Qt::OffsetFromUTC, 7200);
    return o;
}

} // namespace

TEST(IcsExport, RecurrencesAgreeWithTheRotationForThreeYears)
{
    const struct {
        const char* name;
        std::shared_ptr<clsSchedule> schedule;
        int shift, platoon;
        QDate first;
        int hours;
    } rows[] = {
        {"default, every platoon", DefaultSchedule(), 1, 0, QDate(2026, 12, 5), 24},
        {"default, platoon C, all day", DefaultSchedule(), 1, 3, QDate(1970, 1, 1), 0},
        {"two shifts, second shift", scheduleOf(kTwoShifts), 2, 0, QDate(2024, 2, 28), 12},
        {"two shifts, first shift, G", scheduleOf(kTwoShifts), 1, 2, QDate(2031, 7, 9), 24},
        {"days off, every platoon", scheduleOf(kIrregular), 1, 0, QDate(2000, 2, 29), 0},
        {"days off, platoon 3", scheduleOf(kIrregular), 1, 3, QDate(1999, 12, 31), 48},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QDate last = row.first.addYears(3);
        const Ics::Result result = Ics::exportDutyDays(
            *row.schedule, optionsFor(row.shift, row.platoon, row.first, row.hours));
        ASSERT_TRUE(result.problem.isEmpty()) << result.problem.toStdString();
        const ReadBack back = readBack(result.text, last);
        EXPECT_EQ(std::make_pair(back.parseErrors, back.events),
                  std::make_pair(0, result.eventCount));
        QMap<QDate, QStringList> found;
        for (const Occurrence& o : back.occurrences) {
            found[o.date] << o.category;
            EXPECT_EQ(o.time, row.hours == 0 ? QTime() : QTime(7, 0));
            EXPECT_EQ(o.seconds, row.hours == 0 ? 86400 : row.hours * 3600);
        }
        const clsShift& shift = *row.schedule->Shifts()->Item(row.shift);
        for (QDate d = row.first.addDays(-40); d <= last; d = d.addDays(1)) {
            const auto onDuty = shift.ONDuty(DayNumber::fromDate(d));
            QStringList expected;
            for (int i = 1; i <= shift.Platoons()->Count(); ++i)
                if (shift.Platoons()->Item(i) == onDuty && d >= row.first &&
                    (row.platoon == 0 || row.platoon == i))
                    expected << onDuty->Code();
            ASSERT_EQ(found.value(d), expected) << d.toString(Qt::ISODate).toStdString();
        }
    }
}

TEST(IcsExport, LongTitleIsEscapedAndFoldedWithinUtf8Characters)
{
    const QString title =
        QStringLiteral("Brigade Saint-\u00C9tienne, Nord; \u00E9quipe \\ gardes, ") +
        QString(40, QChar(0x00E9)) + QStringLiteral("; fin,\nligne");
    auto schedule = DefaultSchedule();
    schedule->Shifts()->Item(1)->setTitle(title);
    const auto result = Ics::exportDutyDays(*schedule, optionsFor(1, 1, QDate(2026, 12, 5)));
    ASSERT_TRUE(result.text.endsWith("\r\n"));
    const QList<QByteArray> lines = result.text.chopped(1).split('\n');
    QByteArray unfolded;
    for (const QByteArray& raw : lines) {
        ASSERT_TRUE(raw.endsWith('\r'));
        const QByteArray line = raw.chopped(1);
        EXPECT_LE(line.size(), 75) << line.constData();
        EXPECT_FALSE(line.contains('\r'));
        EXPECT_EQ(QString::fromUtf8(line).toUtf8(), line) << "a character was split";
        EXPECT_FALSE(QString::fromUtf8(line).contains(QChar::ReplacementCharacter));
        unfolded += line.startsWith(' ') ? line.mid(1) : "\n" + line;
    }
    const QString summary =
        QStringLiteral("SUMMARY:A Platoon - Brigade Saint-\u00C9tienne\\, Nord\\; \u00E9quipe \\\\ "
                       "gardes\\, ") +
        QString(40, QChar(0x00E9)) + QStringLiteral("\\; fin\\,\\nligne");
    EXPECT_TRUE(QString::fromUtf8(unfolded).split(QLatin1Char('\n')).contains(summary));
    const ReadBack back = readBack(result.text, QDate(2026, 12, 31));
    ASSERT_FALSE(back.occurrences.empty());
    EXPECT_EQ(back.occurrences.front().summary, QStringLiteral("A Platoon - ") + title);
}

TEST(IcsExport, UidsStayForTheSameShiftPlatoonAndPosition)
{
    auto uids = [](int platoon, const QDate& first, int hour) {
        auto o = optionsFor(1, platoon, first);
        o.stamp = QDateTime(QDate(2027, 1, 1), QTime(hour + 2, 0), Qt::OffsetFromUTC, 7200);
        const QByteArray text = Ics::exportDutyDays(*DefaultSchedule(), o).text;
        EXPECT_TRUE(text.contains("DTSTAMP:20270101T" + QByteArray::number(hour) + "0000Z\r\n"));
        QStringList l;
        for (const auto& line : text.split('\n'))
            if (line.startsWith("UID:"))
                l << QString::fromLatin1(line.trimmed());
        l.sort();
        return l;
    };
    const QStringList all = uids(0, QDate(2026, 12, 5), 10);
    EXPECT_EQ(QSet<QString>(all.begin(), all.end()).size(), 9);
    EXPECT_EQ(uids(0, QDate(2026, 12, 5), 13), all);
    EXPECT_EQ(uids(0, QDate(2030, 3, 1), 10), all); // a later first date moves only DTSTART
    for (const QString& uid : uids(2, QDate(2026, 12, 5), 11))
        EXPECT_TRUE(all.contains(uid));
}

TEST(IcsExport, WritesNothingAndSaysWhy)
{
    const struct {
        const char* sequence;
        int platoon;
        QDate first;
        int hours;
        const char* why;
    } rows[] = {
        {"312123231", 0, QDate(1969, 12, 31), 24, "before 1 January 1970"},
        {"", 0, QDate(2026, 1, 1), 24, "no rotation sequence"},
        {"0x0", 0, QDate(2026, 1, 1), 24, "No platoon is on duty"},
        {"1311", 2, QDate(2026, 1, 1), 24, "Platoon B is never on duty"},
        {"312123231", 4, QDate(2026, 1, 1), 24, "has no platoon 4"},
        {"312123231", 0, QDate(2026, 1, 1), 169, "0 to 168 hours"},
    };
    for (const auto& row : rows) {
        auto schedule = DefaultSchedule();
        schedule->Shifts()->Item(1)->setSequence(QString::fromLatin1(row.sequence));
        const auto result =
            Ics::exportDutyDays(*schedule, optionsFor(1, row.platoon, row.first, row.hours));
        EXPECT_TRUE(result.text.isEmpty()) << row.why;
        EXPECT_TRUE(result.problem.contains(QString::fromLatin1(row.why)))
            << result.problem.toStdString();
    }
    EXPECT_TRUE(Ics::exportDutyDays(*DefaultSchedule(), optionsFor(2, 0, QDate(2026, 1, 1)))
                    .problem.contains(QStringLiteral("no shift 2")));
}

TEST(IcsExport, TimedEventsNameTheLocalZoneOrFloat)
{
    const std::pair<const char*, QStringList> rows[] = {
        {"Europe/Berlin",
         {"TZOFFSETFROM:+0100", "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU", "TZOFFSETTO:+0100",
          "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU", "DTSTART:20260329T020000"}},
        {"America/New_York", {"BYMONTH=3;BYDAY=2SU", "BYMONTH=11;BYDAY=1SU", "TZOFFSETTO:-0400"}},
        {"Australia/Sydney", {"BYMONTH=4;BYDAY=1SU", "BYMONTH=10;BYDAY=1SU", "TZOFFSETTO:+1100"}},
        {"Asia/Kolkata", {"TZOFFSETFROM:+0530", "TZOFFSETTO:+0530"}},
        {"America/Sao_Paulo", {"TZOFFSETTO:-0300"}}, // no daylight saving since 2019
        {"Etc/UTC", {}},                             // a server's clock: floating
        {"Africa/Casablanca", {}},                   // changes no yearly rule describes
    };
    for (const auto& [id, lines] : rows) {
        SCOPED_TRACE(id);
        const QTimeZone zone(id);
        ASSERT_TRUE(zone.isValid());
        auto o = optionsFor(1, 0, QDate(2026, 12, 5));
        o.zone = zone;
        const QByteArray text = Ics::exportDutyDays(*DefaultSchedule(), o).text;
        const QString tzid = QStringLiteral("DTSTART;TZID=%1:20261205T070000\r\n").arg(id);
        EXPECT_EQ(text.contains(tzid.toUtf8()), !lines.isEmpty());
        EXPECT_EQ(text.contains("DTSTART:20261205T070000\r\n"), lines.isEmpty());
        for (const QString& line : lines)
            EXPECT_TRUE(text.contains(line.toUtf8() + "\r\n")) << line.toStdString();
        if (lines.isEmpty())
            continue;
        // Every duty starts at 07:00 on the station's clock, summer and winter.
        const ReadBack back = readBack(text, QDate(2029, 12, 5));
        EXPECT_EQ(back.parseErrors, 0);
        ASSERT_GT(back.occurrences.size(), 1000u);
        for (const Occurrence& e : back.occurrences)
            ASSERT_EQ(e.utc, QDateTime(e.date, QTime(7, 0), zone).toSecsSinceEpoch())
                << e.date.toString(Qt::ISODate).toStdString();
        o.hours = 0;
        EXPECT_FALSE(Ics::exportDutyDays(*DefaultSchedule(), o).text.contains("VTIMEZONE"));
    }
}

TEST(IcsExport, NearestCssColourName)
{
    const std::pair<int32_t, const char*> rows[] = {
        {0x0000FF, "red"},   {0x00FF00, "lime"},  {0x000000, "black"},
        {0x009000, "green"}, {0x808080, "gray"},  {0xE16941, "royalblue"},
        {0x0101FE, "red"},   {0xFFFFFF, "white"}, {0x00D7FF, "gold"},
    };
    for (const auto& [color, name] : rows)
        EXPECT_EQ(Ics::nearestCssColor(color), QString::fromLatin1(name)) << std::hex << color;
}
