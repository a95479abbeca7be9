// One month step as the user causes it: Page Down on the shown main window,
// through the month control's new dates and the schedule's platoons, to the
// 42 cells painted, in the single and the split view.
#include "WidgetBenchMain.h"
#include "mainwindow/frmCal.h"
#include "model/clsPlatoon.h"
#include "model/clsSchedule.h"
#include "model/clsShift.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/widgets/QtServices.h"

#include <QAction>
#include <QKeyEvent>
#include <QStandardPaths>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::shared_ptr<clsShift> shift(const char* title, const char* sequence,
                                std::initializer_list<std::pair<const char*, int32_t>> platoons)
{
    auto s = std::make_shared<clsShift>();
    s->setTitle(QString::fromLatin1(title));
    s->setDescription(QString::fromLatin1(title));
    s->setSequence(QString::fromLatin1(sequence));
    for (const auto& [code, colour] : platoons) {
        auto p = std::make_shared<clsPlatoon>();
        p->setCode(QString::fromLatin1(code));
        p->setDescription(QStringLiteral("Platoon ") + QLatin1String(code));
        p->setColor(colour);
        s->Platoons()->Add(p);
    }
    return s;
}

std::shared_ptr<clsSchedule> twoShifts()
{
    auto s = std::make_shared<clsSchedule>();
    s->setTitle(QStringLiteral("Harbor Station"));
    s->setDescription(QStringLiteral("Two shifts"));
    s->Shifts()->Add(shift("Days", "123123456456",
                           {{"A", 0x0000FF},
                            {"B", 0x00C000},
                            {"C", 0xFF0000},
                            {"D", 0x808000},
                            {"E", 0x800080},
                            {"F", 0x008080}}));
    s->Shifts()->Add(shift("Nights", "2103", {{"U", 0xFF0000}, {"M", 0xFF00FF}, {"Y", 0x00D7FF}}));
    return s;
}

void navigate(benchmark::State& state, int view)
{
    frmCal window;
    window.setSchedule(twoShifts());
    window.resize(760, 600);
    window.show();
    window.MenuAction(QStringLiteral("mnuviewSchedulePick_%1").arg(view))->trigger();
    QCoreApplication::processEvents();
    ctlMonth* month = window.MonthControl();
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
    bool forward = true;
    int steps = 0;
    for (auto _ : state) {
        // Back and forth over the years, so no step finds its month ready.
        if (++steps % 240 == 0)
            forward = !forward;
        QKeyEvent key(QEvent::KeyPress, forward ? Qt::Key_PageDown : Qt::Key_PageUp,
                      Qt::NoModifier);
        QApplication::sendEvent(target, &key);
        month->repaint();                  // the paint the step asked for, now
        QCoreApplication::processEvents(); // and the panes it changed
        benchmark::DoNotOptimize(month->FullDate());
    }
    state.counters["cells"] = 42;
}

void BM_NavigateMonthSingle(benchmark::State& state)
{
    navigate(state, 1);
}
void BM_NavigateMonthSplit(benchmark::State& state)
{
    navigate(state, 3);
}
} // namespace

BENCHMARK(BM_NavigateMonthSingle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NavigateMonthSplit)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true); // settings and data of its own
    installQtServices();
    return runWidgetBenchmarks(argc, argv);
}
