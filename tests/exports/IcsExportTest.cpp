#include "exports/IcsExport.h"
#include "exports/IcsReadBack.h"
#include "model/DayNumber.h"
#include "model/clsSchedule.h"
#include "storage/NotesStore.h"
#include "support/DataFiles.h"

#include <QMap>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {

std::shared_ptr<clsSchedule> scheduleOf(const QString& file)
{
    auto s = std::make_shared<clsSchedule>();
    s->setXml(QString::fromUtf8(readBytes(dataPath("exports/data/" + file))));
    return s;
}

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
    for (const QStringList& row : dataRows(QStringLiteral("exports/data/recurrences.txt"))) {
        SCOPED_TRACE(row.value(0).toStdString());
        const auto schedule = scheduleOf(row.value(1));
        const int shiftIndex = row.value(2).toInt(), platoon = row.value(3).toInt();
        const QDate first = QDate::fromString(row.value(4), Qt::ISODate);
        const int hours = row.value(5).toInt();
        const QDate last = first.addYears(3);
        const Ics::Result result =
            Ics::exportDutyDays(*schedule, optionsFor(shiftIndex, platoon, first, hours));
        ASSERT_TRUE(result.problem.isEmpty()) << result.problem.toStdString();
        const ReadBack back = readBack(result.text, last);
        EXPECT_EQ(std::make_pair(back.parseErrors, back.events),
                  std::make_pair(0, result.eventCount));
        QMap<QDate, QStringList> found;
        for (const Occurrence& o : back.occurrences) {
            found[o.date] << o.category;
            EXPECT_EQ(o.time, hours == 0 ? QTime() : QTime(7, 0));
            EXPECT_EQ(o.seconds, hours == 0 ? 86400 : hours * 3600);
        }
        const clsShift& shift = *schedule->Shifts()->Item(shiftIndex);
        for (QDate d = first.addDays(-40); d <= last; d = d.addDays(1)) {
            const auto onDuty = shift.ONDuty(DayNumber::fromDate(d));
            QStringList expected;
            for (int i = 1; i <= shift.Platoons()->Count(); ++i)
                if (shift.Platoons()->Item(i) == onDuty && d >= first &&
                    (platoon == 0 || platoon == i))
                    expected << onDuty->Code();
            ASSERT_EQ(found.value(d), expected) << d.toString(Qt::ISODate).toStdString();
        }
    }
}

TEST(IcsExport, LongTitleIsEscapedAndFoldedWithinUtf8Characters)
{
    const QString title =
        QStringLiteral("Brigade Saint-\u00C9tienne, Nord; \u00E9quipe \\ gardes, ") +
        QString(40, QChar(0x00E9)) + QStringLiteral("; fin,\nligne") + QChar(0) + QChar(7) +
        QStringLiteral("!"); // control characters make no valid text value: they go
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
        EXPECT_EQ(QString::fromUtf8(line).toUtf8(), line) << "a character was split";
        unfolded += line.startsWith(' ') ? line.mid(1) : "\n" + line;
    }
    const QString summary =
        QStringLiteral("SUMMARY:A Platoon - Brigade Saint-\u00C9tienne\\, Nord\\; \u00E9quipe \\\\ "
                       "gardes\\, ") +
        QString(40, QChar(0x00E9)) + QStringLiteral("\\; fin\\,\\nligne!");
    EXPECT_TRUE(QString::fromUtf8(unfolded).split(QLatin1Char('\n')).contains(summary));
    const ReadBack back = readBack(result.text, QDate(2026, 12, 31));
    ASSERT_FALSE(back.occurrences.empty());
    EXPECT_EQ(back.occurrences.front().summary,
              QStringLiteral("A Platoon - ") + QString(title).remove(QChar(0)).remove(QChar(7)));
}

// A re-imported export replaces its events: UIDs stay whatever the export's time or first date.
TEST(IcsExport, UidsStayForTheSameShiftPlatoonAndPosition)
{
    auto uids = [](int platoon, const QDate& first, int hour) {
        auto o = optionsFor(1, platoon, first);
        o.stamp = QDateTime(QDate(2027, 1, 1), QTime(hour + 2, 0), Qt::OffsetFromUTC, 7200);
        const QByteArray text = Ics::exportDutyDays(*DefaultSchedule(), o).text;
        EXPECT_TRUE(text.contains("DTSTAMP:20270101T" + QByteArray::number(hour) + "0000Z\r\n"));
        std::set<QByteArray> l;
        for (const QByteArray& line : text.split('\n'))
            if (line.startsWith("UID:"))
                l.insert(line);
        return l;
    };
    const auto all = uids(0, QDate(2026, 12, 5), 10), b = uids(2, QDate(2026, 12, 5), 11);
    EXPECT_EQ(all.size(), 9u);
    EXPECT_EQ(uids(0, QDate(2026, 12, 5), 13), all);
    EXPECT_EQ(uids(0, QDate(2030, 3, 1), 10), all); // a later first date moves only DTSTART
    EXPECT_TRUE(std::includes(all.begin(), all.end(), b.begin(), b.end()));
}

