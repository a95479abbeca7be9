// Other calendars at scale: a file of 5,000 events, 1,000 of them repeating
// (yearly holidays, monthly meetings, weekly drills with exceptions, counted
// courses), over 2020 to 2039. What a month step costs the window with and
// without it, what working a month out costs the background thread, how
// long a step waits for its bars when nothing is ready, and reading the file.
#include "WidgetBenchMain.h"
#include "calendars/IcsCalendar.h"
#include "calendars/OtherCalendars.h"
#include "model/DayNumber.h"
#include "model/DefaultSchedule.h"
#include "monthcontrol/ScheduleFill.h"
#include "monthcontrol/ctlMonth.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int Months = 240; // 2020 to 2039
const double FirstDay = DayNumber::fromDate(QDate(2020, 1, 1));
const char* const Weekdays[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

QByteArray event(int i, const QByteArray& when, const QByteArray& rest = {})
{
    return "BEGIN:VEVENT\r\nUID:e" + QByteArray::number(i) + "\r\nSUMMARY:Event " +
           QByteArray::number(i) + "\r\n" + when + rest + "END:VEVENT\r\n";
}

QByteArray dateOf(int day)
{
    return DayNumber::toDate(FirstDay + day).toString(QStringLiteral("yyyyMMdd")).toLatin1();
}

QByteArray bigCalendar()
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n"
                      "X-WR-CALNAME:Station events\r\n";
    int i = 0;
    for (; i < 4000; ++i) { // single: every other one timed, in New York
        const QByteArray d = dateOf((i * 37) % (Months * 30));
        text += i % 2 ? event(i, "DTSTART;VALUE=DATE:" + d + "\r\n")
                      : event(i, "DTSTART;TZID=America/New_York:" + d + "T180000\r\n",
                              "DURATION:PT2H\r\n");
    }
    for (; i < 4400; ++i) // yearly: a fixed date or the nth weekday of a month
        text +=
            event(i, "DTSTART;VALUE=DATE:" + dateOf(i % 365) + "\r\n",
                  i % 2 ? QByteArray("RRULE:FREQ=YEARLY\r\n")
                        : "RRULE:FREQ=YEARLY;BYMONTH=" + QByteArray::number(i % 12 + 1) +
                              ";BYDAY=" + QByteArray::number(i % 4 + 1) + Weekdays[i % 7] + "\r\n");
    for (; i < 4700; ++i) // monthly: the last weekday, or a day of the month
        text += event(i, "DTSTART;VALUE=DATE:" + dateOf(i % 60) + "\r\n",
                      i % 2 ? "RRULE:FREQ=MONTHLY;BYDAY=-1" + QByteArray(Weekdays[i % 7]) + "\r\n"
                            : "RRULE:FREQ=MONTHLY;BYMONTHDAY=" + QByteArray::number(i % 28 + 1) +
                                  "\r\n");
    for (; i < 4900; ++i) // weekly drills, evenings in New York, two dropped
        text +=
            event(i, "DTSTART;TZID=America/New_York:" + dateOf(i % 200) + "T190000\r\n",
                  "DURATION:PT2H\r\nRRULE:FREQ=WEEKLY;INTERVAL=" + QByteArray::number(i % 3 + 1) +
                      "\r\nEXDATE;TZID=America/New_York:" + dateOf(i % 200 + 7 * (i % 3 + 1)) +
                      "T190000\r\n");
    for (; i < 5000; ++i) // courses of ten days, counted
        text += event(i, "DTSTART;VALUE=DATE:" + dateOf((i * 53) % (Months * 30)) + "\r\n",
                      "RRULE:FREQ=DAILY;COUNT=10\r\n");
    return text + "END:VCALENDAR\r\n";
}

struct File {
    File()
    {
        QFile f(dir.filePath(QStringLiteral("station.ics")));
        f.open(QIODevice::WriteOnly);
        f.write(bigCalendar());
    }
    QString path() const { return dir.filePath(QStringLiteral("station.ics")); }
    QTemporaryDir dir;
};

File& file()
{
    static File f;
    return f;
}

double monthStart(int step)
{
    return DayNumber::fromDate(QDate(2020, 1, 1).addMonths(step % Months));
}

// What the main window does for a month step: the platoons of the 42 days,
// then, with the calendar, the bars of what the background has worked out
// (and the asking for what it has not). Each step a month not seen before.
void monthStep(benchmark::State& state, bool withCalendars)
{
    OtherCalendars calendars;
    if (withCalendars) {
        calendars.Add(file().path());
        calendars.WaitFor(FirstDay, FirstDay); // the file read, as it is long after start
    }
    ctlMonth month;
    month.resize(800, 600);
    month.show();
    const auto schedule = DefaultSchedule();
    int step = 0;
    size_t barred = 0;
    for (auto _ : state) {
        state.PauseTiming();
        month.setFullDate(monthStart(step++));
        state.ResumeTiming();
        FillDaysFromSchedule(month, schedule, 1);
        if (withCalendars) {
            FillDaysWithCalendars(month,
                                  calendars.ShownBars(month.DateOfCell(1), month.DateOfCell(42)));
            for (int i = 1; i <= 42; ++i)
                barred += month.Days().Item(i)->BarColors().empty() ? 0 : 1;
        }
    }
    state.counters["days with bars"] =
        benchmark::Counter(static_cast<double>(barred), benchmark::Counter::kAvgIterations);
}

void BM_MonthStepWithoutCalendars(benchmark::State& state)
{
    monthStep(state, false);
}
void BM_MonthStepWithCalendars(benchmark::State& state)
{
    monthStep(state, true);
}

// The step and the wait until its bars are there: how late they come when
// no month around it was worked out before.
void BM_MonthStepUntilCalendarsShown(benchmark::State& state)
{
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        OtherCalendars calendars; // nothing worked out yet
        calendars.Add(file().path());
        calendars.WaitFor(FirstDay, FirstDay);
        const double first = monthStart(step++ * 7) - 6;
        state.ResumeTiming();
        calendars.WaitFor(first, first + 41);
        benchmark::DoNotOptimize(calendars.ShownBars(first, first + 41));
    }
}

// The background thread's work for one month.
void BM_CalendarsMonthWorkedOut(benchmark::State& state)
{
    const IcsCalendar::Loaded loaded = IcsCalendar::Read(file().path());
    const QTimeZone zone("Europe/Berlin");
    int step = 0;
    size_t days = 0;
    for (auto _ : state) {
        const double first = monthStart(step++);
        days += loaded.calendar->Between(first, first + 30, zone).size();
    }
    state.counters["event days"] =
        benchmark::Counter(static_cast<double>(days), benchmark::Counter::kAvgIterations);
}

void BM_CalendarsFileRead(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(IcsCalendar::Read(file().path()).calendar->EventCount());
}
} // namespace

BENCHMARK(BM_MonthStepWithoutCalendars)->Unit(benchmark::kMicrosecond)->Iterations(Months);
BENCHMARK(BM_MonthStepWithCalendars)->Unit(benchmark::kMicrosecond)->Iterations(Months);
BENCHMARK(BM_MonthStepUntilCalendarsShown)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_CalendarsMonthWorkedOut)->Unit(benchmark::kMillisecond)->Iterations(Months);
BENCHMARK(BM_CalendarsFileRead)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    return runWidgetBenchmarks(argc, argv);
}
