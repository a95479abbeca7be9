#include "calendars/IcsCalendar.h"

#include "model/DayNumber.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <libical/ical.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {
constexpr double Unbounded = std::numeric_limits<double>::infinity();
// A rule counted further than this ends at the last occurrence counted.
constexpr int MaxCounted = 200000;
// Steps of one rule for one range of days; only a rule that hits no day for
// very long (a second-by-second rule limited to one hour) reaches it.
constexpr int MaxSteps = 50000;
constexpr int64_t SecondsPerDay = 86400;

// The clock reading of a time in its own zone, as seconds; midnight for a date.
int64_t wall(const icaltimetype& t)
{
    return static_cast<int64_t>(icaltime_as_timet(t));
}

icaltimetype fromWall(int64_t secs, const icaltimetype& like)
{
    icaltimetype t =
        icaltime_from_timet_with_zone(static_cast<time_t>(secs), like.is_date, nullptr);
    t.zone = like.zone;
    return t;
}

double wallDay(int64_t secs)
{
    return DayNumber::Epoch1970 + static_cast<double>(secs >= 0
                                                          ? secs / SecondsPerDay
                                                          : -((-secs - 1) / SecondsPerDay) - 1);
}

bool floating(const icaltimetype& t)
{
    return t.is_date || t.zone == nullptr;
}

// The local calendar day of an instant given in seconds since 1970.
double localDay(int64_t utcSecs, const QTimeZone& zone)
{
    return DayNumber::fromDate(QDateTime::fromSecsSinceEpoch(utcSecs, zone).date());
}

int64_t utcSeconds(const icaltimetype& t)
{
    return static_cast<int64_t>(icaltime_as_timet_with_zone(t, t.zone));
}

bool isSubDaily(const icalrecurrencetype& r)
{
    return r.freq == ICAL_SECONDLY_RECURRENCE || r.freq == ICAL_MINUTELY_RECURRENCE ||
           r.freq == ICAL_HOURLY_RECURRENCE;
}

int64_t stepSeconds(const icalrecurrencetype& r)
{
    const int64_t unit = r.freq == ICAL_SECONDLY_RECURRENCE   ? 1
                         : r.freq == ICAL_MINUTELY_RECURRENCE ? 60
                                                              : 3600;
    return unit * std::max<int64_t>(1, r.interval);
}

