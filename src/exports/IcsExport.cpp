#include "exports/IcsExport.h"

#include "model/DayNumber.h"
#include "model/clsSchedule.h"
#include "platform/RuntimeError.h"
#include "storage/ScheduleFile.h"

#include <QCryptographicHash>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <vector>

namespace Ics {

namespace {

struct CssColor {
    const char* name;
    uint32_t rgb; // 0xRRGGBB
};

// The 147 colour keywords of CSS3, which COLOR (RFC 7986) takes.
constexpr std::array<CssColor, 147> kCssColors{{
    {"aliceblue", 0xF0F8FF},
    {"antiquewhite", 0xFAEBD7},
    {"aqua", 0x00FFFF},
    {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF},
    {"beige", 0xF5F5DC},
    {"bisque", 0xFFE4C4},
    {"black", 0x000000},
    {"blanchedalmond", 0xFFEBCD},
    {"blue", 0x0000FF},
    {"blueviolet", 0x8A2BE2},
    {"brown", 0xA52A2A},
    {"burlywood", 0xDEB887},
    {"cadetblue", 0x5F9EA0},
    {"chartreuse", 0x7FFF00},
    {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50},
    {"cornflowerblue", 0x6495ED},
    {"cornsilk", 0xFFF8DC},
    {"crimson", 0xDC143C},
    {"cyan", 0x00FFFF},
    {"darkblue", 0x00008B},
    {"darkcyan", 0x008B8B},
    {"darkgoldenrod", 0xB8860B},
    {"darkgray", 0xA9A9A9},
    {"darkgreen", 0x006400},
    {"darkgrey", 0xA9A9A9},
    {"darkkhaki", 0xBDB76B},
    {"darkmagenta", 0x8B008B},
    {"darkolivegreen", 0x556B2F},
    {"darkorange", 0xFF8C00},
    {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000},
    {"darksalmon", 0xE9967A},
    {"darkseagreen", 0x8FBC8F},
    {"darkslateblue", 0x483D8B},
    {"darkslategray", 0x2F4F4F},
    {"darkslategrey", 0x2F4F4F},
    {"darkturquoise", 0x00CED1},
    {"darkviolet", 0x9400D3},
    {"deeppink", 0xFF1493},
    {"deepskyblue", 0x00BFFF},
    {"dimgray", 0x696969},
    {"dimgrey", 0x696969},
    {"dodgerblue", 0x1E90FF},
    {"firebrick", 0xB22222},
    {"floralwhite", 0xFFFAF0},
    {"forestgreen", 0x228B22},
    {"fuchsia", 0xFF00FF},
    {"gainsboro", 0xDCDCDC},
    {"ghostwhite", 0xF8F8FF},
    {"gold", 0xFFD700},
    {"goldenrod", 0xDAA520},
    {"gray", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xADFF2F},
    {"grey", 0x808080},
    {"honeydew", 0xF0FFF0},
    {"hotpink", 0xFF69B4},
    {"indianred", 0xCD5C5C},
    {"indigo", 0x4B0082},
    {"ivory", 0xFFFFF0},
    {"khaki", 0xF0E68C},
    {"lavender", 0xE6E6FA},
    {"lavenderblush", 0xFFF0F5},
    {"lawngreen", 0x7CFC00},
    {"lemonchiffon", 0xFFFACD},
    {"lightblue", 0xADD8E6},
    {"lightcoral", 0xF08080},
    {"lightcyan", 0xE0FFFF},
    {"lightgoldenrodyellow", 0xFAFAD2},
    {"lightgray", 0xD3D3D3},
    {"lightgreen", 0x90EE90},
    {"lightgrey", 0xD3D3D3},
    {"lightpink", 0xFFB6C1},
    {"lightsalmon", 0xFFA07A},
    {"lightseagreen", 0x20B2AA},
    {"lightskyblue", 0x87CEFA},
    {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xB0C4DE},
    {"lightyellow", 0xFFFFE0},
    {"lime", 0x00FF00},
    {"limegreen", 0x32CD32},
    {"linen", 0xFAF0E6},
    {"magenta", 0xFF00FF},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66CDAA},
    {"mediumblue", 0x0000CD},
    {"mediumorchid", 0xBA55D3},
    {"mediumpurple", 0x9370DB},
    {"mediumseagreen", 0x3CB371},
    {"mediumslateblue", 0x7B68EE},
    {"mediumspringgreen", 0x00FA9A},
    {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xF5FFFA},
    {"mistyrose", 0xFFE4E1},
    {"moccasin", 0xFFE4B5},
    {"navajowhite", 0xFFDEAD},
    {"navy", 0x000080},
    {"oldlace", 0xFDF5E6},
    {"olive", 0x808000},
    {"olivedrab", 0x6B8E23},
    {"orange", 0xFFA500},
    {"orangered", 0xFF4500},
    {"orchid", 0xDA70D6},
    {"palegoldenrod", 0xEEE8AA},
    {"palegreen", 0x98FB98},
    {"paleturquoise", 0xAFEEEE},
    {"palevioletred", 0xDB7093},
    {"papayawhip", 0xFFEFD5},
    {"peachpuff", 0xFFDAB9},
    {"peru", 0xCD853F},
    {"pink", 0xFFC0CB},
    {"plum", 0xDDA0DD},
    {"powderblue", 0xB0E0E6},
    {"purple", 0x800080},
    {"red", 0xFF0000},
    {"rosybrown", 0xBC8F8F},
    {"royalblue", 0x4169E1},
    {"saddlebrown", 0x8B4513},
    {"salmon", 0xFA8072},
    {"sandybrown", 0xF4A460},
    {"seagreen", 0x2E8B57},
    {"seashell", 0xFFF5EE},
    {"sienna", 0xA0522D},
    {"silver", 0xC0C0C0},
    {"skyblue", 0x87CEEB},
    {"slateblue", 0x6A5ACD},
    {"slategray", 0x708090},
    {"slategrey", 0x708090},
    {"snow", 0xFFFAFA},
    {"springgreen", 0x00FF7F},
    {"steelblue", 0x4682B4},
    {"tan", 0xD2B48C},
    {"teal", 0x008080},
    {"thistle", 0xD8BFD8},
    {"tomato", 0xFF6347},
    {"turquoise", 0x40E0D0},
    {"violet", 0xEE82EE},
    {"wheat", 0xF5DEB3},
    {"white", 0xFFFFFF},
    {"whitesmoke", 0xF5F5F5},
    {"yellow", 0xFFFF00},
    {"yellowgreen", 0x9ACD32},
}};

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

QString dateText(const QDate& d)
{
    return d.toString(QStringLiteral("yyyyMMdd"));
}

// Stable for the same schedule, shift, platoon and cycle position, so that
// importing a new export updates the events instead of adding copies.
QString uidFor(const QStringList& parts)
{
    const QByteArray digest =
        QCryptographicHash::hash(parts.join(QLatin1Char('\n')).toUtf8(), QCryptographicHash::Sha1);
    return QString::fromLatin1(digest.toHex().left(32)) + QStringLiteral("@tarnwell-free");
}

struct DutyEvent {
    QDate date;
    int platoon = 0;
    int position = 0;
};

class Writer {
public:
    void line(const QString& l) { text_ += foldLine(l); }
    void prop(const QString& name, const QString& value) { line(name + QLatin1Char(':') + value); }
    QByteArray text() const { return text_; }

private:
    QByteArray text_;
};

// The onset of a daylight-saving change as its weekday in the month: the
// second Sunday is "2SU", the last one "-1SU".
int weekOfMonth(const QDate& d)
{
    return d.day() + 7 > d.daysInMonth() ? -1 : (d.day() - 1) / 7 + 1;
}

QString byDay(const QDate& d)
{
    static const char* const names[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
    return QString::number(weekOfMonth(d)) + QLatin1String(names[d.dayOfWeek() - 1]);
}

// The day in another year and month that the same byDay rule gives.
QDate nthWeekday(int year, int month, const QDate& pattern)
{
    const int n = weekOfMonth(pattern);
    if (n < 0) {
        const QDate last(year, month, QDate(year, month, 1).daysInMonth());
        return last.addDays(-((last.dayOfWeek() - pattern.dayOfWeek() + 7) % 7));
    }
    const QDate first(year, month, 1);
    return first.addDays((pattern.dayOfWeek() - first.dayOfWeek() + 7) % 7 + 7 * (n - 1));
}

QString offsetText(int seconds)
{
    const QChar sign = seconds < 0 ? QLatin1Char('-') : QLatin1Char('+');
    seconds = std::abs(seconds);
    return sign + QStringLiteral("%1%2")
                      .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                      .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'));
}

// The changes of offset in a year. Qt also lists entries that change nothing
// (one at the end of 32-bit time in 2038), which no rule has to reproduce.
QTimeZone::OffsetDataList transitionsIn(const QTimeZone& zone, int year)
{
    QTimeZone::OffsetDataList changes;
    for (const auto& t :
         zone.transitions(QDateTime(QDate(year, 1, 1), QTime(0, 0), Qt::UTC),
                          QDateTime(QDate(year, 12, 31), QTime(23, 59, 59), Qt::UTC)))
        if (zone.offsetFromUtc(t.atUtc.addSecs(-1)) != t.offsetFromUtc)
            changes.push_back(t);
    return changes;
}

// How far ahead the yearly rule must match the zone's own transitions.
constexpr int kCheckedYears = 20;

void writeAllDay(Writer& w, const QDate& date, int days)
{
    w.prop(QStringLiteral("DTSTART;VALUE=DATE"), dateText(date));
    w.prop(QStringLiteral("DURATION"), QStringLiteral("P%1D").arg(days));
}

void writeTimes(Writer& w, const QDate& date, const Options& o, bool zoned)
{
    if (o.hours == 0) {
        writeAllDay(w, date, 1);
        return;
    }
    // Either way the duty starts at the station's wall-clock hour on every
    // date, daylight saving or not.
    w.prop(zoned ? QStringLiteral("DTSTART;TZID=") + QString::fromUtf8(o.zone.id())
                 : QStringLiteral("DTSTART"),
           dateText(date) + QLatin1Char('T') + o.start.toString(QStringLiteral("HHmmss")));
    w.prop(QStringLiteral("DURATION"), QStringLiteral("PT%1H").arg(o.hours));
}

std::optional<QDate> specialPeriodStart(const SpecialPeriod& sp, double first)
{
    if (sp.length < 1 || !sp.isFilled)
        return std::nullopt;
    double d = first;
    if (sp.isFilled(d)) {
        // Back to the first day of the run that holds the first date.
        for (int k = 1; k < sp.length && sp.isFilled(d - 1); ++k)
            d -= 1;
        return DayNumber::toDate(d);
    }
    for (int k = 1; k <= 2 * sp.length; ++k)
        if (sp.isFilled(first + k))
            return DayNumber::toDate(first + k);
    return std::nullopt;
}

} // namespace

QString escapeText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(',')) {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\r')) {
            out += QStringLiteral("\\n");
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\\n");
        } else if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F) {
            // A text value may hold no other control character (a NUL, say).
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray foldLine(const QString& line)
{
    const QByteArray utf8 = line.toUtf8();
    QByteArray out;
    int pos = 0;
    int room = 75; // the first line; later ones spend an octet on the leading space
    while (utf8.size() - pos > room) {
        int cut = pos + room;
        // Continuation octets are 10xxxxxx: back up to the start of the character.
        while (cut > pos && (static_cast<unsigned char>(utf8.at(cut)) & 0xC0) == 0x80)
            --cut;
        out += utf8.mid(pos, cut - pos) + kCrLf + ' ';
        pos = cut;
        room = 74;
    }
    out += utf8.mid(pos) + kCrLf;
    return out;
}

std::optional<QStringList> timezoneLines(const QTimeZone& zone, int fromYear)
{
    // A clock set to UTC (as on many servers) says nothing about where the
    // station is: floating time then keeps 07:00 at 07:00 wherever it is read.
    const QByteArray id = zone.id();
    if (!zone.isValid() || id.isEmpty() || id.startsWith("UTC") || id.startsWith("Etc/"))
        return std::nullopt;
    QStringList lines{QStringLiteral("BEGIN:VTIMEZONE"),
                      QStringLiteral("TZID:") + QString::fromUtf8(id)};
    const auto changes = transitionsIn(zone, fromYear);
    if (changes.isEmpty()) {
        for (int y = fromYear + 1; y <= fromYear + kCheckedYears; ++y)
            if (!transitionsIn(zone, y).isEmpty())
                return std::nullopt;
        const QDateTime at(QDate(fromYear, 1, 1), QTime(0, 0), Qt::UTC);
        const QString offset = offsetText(zone.offsetFromUtc(at));
        lines << QStringLiteral("BEGIN:STANDARD")
              << QStringLiteral("DTSTART:") + QString::number(fromYear) +
                     QStringLiteral("0101T000000")
              << QStringLiteral("TZOFFSETFROM:") + offset << QStringLiteral("TZOFFSETTO:") + offset
              << QStringLiteral("TZNAME:") + escapeText(zone.abbreviation(at))
              << QStringLiteral("END:STANDARD");
    } else {
        if (changes.size() != 2)
            return std::nullopt;
        for (const QTimeZone::OffsetData& change : changes) {
            const int from = zone.offsetFromUtc(change.atUtc.addSecs(-1));
            // The onset is written in the wall-clock time that ends there.
            const QDateTime onset = change.atUtc.toOffsetFromUtc(from);
            for (int y = fromYear + 1; y <= fromYear + kCheckedYears; ++y) {
                bool found = false;
                for (const auto& later : transitionsIn(zone, y)) {
                    const QDateTime local = later.atUtc.toOffsetFromUtc(from);
                    found = found ||
                            (later.offsetFromUtc == change.offsetFromUtc &&
                             local.date() == nthWeekday(y, onset.date().month(), onset.date()) &&
                             local.time() == onset.time());
                }
                if (!found)
                    return std::nullopt;
            }
            const QString kind = change.daylightTimeOffset != 0 ? QStringLiteral("DAYLIGHT")
                                                                : QStringLiteral("STANDARD");
            lines << QStringLiteral("BEGIN:") + kind
                  << QStringLiteral("DTSTART:") +
                         onset.toString(QStringLiteral("yyyyMMdd'T'HHmmss"))
                  << QStringLiteral("TZOFFSETFROM:") + offsetText(from)
                  << QStringLiteral("TZOFFSETTO:") + offsetText(change.offsetFromUtc)
                  << QStringLiteral("RRULE:FREQ=YEARLY;BYMONTH=%1;BYDAY=%2")
                         .arg(onset.date().month())
                         .arg(byDay(onset.date()))
                  << QStringLiteral("TZNAME:") + escapeText(change.abbreviation)
                  << QStringLiteral("END:") + kind;
        }
    }
    lines << QStringLiteral("END:VTIMEZONE");
    return lines;
}

QString nearestCssColor(int32_t color)
{
    const int r = color & 0xFF;
    const int g = (color >> 8) & 0xFF;
    const int b = (color >> 16) & 0xFF;
    const CssColor* best = &kCssColors[0];
    int64_t bestDistance = std::numeric_limits<int64_t>::max();
    for (const CssColor& c : kCssColors) {
        const int dr = static_cast<int>(c.rgb >> 16) - r;
        const int dg = static_cast<int>((c.rgb >> 8) & 0xFF) - g;
        const int db = static_cast<int>(c.rgb & 0xFF) - b;
        const int64_t distance = int64_t{dr} * dr + int64_t{dg} * dg + int64_t{db} * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = &c;
        }
    }
    return QString::fromLatin1(best->name);
}

