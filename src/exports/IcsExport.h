#pragma once
// Duty days as an iCalendar text (RFC 5545) that calendar programs import:
// one never-ending daily event per cycle position a platoon works, so the
// file stays right however far ahead the user looks. Qt Core only.
#include "model/NoteEntry.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QTimeZone>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class clsSchedule;

namespace Ics {

// The recurring special period as the month control marks it.
struct SpecialPeriod {
    QString name;
    int32_t length = 0;                       // L, days in one run
    std::function<bool(double day)> isFilled; // the month control's own cell rule
};

struct Options {
    int shiftIndex = 1; // 1-based item of the schedule's Shifts
    int platoon = 0;    // 1-based item of the shift's Platoons; 0 = every platoon
    QDate first;        // the first date the export covers
    QTime start{7, 0};  // time of day the duty starts
    int hours = 24;     // length of a duty; 0 = all-day events
    QDateTime stamp;    // written as DTSTAMP (UTC)
    // The station's zone for timed events. Floating local time instead when
    // it is invalid, UTC, or its rules do not fit a yearly VTIMEZONE rule.
    QTimeZone zone;
    std::optional<SpecialPeriod> special;
    // Day entries, each an all-day event on its date; those before `first`
    // are left out. Stored entries only: the UID comes from the Id.
    std::vector<NoteEntry> notes;
};

struct Result {
    QByteArray text; // the calendar, empty when there is nothing to write
    QString problem; // why nothing was written, in words for the user
    int eventCount = 0;
};

// Longest duty a dialog or the command line accepts, in hours.
constexpr int MaxHours = 168;

Result exportDutyDays(const clsSchedule& schedule, const Options& options);

// The pieces of the text form, for their own tests.
QString escapeText(const QString& text);
// One content line, folded to 75 octets a line, never inside a UTF-8
// sequence, each line ended by CR LF.
QByteArray foldLine(const QString& line);
// The VTIMEZONE lines of a zone as its rules stand from the year on, or
// nothing when the zone should not be named (see Options::zone).
std::optional<QStringList> timezoneLines(const QTimeZone& zone, int fromYear);
// The CSS3 colour name nearest to a 0x00BBGGRR colour.
QString nearestCssColor(int32_t color);

// Writes the whole file or nothing; the error text when it failed.
QString writeFile(const QString& path, const QByteArray& text);

} // namespace Ics
