// The shared state without a window: the shift kept within the schedule,
// which changes redraw, the stored period, and the readers every caller uses.
#include "session/CalendarSession.h"
#include "model/clsSchedule.h"
#include "storage/ScheduleFile.h"
#include "support/DataFiles.h"
#include "support/Fakes.h"

namespace {
std::shared_ptr<clsSchedule> readData(const char* name)
{
    const ScheduleTextRead read =
        ReadScheduleText(QString::fromUtf8(readBytes(dataPath(name)).trimmed()));
    EXPECT_FALSE(read.error) << name;
    return read.schedule;
}
} // namespace

TEST(CalendarSession, TheShiftShownStaysWithinTheSchedule)
{
    const auto two = readData("exports/data/harbor.xml");
    const auto one = readData("model/data/default_schedule.xml");
    // The schedule set, the shift asked for, the shift that shows.
    const struct {
        std::shared_ptr<clsSchedule> schedule;
        int16_t asked, shown;
    } rows[] = {{two, 2, 2}, {two, 3, 1}, {two, 0, 1}, {one, 2, 1}, {nullptr, 2, 2}};
    for (const auto& r : rows) {
        SCOPED_TRACE(&r - rows);
        CalendarSession s;
        s.setSchedule(r.schedule);
        s.setShiftIndex(r.asked);
        EXPECT_EQ(s.ShiftIndex(), r.shown);
        ASSERT_TRUE(s.Schedule()) << "nothing is an empty schedule, never a null one";
    }
    // A schedule with fewer shifts takes the second shift's view away.
    CalendarSession s;
    s.setSchedule(two);
    s.setShiftIndex(2);
    s.setSchedule(one);
    EXPECT_EQ(s.ShiftIndex(), 1);
}

TEST(CalendarSession, OnlyAnEditRedrawsAndEachChangeIsSignalledOnce)
{
    CalendarSession s;
    int redraws = 0, marks = 0, locks = 0, periods = 0;
    QObject::connect(&s, &CalendarSession::RedrawRequested, [&] { ++redraws; });
    QObject::connect(&s, &CalendarSession::DataChangedChanged, [&] { ++marks; });
    QObject::connect(&s, &CalendarSession::LockedChanged, [&] { ++locks; });
    QObject::connect(&s, &CalendarSession::PeriodChanged, [&] { ++periods; });

    s.setDataChanged(true); // a step that must change nothing on screen
    EXPECT_EQ(redraws, 0);
    s.setDataChanged(false);
    s.markChanged(false); // redrawn, nothing new to save
    EXPECT_FALSE(s.DataChanged());
    s.markChanged();
    EXPECT_TRUE(s.DataChanged());
    EXPECT_EQ(redraws, 2);
    EXPECT_EQ(marks, 3);

    s.setLocked(true);
    s.setLocked(true);
    SpecialPeriod p = s.Period();
    s.setPeriod(p);
    p.shown = true;
    s.setPeriod(p);
    EXPECT_EQ(std::make_pair(locks, periods), std::make_pair(1, 1));
}

TEST(CalendarSession, TheStoredPeriodIsReadOnceThroughTheKeyTable)
{
    ScopedFakeServices fakes;
    auto& store = *fakes.settingsStore;
    store.SaveSetting("Settings", "SpecialPeriodLength", "14");
    store.SaveSetting("Settings", "SpecialPeriodOffset", "x3");
    store.SaveSetting("Settings", "SpecialPeriodName", "Pay Period");
    store.SaveSetting("Settings", "SpecialPeriodChecked", "True");
    QStringList errors;
    const auto note = [&](const std::exception& e) { errors << QString::fromUtf8(e.what()); };
    // A script reads without repairing what it cannot read; the window repairs it.
    for (const auto repair : {CalSettings::Repair::No, CalSettings::Repair::Yes}) {
        const SpecialPeriod p = SpecialPeriod::load(note, repair);
        EXPECT_EQ(std::make_tuple(p.length, p.offset, p.name, p.shown, p.color),
                  std::make_tuple(14, 0, QString("Pay Period"), true, -2147483633));
    }
    EXPECT_EQ(errors, QStringList({"Type mismatch", "Type mismatch"}));
    EXPECT_EQ(store.GetSetting("Settings", "SpecialPeriodOffset"), "0");

    // A length the dialog cannot show is as bad a value: reported once, then gone.
    errors.clear();
    store.SaveSetting("Settings", "SpecialPeriodLength", "99");
    for (int run = 0; run < 2; ++run)
        EXPECT_EQ(SpecialPeriod::load(note).length, 0);
    EXPECT_EQ(errors, QStringList({"Invalid property value"}));
    EXPECT_EQ(store.GetSetting("Settings", "SpecialPeriodLength"), "0");
}

TEST(ScheduleTextReader, ProblemsComeWithTheScheduleAndTheErrorThatStoppedIt)
{
    // A missing attribute is read as empty and told; the schedule is whole.
    ScheduleTextRead read = ReadScheduleText(
        QString::fromUtf8(readBytes(dataPath("model/data/missing_attributes.xml"))));
    EXPECT_FALSE(read.error);
    EXPECT_FALSE(read.problems.isEmpty());
    EXPECT_EQ(read.schedule->title(), "T");
    // One that stops the read: what was met before it, then the error.
    read = ReadScheduleText(
        QString::fromUtf8(readBytes(dataPath("mainwindow/data/stopped_schedule.xml")).trimmed()));
    EXPECT_EQ(read.problems.size(), 3);
    ASSERT_TRUE(read.error);
    EXPECT_THROW(std::rethrow_exception(read.error), RuntimeError);
}
