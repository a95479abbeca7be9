#include "calendars/OtherCalendars.h"

#include "model/DayNumber.h"
#include "platform/ISettingsStore.h"
#include "platform/Services.h"

#include <QFileInfo>

#include <algorithm>

namespace {
const QString Section = QStringLiteral("OtherCalendars");
// Months kept worked out per run: a year on screen, and more to step back to.
constexpr size_t MaxMonths = 240;

// Told apart from the usual platoon and note colours (0x00BBGGRR).
int32_t defaultColor(size_t index)
{
    static const int32_t colors[] = {0xA0A000, 0x0060C0, 0xC04080, 0x208020, 0x6060E0};
    return colors[index % std::size(colors)];
}

int monthOf(double day)
{
    const QDate d = DayNumber::toDate(day);
    return d.year() * 12 + d.month() - 1;
}

double firstDayOf(int month)
{
    return DayNumber::fromDate(QDate(month / 12, month % 12 + 1, 1));
}
} // namespace

OtherCalendars::OtherCalendars(QObject* parent)
    : QObject(parent), zone_(QTimeZone::systemTimeZone())
{
}

OtherCalendars::~OtherCalendars()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    cancelled_ = true;
    wake_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

void OtherCalendars::Read()
{
    ISettingsStore& s = settingsStore();
    const int count = s.GetSetting(Section, QStringLiteral("Count"), QStringLiteral("0")).toInt();
    for (int i = 1; i <= count; ++i) {
        const QString path = s.GetSetting(Section, QStringLiteral("File%1").arg(i));
        if (path.isEmpty() || std::any_of(list_.begin(), list_.end(),
                                          [&](const Calendar& c) { return c.path == path; }))
            continue;
        Calendar c;
        c.id = nextId_++;
        c.path = path;
        bool ok = false;
        const int32_t color = s.GetSetting(Section, QStringLiteral("Color%1").arg(i)).toInt(&ok);
        c.color = ok && color >= 0 && color <= 0xFFFFFF ? color : defaultColor(list_.size());
        c.shown = s.GetSetting(Section, QStringLiteral("Show%1").arg(i), QStringLiteral("True")) !=
                  QLatin1String("False");
        list_.push_back(c);
        startReading(list_.back());
    }
    emit Changed();
}

void OtherCalendars::write() const
{
    ISettingsStore& s = settingsStore();
    const int stored = s.GetSetting(Section, QStringLiteral("Count"), QStringLiteral("0")).toInt();
    for (size_t i = 0; i < list_.size(); ++i) {
        const QString n = QString::number(i + 1);
        s.SaveSetting(Section, QStringLiteral("File") + n, list_[i].path);
        s.SaveSetting(Section, QStringLiteral("Color") + n, QString::number(list_[i].color));
        s.SaveSetting(Section, QStringLiteral("Show") + n,
                      list_[i].shown ? QStringLiteral("True") : QStringLiteral("False"));
    }
    for (int i = static_cast<int>(list_.size()) + 1; i <= stored; ++i)
        s.SaveSetting(Section, QStringLiteral("File%1").arg(i), QString());
    s.SaveSetting(Section, QStringLiteral("Count"), QString::number(list_.size()));
    s.sync();
}

int OtherCalendars::Add(const QString& path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    for (size_t i = 0; i < list_.size(); ++i)
        if (list_[i].path == full)
            return static_cast<int>(i);
    Calendar c;
    c.id = nextId_++;
    c.path = full;
    c.color = defaultColor(list_.size());
    list_.push_back(c);
    startReading(list_.back());
    write();
    emit Changed();
    return static_cast<int>(list_.size()) - 1;
}

void OtherCalendars::Remove(int index)
{
    if (index < 0 || index >= static_cast<int>(list_.size()))
        return;
    const int id = list_[static_cast<size_t>(index)].id;
    list_.erase(list_.begin() + index);
    {
        std::lock_guard lock(mutex_);
        readState_.erase(id);
        known_.erase(id);
        for (auto it = months_.begin(); it != months_.end();)
            it = it->first.id == id ? months_.erase(it) : std::next(it);
    }
    post({Job::Drop, id, {}, 0}, true);
    write();
    emit Changed();
}

