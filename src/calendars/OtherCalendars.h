#pragma once
// The iCalendar files the user shows beside the schedule (public holidays,
// station events), each with a colour. The files are read, and their events
// put on days, by one background thread a month at a time, so that a large
// file or a rule repeating every minute never holds up the window; a month
// already worked out is kept. Windows ask for what is ready and redraw on
// Changed.
#include "calendars/IcsCalendar.h"

#include <QObject>
#include <QStringList>
#include <QTimeZone>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <utility>
#include <vector>

class OtherCalendars : public QObject {
    Q_OBJECT
public:
    struct Calendar {
        int id = 0; // stable while the list changes around it
        QString path;
        int32_t color = 0;
        bool shown = true;
        QString name;    // the file's own name for itself, else its file name
        QString problem; // why it shows nothing (or not all), empty when it is fine
        bool read = false;
    };

    explicit OtherCalendars(QObject* parent = nullptr);
    ~OtherCalendars() override;

    // The list as stored in the settings, each file read anew.
    void Read();
    const std::vector<Calendar>& List() const { return list_; }
    // Adds a file at the end of the list (or gives the index it already has).
    int Add(const QString& path);
    void Remove(int index);
    void setColor(int index, int32_t color);
    void setShown(int index, bool shown);
    // The zone whose calendar days the events are put on; the system's by default.
    void setLocalZone(const QTimeZone& zone);

    // Per day from first to last with any event of a shown calendar: the
    // colours of those calendars in list order. Months not worked out yet are
    // asked for and left out; Changed follows when they are ready.
    std::vector<std::pair<double, std::vector<int32_t>>> ShownBars(double first, double last);
    // A day's events as "Summary (calendar)", from the months worked out.
    QStringList ShownLines(double day) const;
    // Blocks until the shown calendars are read and the days worked out:
    // for a printed page, which cannot be drawn again later.
    void WaitFor(double first, double last);

signals:
    // The list, a colour, or newly worked out days.
    void Changed();
    // A file that cannot be shown, in words for the user; once per reading.
    void Problem(const QString& message);

private:
    struct Key {
        int id;
        int month; // year * 12 + month - 1
        bool operator<(const Key& o) const { return std::tie(id, month) < std::tie(o.id, o.month); }
    };
    struct Job {
        enum Kind { ReadFile, Expand, Drop } kind;
        int id;
        QString path;
        int month = 0;
    };
    using Days = std::shared_ptr<const std::vector<CalendarDay>>;

    void write() const;
    void startReading(Calendar& c);
    void ask(const Key& key, bool soon);
    void post(Job job, bool soon);
    void work();
    void notify();
    void fileRead(int id, const QString& name, const QString& problem, bool ok);
    bool readyLocked(const Key& key) const;
    Days daysLocked(const Key& key) const;
    int indexOf(int id) const;

    std::vector<Calendar> list_;
    int nextId_ = 1;

    // Shared with the worker, under mutex_.
    mutable std::mutex mutex_;
    std::condition_variable wake_; // the worker: a job
    std::condition_variable done_; // WaitFor: a file read or a month worked out
    std::deque<Job> jobs_;
    std::set<Key> pending_;
    std::map<Key, Days> months_;
    std::deque<Key> monthOrder_;    // oldest first, for the cache's bound
    std::map<int, bool> readState_; // id -> read well; missing while being read
    std::set<int> known_;           // ids in the list
    QTimeZone zone_;
    bool stopping_ = false;
    bool notifyQueued_ = false;
    std::atomic<bool> cancelled_{false};
    std::thread worker_;
};
