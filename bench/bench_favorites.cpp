// The schedule list at 10,000 and 100,000 entries: loading the list file and
// filling both lists, the Favorites window up to its first paint, and adding
// and deleting one schedule (each rewrites the file).
#include "favorites/frmOpen.h"
#include "model/clsPlatoon.h"
#include "model/clsSchedule.h"
#include "model/clsShift.h"
#include "session/CalendarSession.h"
#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QStandardPaths>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {
std::shared_ptr<clsSchedule> numbered(int i)
{
    auto s = std::make_shared<clsSchedule>();
    s->setTitle(QStringLiteral("Rotation %1").arg(i));
    s->setInitials(QStringLiteral("RT"));
    s->setDescription(QStringLiteral("Crew rotation number %1").arg(i));
    auto shift = std::make_shared<clsShift>();
    shift->setTitle(QStringLiteral("Day Shift"));
    shift->setSequence(QStringLiteral("1223"));
    for (const char* code : {"A", "B"}) {
        auto platoon = std::make_shared<clsPlatoon>();
        platoon->setCode(QString::fromLatin1(code));
        platoon->setDescription(QStringLiteral("Platoon ") + QLatin1String(code));
        platoon->setColor(255);
        shift->Platoons()->Add(platoon);
    }
    s->Shifts()->Add(shift);
    return s;
}

// Built once per size: making the schedules is not what is measured.
void writeList(int count)
{
    static std::map<int, QStringList> made;
    QStringList& lines = made[count];
    if (lines.isEmpty()) {
        for (int i = 0; i < count; ++i)
            lines << numbered(i)->xml();
    }
    EnsureAppFolder();
    WriteScheduleList(ScheduleListPath(), lines);
}

// A Favorites window on screen and painted, as the user opens it.
std::unique_ptr<frmOpen> shownWindow(QWidget* owner)
{
    auto w = std::make_unique<frmOpen>(owner, false);
    w->show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(w->grab());
    return w;
}

void BM_LoadAndFill10000(benchmark::State& state)
{
    writeList(10000);
    for (auto _ : state) {
        frmOpen w(nullptr, false);
        benchmark::DoNotOptimize(w.Entries().size());
    }
}

void BM_WindowVisible(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    writeList(count);
    for (auto _ : state) {
        auto w = shownWindow(nullptr);
        state.PauseTiming();
        if (w->Entries().size() != static_cast<size_t>(count))
            state.SkipWithError("the list was not read whole");
        w.reset();
        state.ResumeTiming();
    }
}

void BM_AddOneToList(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const auto extra = numbered(count);
    for (auto _ : state) {
        state.PauseTiming();
        writeList(count);
        ScheduleList list(ScheduleListPath());
        state.ResumeTiming();
        list.Append(extra->xml());
    }
}

// Add to Favorites while the window is open: the file and the window's lists.
void BM_AddWithWindowOpen(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const auto extra = numbered(count);
    QWidget owner;
    CalendarSession session;
    for (auto _ : state) {
        state.PauseTiming();
        writeList(count);
        auto w = shownWindow(&owner);
        state.ResumeTiming();
        frmOpen::AddToList(&owner, session, *extra);
        benchmark::DoNotOptimize(w->grab());
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
}

// Delete on the first row of the window, through to its next paint.
void BM_DeleteInWindow(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        writeList(count);
        auto w = shownWindow(nullptr);
        auto* titles = w->findChild<QAbstractItemView*>(QStringLiteral("List1"));
        titles->setCurrentIndex(titles->model()->index(0, 0));
        auto* del = w->findChild<QPushButton*>(QStringLiteral("cmdDelete"));
        state.ResumeTiming();
        del->click();
        benchmark::DoNotOptimize(w->grab());
        state.PauseTiming();
        if (w->Entries().size() != static_cast<size_t>(count - 1))
            state.SkipWithError("nothing was deleted");
        w.reset();
        state.ResumeTiming();
    }
}
} // namespace

BENCHMARK(BM_LoadAndFill10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowVisible)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddOneToList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_AddWithWindowOpen)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DeleteInWindow)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true); // a data folder of its own
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
