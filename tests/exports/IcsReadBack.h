#pragma once
// An exported calendar read back by libical, recurrences expanded.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <libical/ical.h>
#include <vector>

struct Occurrence {
    QDate date;
    QTime time;      // null for an all-day event
    int seconds = 0; // duration
    qint64 utc = 0;  // seconds since 1970 in UTC, for a time with a zone
    QString summary;
    QString category;
};

struct ReadBack {
    int events = 0;
    int parseErrors = 0;
    std::vector<Occurrence> occurrences; // every event's, up to the last date
};

inline ReadBack readBack(const QByteArray& ics, const QDate& last)
{
    ReadBack r;
    icalcomponent* cal = icalparser_parse_string(ics.constData());
    if (!cal)
        return r;
    r.parseErrors = icalcomponent_count_errors(cal);
    for (icalcomponent* ev = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT)) {
        ++r.events;
        const icaltimetype start = icalcomponent_get_dtstart(ev);
        Occurrence o;
        o.seconds = icaldurationtype_as_int(icalcomponent_get_duration(ev));
        o.summary = QString::fromUtf8(icalcomponent_get_summary(ev));
        if (icalproperty* c = icalcomponent_get_first_property(ev, ICAL_CATEGORIES_PROPERTY))
            o.category = QString::fromUtf8(icalproperty_get_categories(c));
        icalproperty* rp = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY);
        if (!rp) {
            // A single event (a day's note) occurs on its start only.
            o.date = QDate(start.year, start.month, start.day);
            o.time = start.is_date ? QTime() : QTime(start.hour, start.minute, start.second);
            if (o.date <= last)
                r.occurrences.push_back(o);
            continue;
        }
        icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(rp), start);
        for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t);
             t = icalrecur_iterator_next(it)) {
            o.date = QDate(t.year, t.month, t.day);
            if (o.date > last)
                break;
            o.time = t.is_date ? QTime() : QTime(t.hour, t.minute, t.second);
            if (start.zone && !t.is_date)
                o.utc = icaltime_as_timet_with_zone(t, start.zone);
            r.occurrences.push_back(o);
        }
        icalrecur_iterator_free(it);
    }
    icalcomponent_free(cal);
    return r;
}

// "day start hours summary" for each occurrence, as a person checks a calendar.
inline QStringList dayLines(const ReadBack& r)
{
    QStringList l;
    for (const Occurrence& o : r.occurrences)
        l << QStringLiteral("%1 %2 %3 %4")
                 .arg(o.date.day())
                 .arg(o.time.isNull() ? QStringLiteral("all-day") : o.time.toString("HH:mm"))
                 .arg(o.seconds / 3600)
                 .arg(o.summary);
    return l;
}