bool emptyList(const short* list)
{
    return list[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

// Months (bits 1..12) a yearly rule can fall in; every month when its parts
// can reach beyond the ones named.
uint16_t yearlyMonths(const icalrecurrencetype& r, const icaltimetype& start)
{
    constexpr uint16_t All = 0x1FFE;
    if (r.freq != ICAL_YEARLY_RECURRENCE)
        return All;
    if (!emptyList(r.by_month)) {
        uint16_t months = 0;
        for (int i = 0; i < ICAL_BY_MONTH_SIZE && r.by_month[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i)
            if (r.by_month[i] >= 1 && r.by_month[i] <= 12)
                months = static_cast<uint16_t>(months | (1u << r.by_month[i]));
        return months ? months : All;
    }
    if (emptyList(r.by_day) && emptyList(r.by_month_day) && emptyList(r.by_year_day) &&
        emptyList(r.by_week_no))
        return static_cast<uint16_t>(1u << start.month);
    return All;
}

struct Source {
    const char* p;
    const char* end;
    const std::atomic<bool>* cancelled;
    unsigned lines;
};

// Hands the parser one line at a time, and nothing once the read is cancelled.
char* nextLine(char* s, size_t size, void* d)
{
    auto* src = static_cast<Source*>(d);
    if (src->p >= src->end || size < 2)
        return nullptr;
    if (src->cancelled && (++src->lines & 0xFFF) == 0 && src->cancelled->load()) {
        src->p = src->end;
        return nullptr;
    }
    const size_t avail = std::min(size - 1, static_cast<size_t>(src->end - src->p));
    const auto* nl = static_cast<const char*>(std::memchr(src->p, '\n', avail));
    const size_t n = nl ? static_cast<size_t>(nl - src->p) + 1 : avail;
    std::memcpy(s, src->p, n);
    s[n] = '\0';
    src->p += n;
    return s;
}
} // namespace

struct IcsCalendar::Event {
    QString summary;
    icaltimetype start{}; // in its own zone; a date for an all-day event
    int64_t length = 0;   // days for an all-day event, else seconds
    std::shared_ptr<icalrecurrencetype> rule;
    std::vector<icaltimetype> extra; // RDATEs, in the start's zone
    std::vector<int64_t> skipped;    // EXDATEs and moved occurrences, wall seconds
    std::vector<int> skippedDates;   // EXDATEs given as dates for a timed event
    double firstDay = 0;             // wall days, a margin either side, for a quick skip
    double lastDay = 0;
    uint16_t months = 0x1FFE;

    int64_t spanDays() const
    {
        return start.is_date ? std::max<int64_t>(1, length)
                             : (length + SecondsPerDay - 1) / SecondsPerDay;
    }
    bool isSkipped(const icaltimetype& t) const
    {
        if (std::binary_search(skipped.begin(), skipped.end(), wall(t)))
            return true;
        const int date = t.year * 10000 + t.month * 100 + t.day;
        return !t.is_date &&
               std::find(skippedDates.begin(), skippedDates.end(), date) != skippedDates.end();
    }
    // The local days an occurrence starting at `t` covers.
    std::pair<double, double> localSpan(const icaltimetype& t, const QTimeZone& zone) const
    {
        if (t.is_date) {
            const double d = wallDay(wall(t));
            return {d, d + static_cast<double>(std::max<int64_t>(1, length)) - 1};
        }
        const int64_t lastSecond = length > 0 ? length - 1 : 0;
        if (floating(t)) {
            const int64_t s = wall(t);
            return {wallDay(s), wallDay(s + lastSecond)};
        }
        const int64_t s = utcSeconds(t);
        return {localDay(s, zone), lastSecond ? localDay(s + lastSecond, zone) : localDay(s, zone)};
    }
};

namespace {
class Reader {
public:
    explicit Reader(icalcomponent* calendar) : calendar_(calendar) {}

    // A time property's value in the zone its TZID names: the file's own
    // VTIMEZONE first, else the system's zone of that name.
    icaltimetype zoned(icaltimetype t, icalproperty* p) const
    {
        if (icaltime_is_null_time(t) || t.is_date || t.zone)
            return t;
        if (icalparameter* tzp = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER)) {
            const char* id = icalparameter_get_tzid(tzp);
            icaltimezone* z = id ? icalcomponent_get_timezone(calendar_, id) : nullptr;
            if (!z && id)
                z = icaltimezone_get_builtin_timezone_from_tzid(id);
            if (!z && id)
                z = icaltimezone_get_builtin_timezone(id);
            t.zone = z;
        }
        return t;
    }

    // `t` as the same clock reading scheme as `start`: in its zone, or a date.
    static icaltimetype like(icaltimetype t, const icaltimetype& start)
    {
        if (start.is_date) {
            t.is_date = 1;
            t.hour = t.minute = t.second = 0;
        } else if (!t.is_date && t.zone && start.zone && t.zone != start.zone) {
            t = icaltime_convert_to_zone(t, const_cast<icaltimezone*>(start.zone));
        }
        return t;
    }

    bool read(icalcomponent* c, IcsCalendar::Event& e) const
    {
        icalproperty* sp = icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY);
        if (!sp)
            return false;
        e.start = zoned(icalproperty_get_dtstart(sp), sp);
        if (icaltime_is_null_time(e.start) || !icaltime_is_valid_time(e.start))
            return false;
        const char* summary = icalcomponent_get_summary(c);
        e.summary = summary && *summary ? QString::fromUtf8(summary).simplified()
                                        : QStringLiteral("(no title)");
        readLength(c, e);
        if (icalproperty* rp = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY)) {
            icalrecurrencetype r = icalproperty_get_rrule(rp);
            if (r.freq != ICAL_NO_RECURRENCE) {
                if (!icaltime_is_null_time(r.until))
                    r.until = like(r.until, e.start);
                e.rule = std::make_shared<icalrecurrencetype>(r);
                countToUntil(e);
            }
        }
        for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype v = icalproperty_get_rdate(p);
            const icaltimetype t = icaltime_is_null_time(v.time) ? v.period.start : v.time;
            if (!icaltime_is_null_time(t))
                e.extra.push_back(like(zoned(t, p), e.start));
        }
        for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_EXDATE_PROPERTY)) {
            const icaltimetype t = zoned(icalproperty_get_exdate(p), p);
            if (icaltime_is_null_time(t))
                continue;
            if (t.is_date && !e.start.is_date)
                e.skippedDates.push_back(t.year * 10000 + t.month * 100 + t.day);
            else
                e.skipped.push_back(wall(like(t, e.start)));
        }
        e.months = e.rule ? yearlyMonths(*e.rule, e.start) : 0x1FFE;
        return true;
    }

    void bound(IcsCalendar::Event& e) const
    {
        // Wall days with two days to spare: no zone is more than a day off.
        const double span = static_cast<double>(e.spanDays());
        double first = wallDay(wall(e.start));
        double last = first + span;
        if (e.rule)
            last = icaltime_is_null_time(e.rule->until) ? Unbounded
                                                        : wallDay(wall(e.rule->until)) + span;
        for (const icaltimetype& t : e.extra) {
            first = std::min(first, wallDay(wall(t)));
            last = std::max(last, wallDay(wall(t)) + span);
        }
        e.firstDay = first - 2;
        e.lastDay = last + 2;
    }