Result exportDutyDays(const clsSchedule& schedule, const Options& o)
{
    Result result;
    const auto shifts = schedule.Shifts();
    if (!shifts || o.shiftIndex < 1 || o.shiftIndex > shifts->Count()) {
        result.problem = QStringLiteral("The schedule has no shift %1.").arg(o.shiftIndex);
        return result;
    }
    const clsShift& shift = *shifts->Item(o.shiftIndex);
    const auto platoons = shift.Platoons();
    if (o.platoon < 0 || o.platoon > platoons->Count()) {
        result.problem =
            QStringLiteral("Shift %1 has no platoon %2.").arg(o.shiftIndex).arg(o.platoon);
        return result;
    }
    // The rotation counts every day before its reference date as that day,
    // so earlier dates would repeat one platoon instead of the cycle.
    if (!o.first.isValid() || o.first < QDate(1970, 1, 1)) {
        result.problem = QStringLiteral("Dates before 1 January 1970 cannot be exported.");
        return result;
    }
    if (o.hours < 0 || o.hours > MaxHours) {
        result.problem = QStringLiteral("The duty length must be 0 to %1 hours.").arg(MaxHours);
        return result;
    }
    const int length = shift.SequenceLength();
    if (length < 1) {
        result.problem =
            QStringLiteral("The shift has no rotation sequence, so no day of it can be exported.");
        return result;
    }
    // Every date written starts within one cycle (and the period's first run
    // within two of its lengths) of the first date; a year has four digits.
    const int span = std::max(length - 1, o.special ? 2 * o.special->length : 0);
    const QDate lastDay(9999, 12, 31);
    if (o.first.daysTo(lastDay) < span) {
        result.problem = QStringLiteral("Dates after 31 December 9999 cannot be exported: "
                                        "start on %1 or earlier.")
                             .arg(lastDay.addDays(-span).toString(Qt::ISODate));
        return result;
    }

    const double first = DayNumber::fromDate(o.first);
    const double last = DayNumber::fromDate(lastDay);
    std::vector<const NoteEntry*> notes;
    for (const NoteEntry& n : o.notes)
        if (n.Date() >= first && n.Date() <= last)
            notes.push_back(&n);
    std::vector<DutyEvent> events;
    for (int k = 0; k < length; ++k) {
        const double day = first + k;
        const auto onDuty = shift.ONDuty(day);
        for (int i = 1; i <= platoons->Count(); ++i) {
            if (platoons->Item(i) != onDuty || (o.platoon != 0 && o.platoon != i))
                continue;
            events.push_back({DayNumber::toDate(day), i, shift.Pointer(day)});
        }
    }
    // A platoon that never works still leaves its notes worth a calendar.
    if (events.empty() && notes.empty()) {
        result.problem = o.platoon == 0
                             ? QStringLiteral("No platoon is on duty on any day of the rotation.")
                             : QStringLiteral("Platoon %1 is never on duty in the rotation.")
                                   .arg(platoons->Item(o.platoon)->Code().trimmed());
        return result;
    }

    const QString stamp =
        o.stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss")) + QLatin1Char('Z');
    const QString shiftTitle = shift.title().isEmpty() ? schedule.title() : shift.title();
    Writer w;
    w.prop(QStringLiteral("BEGIN"), QStringLiteral("VCALENDAR"));
    w.prop(QStringLiteral("VERSION"), QStringLiteral("2.0"));
    w.prop(QStringLiteral("PRODID"),
           QStringLiteral("-//Tarnwell//Tarnwell Free " TARNWELL_VERSION "//EN"));
    w.prop(QStringLiteral("CALSCALE"), QStringLiteral("GREGORIAN"));
    w.prop(QStringLiteral("NAME"), escapeText(schedule.title()));
    w.prop(QStringLiteral("X-WR-CALNAME"), escapeText(schedule.title()));
    // The rules start a year early: a date before the first change of its own
    // year (January, before the spring change) must have an offset too.
    const auto zoneLines = o.hours > 0 ? timezoneLines(o.zone, o.first.year() - 1) : std::nullopt;
    if (zoneLines)
        for (const QString& l : *zoneLines)
            w.line(l);
    for (const DutyEvent& e : events) {
        const clsPlatoon& p = *platoons->Item(e.platoon);
        w.prop(QStringLiteral("BEGIN"), QStringLiteral("VEVENT"));
        w.prop(QStringLiteral("UID"),
               uidFor({QStringLiteral("duty"), schedule.title(), QString::number(o.shiftIndex),
                       p.Code(), QString::number(e.position)}));
        w.prop(QStringLiteral("DTSTAMP"), stamp);
        writeTimes(w, e.date, o, zoneLines.has_value());
        w.prop(QStringLiteral("RRULE"), QStringLiteral("FREQ=DAILY;INTERVAL=%1").arg(length));
        w.prop(QStringLiteral("SUMMARY"), escapeText(p.Code() + QLatin1Char(' ') + p.Description() +
                                                     QStringLiteral(" - ") + shiftTitle));
        w.prop(QStringLiteral("CATEGORIES"), escapeText(p.Code()));
        w.prop(QStringLiteral("COLOR"), nearestCssColor(p.Color()));
        w.prop(QStringLiteral("TRANSP"), QStringLiteral("OPAQUE"));
        w.prop(QStringLiteral("END"), QStringLiteral("VEVENT"));
        ++result.eventCount;
    }
    if (o.special) {
        if (const auto start = specialPeriodStart(*o.special, first)) {
            const SpecialPeriod& sp = *o.special;
            w.prop(QStringLiteral("BEGIN"), QStringLiteral("VEVENT"));
            w.prop(QStringLiteral("UID"), uidFor({QStringLiteral("special period"), sp.name}));
            w.prop(QStringLiteral("DTSTAMP"), stamp);
            writeAllDay(w, *start, sp.length);
            w.prop(QStringLiteral("RRULE"),
                   QStringLiteral("FREQ=DAILY;INTERVAL=%1").arg(2 * sp.length));
            w.prop(QStringLiteral("SUMMARY"), escapeText(sp.name));
            w.prop(QStringLiteral("TRANSP"), QStringLiteral("TRANSPARENT"));
            w.prop(QStringLiteral("END"), QStringLiteral("VEVENT"));
            ++result.eventCount;
        }
    }
    for (const NoteEntry* n : notes) {
        const QDate date = DayNumber::toDate(n->Date());
        w.prop(QStringLiteral("BEGIN"), QStringLiteral("VEVENT"));
        // The Id alone: an entry belongs to the user, whatever the schedule.
        w.prop(QStringLiteral("UID"), uidFor({QStringLiteral("note"), QString::number(n->Id())}));
        w.prop(QStringLiteral("DTSTAMP"), stamp);
        w.prop(QStringLiteral("DTSTART;VALUE=DATE"), dateText(date));
        // The day after 31 December 9999 has no four-digit year.
        if (date < lastDay)
            w.prop(QStringLiteral("DTEND;VALUE=DATE"), dateText(date.addDays(1)));
        else
            w.prop(QStringLiteral("DURATION"), QStringLiteral("P1D"));
        w.prop(QStringLiteral("SUMMARY"), escapeText(n->Summary()));
        w.prop(QStringLiteral("CATEGORIES"), escapeText(NoteKindName(n->Kind())));
        w.prop(QStringLiteral("TRANSP"), QStringLiteral("TRANSPARENT"));
        w.prop(QStringLiteral("END"), QStringLiteral("VEVENT"));
        ++result.eventCount;
    }
    w.prop(QStringLiteral("END"), QStringLiteral("VCALENDAR"));
    result.text = w.text();
    return result;
}

QString writeFile(const QString& path, const QByteArray& text)
{
    try {
        WriteWholeFile(path, text);
    } catch (const RuntimeError& e) {
        return e.description();
    }
    return QString();
}

} // namespace Ics
