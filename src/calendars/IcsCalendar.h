#pragma once
// One iCalendar file read for display: its events, with their repeat rules,
// exceptions and moved occurrences, put on local calendar days only for the
// days asked for, so that a rule repeating for ever costs no more than the
// days on screen. Read-only; the file is never written.
#include <QByteArray>
#include <QString>
#include <QTimeZone>
#include <atomic>
#include <memory>
#include <vector>

typedef struct icalcomponent_impl icalcomponent;

// An event on a day: the day number and its summary.
struct CalendarDay {
    double day = 0;
    QString summary;
    bool operator==(const CalendarDay& o) const { return day == o.day && summary == o.summary; }
};

class IcsCalendar {
public:
    struct Event;
    // The calendar, or nothing with the reason in words ("it is empty");
    // a calendar can come with a reason too, when some events were left out.
    struct Loaded {
        std::unique_ptr<IcsCalendar> calendar;
        QString problem;
    };
    // Files larger than this are refused rather than read into memory.
    static constexpr qint64 MaxFileBytes = 100LL * 1024 * 1024;

    // `cancelled`, when given, is polled while reading; a cancelled read
    // gives nothing.
    static Loaded Read(const QString& path, const std::atomic<bool>* cancelled = nullptr);
    static Loaded Parse(const QByteArray& text, const std::atomic<bool>* cancelled = nullptr);
    ~IcsCalendar();
    IcsCalendar(const IcsCalendar&) = delete;
    IcsCalendar& operator=(const IcsCalendar&) = delete;

    // The name the file gives itself (X-WR-CALNAME); empty when none.
    QString Name() const { return name_; }
    int EventCount() const;
    // The events on the days first..last as calendar days in `zone`: an
    // all-day event on its dates, a timed one from the day it starts to the
    // day it ends. Ordered by day, then as the file lists them.
    std::vector<CalendarDay> Between(double first, double last, const QTimeZone& zone) const;

private:
    IcsCalendar();
    void addOccurrences(const Event& e, double first, double last, const QTimeZone& zone,
                        std::vector<std::pair<double, int>>& out) const;

    icalcomponent* root_ = nullptr; // keeps the file's own time zones alive
    QString name_;
    std::vector<Event> events_;
};