private:
    void readLength(icalcomponent* c, IcsCalendar::Event& e) const
    {
        if (icalproperty* ep = icalcomponent_get_first_property(c, ICAL_DTEND_PROPERTY)) {
            const icaltimetype end = zoned(icalproperty_get_dtend(ep), ep);
            if (!icaltime_is_null_time(end)) {
                if (e.start.is_date)
                    e.length = (wall(end) - wall(e.start)) / SecondsPerDay;
                else if (floating(e.start) || floating(end))
                    e.length = wall(end) - wall(e.start);
                else
                    e.length = utcSeconds(end) - utcSeconds(e.start);
            }
        } else if (icalproperty* dp = icalcomponent_get_first_property(c, ICAL_DURATION_PROPERTY)) {
            const int secs = icaldurationtype_as_int(icalproperty_get_duration(dp));
            e.length = e.start.is_date ? secs / SecondsPerDay : secs;
        } else if (e.start.is_date) {
            e.length = 1;
        }
        e.length = std::max<int64_t>(0, e.length);
    }

    // A counted rule is turned into one that ends, so that reading can start
    // at any day without counting from the first.
    static void countToUntil(IcsCalendar::Event& e)
    {
        icalrecurrencetype& r = *e.rule;
        if (r.count <= 0)
            return;
        icalrecur_iterator* it = icalrecur_iterator_new(r, e.start);
        icaltimetype last = e.start;
        for (int n = 0; it && n < std::min(r.count, MaxCounted); ++n) {
            const icaltimetype t = icalrecur_iterator_next(it);
            if (icaltime_is_null_time(t))
                break;
            last = t;
        }
        if (it)
            icalrecur_iterator_free(it);
        r.count = 0;
        r.until = last;
    }

    icalcomponent* calendar_;
};
} // namespace

IcsCalendar::IcsCalendar() = default;

IcsCalendar::~IcsCalendar()
{
    if (root_)
        icalcomponent_free(root_);
}

int IcsCalendar::EventCount() const
{
    return static_cast<int>(events_.size());
}