TEST(IcsExport, WritesNothingAndSaysWhy)
{
    for (const QStringList& row : dataRows(QStringLiteral("exports/data/refusals.txt"))) {
        auto schedule = DefaultSchedule();
        schedule->Shifts()->Item(1)->setSequence(row.value(0));
        const auto result =
            Ics::exportDutyDays(*schedule, optionsFor(1, row.value(1).toInt(),
                                                      QDate::fromString(row.value(2), Qt::ISODate),
                                                      row.value(3).toInt()));
        EXPECT_TRUE(result.text.isEmpty()) << row.value(4).toStdString();
        EXPECT_TRUE(result.problem.contains(row.value(4))) << result.problem.toStdString();
    }
    EXPECT_TRUE(Ics::exportDutyDays(*DefaultSchedule(), optionsFor(2, 0, QDate(2026, 1, 1)))
                    .problem.contains(QStringLiteral("no shift 2")));
}

TEST(IcsExport, TimedEventsNameTheLocalZoneOrFloat)
{
    for (QStringList lines : dataRows(QStringLiteral("exports/data/zones.txt"))) {
        const QString id = lines.takeFirst();
        SCOPED_TRACE(id.toStdString());
        const QTimeZone zone(id.toUtf8());
        ASSERT_TRUE(zone.isValid());
        // January: before the year's first change of offset.
        auto o = optionsFor(1, 0, QDate(2026, 1, 5));
        o.zone = zone;
        const QByteArray text = Ics::exportDutyDays(*DefaultSchedule(), o).text;
        const QString tzid = QStringLiteral("DTSTART;TZID=%1:20260105T070000\r\n").arg(id);
        EXPECT_EQ(text.contains(tzid.toUtf8()), !lines.isEmpty());
        EXPECT_EQ(text.contains("DTSTART:20260105T070000\r\n"), lines.isEmpty());
        if (lines.isEmpty())
            continue;
        // Every rule of the zone starts at or before the first event, so each
        // event has a defined offset.
        const qsizetype begin = text.indexOf("BEGIN:VTIMEZONE");
        for (const QByteArray& l :
             text.mid(begin, text.indexOf("END:VTIMEZONE") - begin).split('\n')) {
            if (l.startsWith("DTSTART:")) {
                EXPECT_LE(l.mid(8, 15), QByteArray("20260105T070000")) << l.constData();
            }
        }
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

// Entries of a real notes file, read back by libical: an all-day event each
// from the first date on. No platoon ever works, so the notes stand alone.
TEST(IcsNotes, EntriesOfTheNotesFileReadBackAsAllDayEvents)
{
    const QString odd = QStringLiteral("call-out, 4 h; then\nhome \\ rest");
    const QString longest =
        QString(250, QChar(0x00E9)) + QString::fromUtf8("\xF0\x9F\x9A\x92").repeated(250);
    const struct {
        QDate date;
        NoteKind kind;
        QString person, text, summary; // no summary: before the first date
    } rows[] = {
        {{2026, 12, 4}, NoteKind::Leave, "", "the day before", ""},
        {{2026, 12, 5}, NoteKind::Leave, "", "summer week", "Leave: summer week"},
        {{2026, 12, 5}, NoteKind::Note, "", "", "Note"},
        {{2026, 12, 7}, NoteKind::Trade, "Smith", "my Tuesday", "Trade with Smith: my Tuesday"},
        {{2026, 12, 31}, NoteKind::Overtime, "", odd, "Overtime: " + odd},
        {{2027, 2, 28}, NoteKind::Sick, "", longest, "Sick: " + longest},
    };
    QTemporaryDir dir;
    NotesStore store(dir.path());
    QStringList expected;
    for (const auto& row : rows) {
        store.Add(NoteEntry(DayNumber::fromDate(row.date), row.kind, row.text, row.person));
        if (!row.summary.isEmpty())
            expected << row.date.toString(Qt::ISODate) + " 86400 " + NoteKindName(row.kind) + ' ' +
                            row.summary;
    }
    auto idle = DefaultSchedule();
    idle->Shifts()->Item(1)->setSequence(QStringLiteral("0x0"));
    auto o = optionsFor(1, 0, QDate(2026, 12, 5));
    o.notes = store.EntriesBetween(DayNumber::fromDate(QDate(2026, 12, 1)),
                                   DayNumber::fromDate(QDate(2027, 12, 31)));
    const Ics::Result result = Ics::exportDutyDays(*idle, o);
    const ReadBack back = readBack(result.text, QDate(2027, 3, 1));
    EXPECT_EQ(std::make_tuple(back.parseErrors, back.events, result.eventCount),
              std::make_tuple(0, 5, 5));
    EXPECT_EQ(result.text.count("\r\nTRANSP:TRANSPARENT\r\n"), 5);
    QStringList found;
    for (const Occurrence& e : back.occurrences)
        found << e.date.toString(Qt::ISODate) + ' ' + QString::number(e.seconds) + ' ' +
                     e.category + ' ' + e.summary;
    EXPECT_EQ(found.join('\n').toStdString(), expected.join('\n').toStdString());
}
