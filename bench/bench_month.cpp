// One full paint of the month control (42 cells, 800 by 600) into a QImage,
// in single and split view, against a QCalendarWidget of the same size
// rendered the same way.
#include "WidgetBenchMain.h"
#include "monthcontrol/ctlMonth.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
constexpr int Width = 800, Height = 600;

std::unique_ptr<ctlMonth> makeMonth(int16_t split)
{
    auto m = std::make_unique<ctlMonth>();
    m->resize(Width, Height);
    m->show();
    m->setShowWeekends(true);
    m->setShowFullGrid(true);
    const int32_t colours[] = {0x0000FF, 0x008000, 0xFF0000, 0x808000};
    for (int p = 1; p <= 42; ++p) {
        auto& cell = *m->Days().Item(p);
        cell.setForeColor(colours[p % 4]);
        cell.setLeftCaption(QStringLiteral("A"));
        cell.setLeftColor(colours[(p + 1) % 4]);
        cell.setRightCaption(QStringLiteral("C"));
        cell.setRightColor(colours[(p + 2) % 4]);
    }
    m->setCellSplit(split);
    m->Repaint(); // settle the fitted sizes once
    return m;
}

void paintMonth(benchmark::State& state, int16_t split)
{
    auto m = makeMonth(split);
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        m->Repaint();
        m->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_ctlMonthSingle(benchmark::State& state)
{
    paintMonth(state, 1);
}
void BM_ctlMonthSplit(benchmark::State& state)
{
    paintMonth(state, 2);
}

void BM_QCalendarWidget(benchmark::State& state)
{
    QCalendarWidget calendar;
    calendar.resize(Width, Height);
    calendar.show();
    QImage image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    calendar.render(&image);
    for (auto _ : state) {
        calendar.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
} // namespace

BENCHMARK(BM_ctlMonthSingle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ctlMonthSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QCalendarWidget)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