IcsCalendar::Loaded IcsCalendar::Read(const QString& path, const std::atomic<bool>* cancelled)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {nullptr, QStringLiteral("it does not exist")};
    if (info.isDir())
        return {nullptr, QStringLiteral("it is a folder")};
    // A pipe or a device would never end, or block the read.
    if (!info.isFile())
        return {nullptr, QStringLiteral("it is not an ordinary file")};
    if (info.size() == 0)
        return {nullptr, QStringLiteral("it is empty")};
    if (info.size() > MaxFileBytes)
        return {nullptr, QStringLiteral("it is larger than %1 MB").arg(MaxFileBytes >> 20)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {nullptr, QStringLiteral("it cannot be opened (%1)").arg(file.errorString())};
    const QByteArray text = file.read(MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {nullptr, QStringLiteral("it cannot be read (%1)").arg(file.errorString())};
    return Parse(text, cancelled);
}

IcsCalendar::Loaded IcsCalendar::Parse(const QByteArray& text, const std::atomic<bool>* cancelled)
{
    QByteArray head = text.left(64).trimmed();
    if (head.startsWith("\xEF\xBB\xBF"))
        head = head.mid(3);
    if (head.isEmpty() && text.trimmed().isEmpty())
        return {nullptr, QStringLiteral("it is empty")};
    if (!head.toUpper().startsWith("BEGIN:VCALENDAR"))
        return {nullptr, QStringLiteral("it is not an iCalendar file")};

    Source src{text.constData(), text.constData() + text.size(), cancelled, 0};
    icalparser* parser = icalparser_new();
    icalparser_set_gen_data(parser, &src);
    icalcomponent* root = icalparser_parse(parser, nextLine);
    icalparser_free(parser);
    if (cancelled && cancelled->load()) {
        if (root)
            icalcomponent_free(root);
        return {};
    }
    icalcomponent* calendar = root;
    if (root && icalcomponent_isa(root) != ICAL_VCALENDAR_COMPONENT)
        calendar = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT);
    if (!calendar) {
        if (root)
            icalcomponent_free(root);
        return {nullptr, QStringLiteral("it is not an iCalendar file")};
    }

    std::unique_ptr<IcsCalendar> cal(new IcsCalendar);
    cal->root_ = root;
    for (icalproperty* p = icalcomponent_get_first_property(calendar, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(calendar, ICAL_X_PROPERTY)) {
        const char* xname = icalproperty_get_x_name(p);
        if (xname && qstricmp(xname, "X-WR-CALNAME") == 0 && icalproperty_get_x(p))
            cal->name_ = QString::fromUtf8(icalproperty_get_x(p)).simplified();
    }

    const Reader reader(calendar);
    std::vector<icalcomponent*> vevents;
    for (icalcomponent* c = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); c;
         c = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
        vevents.push_back(c);
    // A moved or cancelled occurrence is its own VEVENT with the UID of the
    // series and the RECURRENCE-ID of the occurrence it replaces.
    QHash<QByteArray, size_t> series;
    std::vector<std::pair<icalcomponent*, icaltimetype>> moved;
    int unreadable = 0;
    for (icalcomponent* c : vevents) {
        icalproperty* rid = icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY);
        if (rid) {
            moved.emplace_back(c, reader.zoned(icalproperty_get_recurrenceid(rid), rid));
            continue;
        }
        Event e;
        if (!reader.read(c, e)) {
            ++unreadable;
            continue;
        }
        if (icalcomponent_get_status(c) == ICAL_STATUS_CANCELLED)
            continue;
        if (const char* uid = icalcomponent_get_uid(c))
            series.insert(QByteArray(uid), cal->events_.size());
        cal->events_.push_back(std::move(e));
    }
    for (const auto& [c, rid] : moved) {
        const char* uid = icalcomponent_get_uid(c);
        const auto master = uid ? series.constFind(QByteArray(uid)) : series.constEnd();
        if (master != series.constEnd() && !icaltime_is_null_time(rid)) {
            Event& m = cal->events_[*master];
            m.skipped.push_back(wall(Reader::like(rid, m.start)));
        }
        Event e;
        if (!reader.read(c, e)) {
            ++unreadable;
            continue;
        }
        if (icalcomponent_get_status(c) != ICAL_STATUS_CANCELLED) {
            e.rule.reset(); // the occurrence itself, not the series again
            cal->events_.push_back(std::move(e));
        }
    }
    for (Event& e : cal->events_) {
        std::sort(e.skipped.begin(), e.skipped.end());
        reader.bound(e);
    }
    // The events hold what they need; the file's zones stay with the calendar.
    for (icalcomponent* c : vevents) {
        icalcomponent_remove_component(calendar, c);
        icalcomponent_free(c);
    }

    const int total = cal->EventCount() + unreadable;
    if (unreadable > 0 && cal->events_.empty())
        return {nullptr, QStringLiteral("none of its %1 events can be read").arg(total)};
    if (unreadable > 0)
        return {std::move(cal),
                QStringLiteral("%1 of its %2 events cannot be read and are left out")
                    .arg(unreadable)
                    .arg(total)};
    return {std::move(cal), QString()};
}

