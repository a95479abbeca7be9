// The image calendar at one year on a 1600 by 1200 page: a full repaint after
// navigation (all twelve months refilled from the rotation and painted, with
// title, legend and description), and the capture plus BMP save behind
// Save As and Open With.
#include "WidgetBenchMain.h"
#include "imagecalendar/frmYear.h"
#include "imagecalendar/modCapture.h"
#include "model/DayNumber.h"
#include "model/DefaultSchedule.h"
#include "monthcontrol/ctlMonth.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMenuBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
constexpr int Width = 1600, Height = 1200;

std::unique_ptr<frmYear> makeYear()
{
    ImageCalendarSource source;
    source.schedule = DefaultSchedule();
    auto f = std::make_unique<frmYear>(std::move(source));
    f->setMonthCount(12);
    f->show();
    f->resize(Width, Height + f->menuBar()->sizeHint().height());
    QApplication::processEvents();
    f->layOut();
    return f;
}

void BM_ImageCalendar12_paint_1600x1200(benchmark::State& state)
{
    auto f = makeYear();
    QWidget* client = f->ClientArea();
    QImage image(client->size(), QImage::Format_ARGB32_Premultiplied);
    const double months[] = {DayNumber::fromDate(QDate(2026, 12, 1)),
                             DayNumber::fromDate(QDate(2027, 1, 1))};
    int k = 0;
    for (auto _ : state) {
        // Navigation: every month takes new dates, is refilled and repainted.
        // Each month paints its surface (what its repaint timer would do a
        // moment later), then the window shows them with its bands.
        f->setFirstMonth(months[k++ % 2]);
        for (int i = 0; i < f->LoadedMonths(); ++i)
            f->Month(i)->Repaint();
        client->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["months"] = f->LoadedMonths();
    state.counters["width"] = client->width();
    state.counters["height"] = client->height();
}

void BM_ImageCalendar12_paint_capture_bmp_save(benchmark::State& state)
{
    auto f = makeYear();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("calendar_image.bmp"));
    for (auto _ : state) {
        f->CaptureCalendar();
        try {
            SavePicture(f->CapturedPicture(), path, "bmp");
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
        }
    }
}
} // namespace

BENCHMARK(BM_ImageCalendar12_paint_1600x1200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageCalendar12_paint_capture_bmp_save)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
