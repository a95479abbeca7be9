// The notes store with 100,000 entries, five a day over some 55 years: a
// 42-day window (a month view and its edges), a year's day counts, one edit
// (one transaction, synced), the month control's fill with and without the
// notes of its days, and the Notes for YYYY window up to its list's first paint.
#include "WidgetBenchMain.h"
#include "model/DayNumber.h"
#include "model/DefaultSchedule.h"
#include "monthcontrol/ScheduleFill.h"
#include "monthcontrol/ctlMonth.h"
#include "notes/frmNotesYear.h"
#include "session/NoteColors.h"
#include "storage/NotesStore.h"

#include <QAbstractItemView>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
constexpr int Entries = 100000;
constexpr int Days = 20000;
const double FirstDay = DayNumber::fromDate(QDate(1990, 1, 1));

// One file for every benchmark: filled through a connection of its own in
// one transaction, which a hundred thousand synced edits would take minutes for.
struct Filled {
    Filled()
    {
        NotesStore(dir.path()); // the schema
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "fill");
            db.setDatabaseName(dir.filePath(QStringLiteral("notes.db")));
            db.open();
            QSqlQuery q(db);
            q.exec(QStringLiteral("BEGIN"));
            q.prepare(QStringLiteral("INSERT INTO note (day, kind, text, person) "
                                     "VALUES (?, ?, ?, '')"));
            for (int i = 0; i < Entries; ++i) {
                q.addBindValue(static_cast<qint64>(FirstDay) + (i * 7) % Days);
                q.addBindValue(i % 5 == 2 ? 0 : i % 5); // no trades: they need a person
                q.addBindValue(QStringLiteral("Entry number %1 of the crew").arg(i));
                q.exec();
            }
            q.exec(QStringLiteral("COMMIT"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fill"));
        store = std::make_shared<NotesStore>(dir.path());
    }
    QTemporaryDir dir;
    std::shared_ptr<NotesStore> store;
};

Filled& filled()
{
    static Filled f;
    return f;
}

void BM_Window42Days(benchmark::State& state)
{
    const NotesStore& store = *filled().store;
    int window = 0;
    size_t found = 0;
    for (auto _ : state) {
        // A different window each time, all within the filled days.
        const double first = FirstDay + (window++ * 42) % (Days - 42);
        found += store.EntriesBetween(first, first + 41).size();
    }
    state.counters["entries"] =
        benchmark::Counter(static_cast<double>(found), benchmark::Counter::kAvgIterations);
}

void BM_DaysPerKindOfAYear(benchmark::State& state)
{
    const NotesStore& store = *filled().store;
    for (auto _ : state)
        benchmark::DoNotOptimize(store.DaysPerKind(2010));
}

void BM_AddOne(benchmark::State& state)
{
    NotesStore& store = *filled().store;
    for (auto _ : state)
        store.Add({FirstDay + 100, NoteKind::Overtime, QStringLiteral("extra hours")});
}
// What the main window does for a month step: the platoons of the 42 days,
// then, with notes, the days holding entries read and marked. The step
// itself (laying the month out) is left out of the time.
void monthFill(benchmark::State& state, bool withNotes)
{
    const NotesStore& store = *filled().store;
    ctlMonth month;
    month.resize(800, 600);
    month.show();
    const auto schedule = DefaultSchedule();
    const NoteColors colors;
    int step = 0;
    size_t marked = 0;
    for (auto _ : state) {
        state.PauseTiming();
        month.setFullDate(FirstDay + (step++ * 31) % (Days - 62));
        state.ResumeTiming();
        FillDaysFromSchedule(month, schedule, 1);
        if (withNotes) {
            FillDaysWithNotes(month, store.FirstKinds(month.DateOfCell(1), month.DateOfCell(42)),
                              colors);
            marked += month.Days().Item(21)->MarkColor() >= 0 ? 1 : 0;
        }
    }
    state.counters["marked"] =
        benchmark::Counter(static_cast<double>(marked), benchmark::Counter::kAvgIterations);
}

void BM_MonthFillWithoutNotes(benchmark::State& state)
{
    monthFill(state, false);
}
void BM_MonthFillWithNotes(benchmark::State& state)
{
    monthFill(state, true);
}

// Whether the watched widget has painted.
class PaintSeen : public QObject {
public:
    bool seen = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            seen = true;
        return QObject::eventFilter(watched, event);
    }
};

// Made, shown, and the events run until the list has painted its rows.
void BM_NotesYearWindowOpens(benchmark::State& state)
{
    const std::shared_ptr<NotesStore> store = filled().store;
    const int years = Days / 366; // whole years of entries from 1990 on
    // The process's first window also loads fonts and styles: said apart.
    static double firstMs = -1;
    QElapsedTimer first;
    int opened = 0;
    double rows = 0;
    for (auto _ : state) {
        if (firstMs < 0)
            first.start();
        // Another year each time: the one opened is seldom the one read last.
        auto w =
            std::make_unique<frmNotesYear>(nullptr, store, 1990 + opened++ % years, NoteColors());
        auto* list = w->findChild<QAbstractItemView*>(QStringLiteral("lstEntries"));
        PaintSeen painted;
        list->viewport()->installEventFilter(&painted);
        w->show();
        QElapsedTimer waited;
        waited.start();
        while (!painted.seen && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        state.PauseTiming();
        if (firstMs < 0)
            firstMs = static_cast<double>(first.nsecsElapsed()) / 1e6;
        if (!painted.seen)
            state.SkipWithError("the list was not painted");
        rows += list->model()->rowCount();
        w.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = benchmark::Counter(rows, benchmark::Counter::kAvgIterations);
    state.counters["first_ms"] = firstMs;
}
} // namespace

BENCHMARK(BM_MonthFillWithoutNotes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MonthFillWithNotes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Window42Days)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DaysPerKindOfAYear)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AddOne)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NotesYearWindowOpens)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
