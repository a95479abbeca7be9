// The schedule list at 10,000 entries: loading the list file and filling
// both lists, and adding one schedule to the list (which rewrites the file).
#include "favorites/frmOpen.h"
#include "model/clsPlatoon.h"
#include "model/clsSchedule.h"
#include "model/clsShift.h"
#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"

#include <QApplication>
#include <QStandardPaths>
#include <benchmark/benchmark.h>

namespace {
constexpr int Count = 10000;

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

void writeList()
{
    QStringList lines;
    for (int i = 0; i < Count; ++i)
        lines << numbered(i)->xml();
    EnsureAppFolder();
    WriteScheduleList(ScheduleListPath(), lines);
}

void BM_LoadAndFill10000(benchmark::State& state)
{
    writeList();
    for (auto _ : state) {
        frmOpen w(nullptr, false);
        benchmark::DoNotOptimize(w.Entries().size());
    }
}

void BM_AddOneTo10000(benchmark::State& state)
{
    const auto extra = numbered(Count);
    for (auto _ : state) {
        state.PauseTiming();
        writeList();
        ScheduleList list(ScheduleListPath());
        state.ResumeTiming();
        list.Append(extra->xml());
    }
}
} // namespace

BENCHMARK(BM_LoadAndFill10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddOneTo10000)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true); // a data folder of its own
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