void IcsCalendar::addOccurrences(const Event& e, double first, double last, const QTimeZone& zone,
                                 std::vector<std::pair<double, int>>& out) const
{
    const int index = static_cast<int>(&e - events_.data());
    auto put = [&](const icaltimetype& t) {
        if (e.isSkipped(t))
            return;
        const auto [from, to] = e.localSpan(t, zone);
        for (double d = std::max(from, first); d <= std::min(to, last); ++d)
            out.emplace_back(d, index);
    };
    // The range in the event's own clock, a day wider either side for the
    // zones between it and the local one.
    const auto dayStart = [&](double day) {
        return (static_cast<int64_t>(day) - static_cast<int64_t>(DayNumber::Epoch1970)) *
               SecondsPerDay;
    };
    const int64_t windowFrom = dayStart(first - static_cast<double>(e.spanDays()) - 1);
    const int64_t to = dayStart(last + 2);
    for (const icaltimetype& t : e.extra) {
        const int64_t w = wall(t);
        if (w >= windowFrom && w < to)
            put(t);
    }
    if (!e.rule) {
        put(e.start);
        return;
    }

    const icalrecurrencetype& r = *e.rule;
    const bool subDaily = isSubDaily(r);
    const int64_t begin = wall(e.start);
    // The iterator's own jump to a later start keeps a daily or longer rule
    // in step, but not one of hours or minutes: that one starts a whole step
    // before the jump, counted from the first occurrence. The start itself
    // always comes out first, rule or not; it lies before `from` and is passed.
    int64_t from = windowFrom;
    auto startAt = [&](int64_t w) -> icalrecur_iterator* {
        if (subDaily) {
            const int64_t step = stepSeconds(r);
            const int64_t steps = (w - begin) / step;
            const icaltimetype base =
                steps > 0 ? fromWall(begin + (steps - 1) * step, e.start) : e.start;
            return icalrecur_iterator_new(r, base);
        }
        icalrecur_iterator* it = icalrecur_iterator_new(r, e.start);
        if (it && w > begin)
            icalrecur_iterator_set_start(it, fromWall(w, e.start));
        return it;
    };
    icalrecur_iterator* it = startAt(from);
    for (int steps = 0; it && steps < MaxSteps; ++steps) {
        const icaltimetype t = icalrecur_iterator_next(it);
        if (icaltime_is_null_time(t))
            break;
        const int64_t w = wall(t);
        if (w >= to)
            break;
        if (w < from)
            continue;
        put(t);
        if (subDaily) {
            // One occurrence is all a day shows; go on from the next local day.
            const double day = e.localSpan(t, zone).first + 1;
            int64_t next = dayStart(day);
            if (!floating(t))
                next = wall(icaltime_from_timet_with_zone(
                    static_cast<time_t>(
                        QDateTime(DayNumber::toDate(day), QTime(0, 0), zone).toSecsSinceEpoch()),
                    0, const_cast<icaltimezone*>(t.zone)));
            if (next > w + stepSeconds(r)) {
                icalrecur_iterator_free(it);
                it = startAt(next);
                from = next;
            }
        }
    }
    if (it)
        icalrecur_iterator_free(it);
}

std::vector<CalendarDay> IcsCalendar::Between(double first, double last,
                                              const QTimeZone& zone) const
{
    first = DayNumber::wholeDay(first);
    last = DayNumber::wholeDay(last);
    // Months the range touches, for rules that fall in some months only.
    uint16_t monthsShown = 0;
    const QDate from = DayNumber::toDate(first - 31), to = DayNumber::toDate(last + 3);
    for (QDate d(from.year(), from.month(), 1); d <= to; d = d.addMonths(1))
        monthsShown = static_cast<uint16_t>(monthsShown | (1u << d.month()));
    std::vector<std::pair<double, int>> hits;
    for (const Event& e : events_) {
        if (e.lastDay < first || e.firstDay > last)
            continue;
        if (!(e.months & monthsShown) && e.spanDays() <= 28)
            continue;
        addOccurrences(e, first, last, zone, hits);
    }
    std::sort(hits.begin(), hits.end());
    hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
    std::vector<CalendarDay> days;
    days.reserve(hits.size());
    for (const auto& [day, index] : hits)
        days.push_back({day, events_[static_cast<size_t>(index)].summary});
    return days;
}