void OtherCalendars::setColor(int index, int32_t color)
{
    list_.at(static_cast<size_t>(index)).color = color;
    write();
    emit Changed();
}

void OtherCalendars::setShown(int index, bool shown)
{
    list_.at(static_cast<size_t>(index)).shown = shown;
    write();
    emit Changed();
}

void OtherCalendars::setLocalZone(const QTimeZone& zone)
{
    std::lock_guard lock(mutex_);
    zone_ = zone;
    months_.clear();
    monthOrder_.clear();
}

void OtherCalendars::startReading(Calendar& c)
{
    c.name = QFileInfo(c.path).completeBaseName();
    c.read = false;
    c.problem.clear();
    {
        std::lock_guard lock(mutex_);
        known_.insert(c.id);
    }
    post({Job::ReadFile, c.id, c.path, 0}, false);
}

void OtherCalendars::post(Job job, bool soon)
{
    {
        std::lock_guard lock(mutex_);
        if (soon)
            jobs_.push_front(std::move(job));
        else
            jobs_.push_back(std::move(job));
        if (!worker_.joinable())
            worker_ = std::thread([this] { work(); });
    }
    wake_.notify_one();
}

void OtherCalendars::ask(const Key& key, bool soon)
{
    {
        std::lock_guard lock(mutex_);
        if (months_.count(key) || !pending_.insert(key).second)
            return;
    }
    post({Job::Expand, key.id, {}, key.month}, soon);
}

bool OtherCalendars::readyLocked(const Key& key) const
{
    const auto state = readState_.find(key.id);
    return state != readState_.end() && (!state->second || months_.count(key));
}

OtherCalendars::Days OtherCalendars::daysLocked(const Key& key) const
{
    const auto it = months_.find(key);
    return it == months_.end() ? nullptr : it->second;
}

std::vector<std::pair<double, std::vector<int32_t>>> OtherCalendars::ShownBars(double first,
                                                                               double last)
{
    std::vector<std::pair<double, size_t>> hits; // day, calendar
    const int from = monthOf(first), to = monthOf(last);
    for (size_t i = 0; i < list_.size(); ++i) {
        const Calendar& c = list_[i];
        if (!c.shown)
            continue;
        for (int m = from; m <= to; ++m) {
            Days days;
            {
                std::lock_guard lock(mutex_);
                const auto state = readState_.find(c.id);
                if (state == readState_.end() || !state->second)
                    break;
                days = daysLocked({c.id, m});
            }
            if (!days) {
                ask({c.id, m}, true);
                continue;
            }
            for (const CalendarDay& d : *days)
                if (d.day >= first && d.day <= last)
                    hits.emplace_back(d.day, i);
        }
        // The months either side, so that a step finds them ready.
        ask({c.id, from - 1}, false);
        ask({c.id, to + 1}, false);
    }
    std::sort(hits.begin(), hits.end());
    hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
    std::vector<std::pair<double, std::vector<int32_t>>> bars;
    for (const auto& [day, i] : hits) {
        if (bars.empty() || bars.back().first != day)
            bars.push_back({day, {}});
        bars.back().second.push_back(list_[i].color);
    }
    return bars;
}

QStringList OtherCalendars::ShownLines(double day) const
{
    QStringList lines;
    day = DayNumber::wholeDay(day);
    const int month = monthOf(day);
    std::lock_guard lock(mutex_);
    for (const Calendar& c : list_) {
        const Days days = c.shown ? daysLocked({c.id, month}) : nullptr;
        if (!days)
            continue;
        for (const CalendarDay& d : *days)
            if (d.day == day)
                lines << QStringLiteral("%1 (%2)").arg(d.summary, c.name);
    }
    return lines;
}

void OtherCalendars::WaitFor(double first, double last)
{
    std::vector<Key> keys;
    for (const Calendar& c : list_)
        if (c.shown)
            for (int m = monthOf(first); m <= monthOf(last); ++m)
                keys.push_back({c.id, m});
    for (const Key& k : keys)
        ask(k, true);
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] {
        return stopping_ ||
               std::all_of(keys.begin(), keys.end(), [&](const Key& k) { return readyLocked(k); });
    });
}

void OtherCalendars::work()
{
    std::map<int, std::unique_ptr<IcsCalendar>> files;
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || !jobs_.empty(); });
        if (stopping_)
            return;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        if (job.kind == Job::Expand && !readState_.count(job.id)) {
            // Its file is still to be read (the read is queued behind), or
            // the calendar is gone.
            if (known_.count(job.id))
                jobs_.push_back(std::move(job));
            else
                pending_.erase({job.id, job.month});
            continue;
        }
        const QTimeZone zone = zone_;
        lock.unlock();
        if (job.kind == Job::ReadFile) {
            IcsCalendar::Loaded loaded;
            try {
                loaded = IcsCalendar::Read(job.path, &cancelled_);
            } catch (const std::bad_alloc&) {
                loaded.problem = QStringLiteral("there is not enough memory to read it");
            }
            const bool ok = loaded.calendar != nullptr;
            const QString name = ok ? loaded.calendar->Name() : QString();
            files[job.id] = std::move(loaded.calendar);
            lock.lock();
            if (known_.count(job.id))
                readState_[job.id] = ok;
            lock.unlock();
            QMetaObject::invokeMethod(
                this,
                [this, id = job.id, name, problem = loaded.problem, ok] {
                    fileRead(id, name, problem, ok);
                },
                Qt::QueuedConnection);
        } else if (job.kind == Job::Drop) {
            files.erase(job.id);
        } else {
            const auto file = files.find(job.id);
            Days days;
            if (file != files.end() && file->second)
                days = std::make_shared<const std::vector<CalendarDay>>(file->second->Between(
                    firstDayOf(job.month), firstDayOf(job.month + 1) - 1, zone));
            lock.lock();
            pending_.erase({job.id, job.month});
            if (days && readState_.count(job.id)) {
                months_[{job.id, job.month}] = days;
                monthOrder_.push_back({job.id, job.month});
                while (monthOrder_.size() > MaxMonths) {
                    months_.erase(monthOrder_.front());
                    monthOrder_.pop_front();
                }
            }
            lock.unlock();
            notify();
        }
        done_.notify_all();
        lock.lock();
    }
}

void OtherCalendars::notify()
{
    // One redraw for a run of months worked out together.
    {
        std::lock_guard lock(mutex_);
        if (notifyQueued_)
            return;
        notifyQueued_ = true;
    }
    QMetaObject::invokeMethod(
        this,
        [this] {
            {
                std::lock_guard lock(mutex_);
                notifyQueued_ = false;
            }
            emit Changed();
        },
        Qt::QueuedConnection);
}

void OtherCalendars::fileRead(int id, const QString& name, const QString& problem, bool ok)
{
    const int index = indexOf(id);
    if (index < 0)
        return;
    Calendar& c = list_[static_cast<size_t>(index)];
    c.read = ok;
    c.problem = problem;
    if (!name.isEmpty())
        c.name = name;
    if (!problem.isEmpty())
        emit Problem(ok ? QStringLiteral("Some events of the calendar file \"%1\" are not shown: "
                                         "%2.")
                              .arg(c.path, problem)
                        : QStringLiteral("The calendar file \"%1\" cannot be shown: %2.")
                              .arg(c.path, problem));
    emit Changed();
}

int OtherCalendars::indexOf(int id) const
{
    for (size_t i = 0; i < list_.size(); ++i)
        if (list_[i].id == id)
            return static_cast<int>(i);
    return -1;
}
