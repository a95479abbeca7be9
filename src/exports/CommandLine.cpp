#include "exports/CommandLine.h"

#include "exports/ExportSources.h"
#include "exports/IcsExport.h"
#include "imagecalendar/frmYear.h"
#include "model/DayNumber.h"
#include "model/clsSchedule.h"
#include "monthcontrol/MonthGrid.h"
#include "monthcontrol/ctlMonth.h"
#include "platform/Convert.h"
#include "platform/IClock.h"
#include "platform/RuntimeError.h"
#include "platform/Services.h"
#include "session/CalSettings.h"
#include "session/SpecialPeriod.h"
#include "storage/Module1Files.h"
#include "storage/NotesStore.h"
#include "storage/ScheduleFile.h"

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QPageLayout>
#include <QTextStream>
#include <algorithm>
#include <iterator>
#include <langinfo.h>
#include <memory>
#include <optional>
#include <unistd.h>

namespace CommandLine {

namespace {

constexpr int kFailed = 1;
constexpr int kBadArguments = 2;

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the program's version and exit.")};
    QCommandLineOption exportIcs{
        QStringLiteral("export-ics"),
        QStringLiteral("Write the duty days as an iCalendar file (RFC 5545) to FILE."),
        QStringLiteral("FILE")};
    QCommandLineOption exportPdf{
        QStringLiteral("export-pdf"),
        QStringLiteral("Write the image calendar as a one-page PDF to FILE."),
        QStringLiteral("FILE")};
    QCommandLineOption printMonth{
        QStringLiteral("print-month"),
        QStringLiteral("Print the platoon on duty for every day of the month, one line a day "
                       "with the day's notes."),
        QStringLiteral("YYYY-MM")};
    QCommandLineOption schedule{
        QStringLiteral("schedule"),
        QStringLiteral("Read the schedule from XMLFILE instead of your own schedule "
                       "(the built-in example when you have none)."),
        QStringLiteral("XMLFILE")};
    QCommandLineOption shift{
        QStringLiteral("shift"),
        QStringLiteral("Shift 1 or 2 (default 1); --export-pdf also takes both."),
        QStringLiteral("N")};
    QCommandLineOption platoon{QStringLiteral("platoon"),
                               QStringLiteral("--export-ics: only the platoon with this code "
                                              "(default every platoon of the shift)."),
                               QStringLiteral("CODE")};
    QCommandLineOption from{QStringLiteral("from"),
                            QStringLiteral("--export-ics: the first date, YYYY-MM-DD; "
                                           "--export-pdf: the first month, YYYY-MM "
                                           "(default today)."),
                            QStringLiteral("DATE")};
    QCommandLineOption start{QStringLiteral("start"),
                             QStringLiteral("--export-ics: time the duty starts (default 07:00)."),
                             QStringLiteral("HH:MM")};
    QCommandLineOption hours{
        QStringLiteral("hours"),
        QStringLiteral("--export-ics: hours on duty, 0 for all-day events (default 24)."),
        QStringLiteral("H")};
    QCommandLineOption months{QStringLiteral("months"),
                              QStringLiteral("--export-pdf: months on the page, 1, 2, 3, 4, 6 "
                                             "or 12 (default 6)."),
                              QStringLiteral("N")};
    QCommandLineOption paper{QStringLiteral("paper"),
                             QStringLiteral("--export-pdf: the paper, A4, Letter, Legal or A3 "
                                            "(default your locale's paper)."),
                             QStringLiteral("SIZE")};
    QCommandLineOption landscape{QStringLiteral("landscape"),
                                 QStringLiteral("--export-pdf: turn the paper to landscape "
                                                "(default portrait).")};
    QCommandLineOption period{
        QStringLiteral("period"),
        QStringLiteral("--export-ics, --print-month: add the recurring period (default: as "
                       "the calendar's View menu shows it).")};
    QCommandLineOption noPeriod{QStringLiteral("no-period"),
                                QStringLiteral("--export-ics, --print-month: leave the "
                                               "recurring period out.")};
    QCommandLineOption notes{QStringLiteral("notes"),
                             QStringLiteral("--export-ics: add your day notes from the first "
                                            "date on, each an all-day event.")};
};

// The papers --paper takes.
const std::pair<const char*, QPageSize::PageSizeId> kPapers[] = {{"A4", QPageSize::A4},
                                                                 {"Letter", QPageSize::Letter},
                                                                 {"Legal", QPageSize::Legal},
                                                                 {"A3", QPageSize::A3}};

// Qt's own window options, each with whether it takes a value: they are the
// window's, never a command.
const std::pair<const char*, bool> kQtWindowOptions[] = {{"-platform", true},
                                                         {"-platformpluginpath", true},
                                                         {"-platformtheme", true},
                                                         {"-plugin", true},
                                                         {"-qwindowgeometry", true},
                                                         {"-qwindowicon", true},
                                                         {"-qwindowtitle", true},
                                                         {"-reverse", false},
                                                         {"-session", true},
                                                         {"-display", true},
                                                         {"-geometry", true},
                                                         {"-style", true},
                                                         {"-stylesheet", true},
                                                         {"-widgetcount", false},
                                                         {"-nograb", false},
                                                         {"-dograb", false},
                                                         {"-sync", false}};

void fail(Parsed& p, const QString& message)
{
    p.error = message;
}

// A month as YYYY-MM, January 1970 or later; invalid (with the reason) otherwise.
QDate monthArgument(Parsed& p, const QString& option, const QString& text)
{
    const QDate month =
        QDate::fromString(text + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
    if (!month.isValid() || text.size() != 7)
        fail(p, QStringLiteral("--%1 takes a month as YYYY-MM, not \"%2\".").arg(option, text));
    else if (month < QDate(1970, 1, 1))
        fail(p, QStringLiteral("The rotation starts in January 1970; %1 is earlier.").arg(text));
    else
        return month;
    return QDate();
}

std::optional<int> wholeNumber(const QString& text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

struct LoadedSchedule {
    std::shared_ptr<clsSchedule> schedule;
    QString error;
};

// The same choice the window makes at start: the given file, else the user's
// schedule file, else the built-in example.
LoadedSchedule loadSchedule(const QString& given, QTextStream& err)
{
    QString path = given;
    if (path.isEmpty()) {
        path = ScheduleFilePath();
        if (!QFileInfo::exists(path))
            return {DefaultSchedule(), QString()};
    }
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo::exists(path))
        return {nullptr, QStringLiteral("The schedule file %1 does not exist.").arg(shown)};
    const ScheduleFileRead read = ReadScheduleFile(path);
    if (!read.line)
        return {
            nullptr,
            QStringLiteral("The schedule file %1 could not be used: %2").arg(shown, read.problem)};
    const ScheduleTextRead text = ReadScheduleText(*read.line);
    // What the read met comes before the error that stopped it, as in the window.
    for (const QString& problem : text.problems)
        err << "Warning: " << QString(problem).replace(QStringLiteral("\r\n"), QStringLiteral(" "))
            << '\n';
    if (text.error) {
        QString failure;
        try {
            std::rethrow_exception(text.error);
        } catch (const std::exception& e) {
            failure = QString::fromLocal8Bit(e.what());
        }
        return {nullptr,
                QStringLiteral("The schedule file %1 could not be read: %2").arg(shown, failure)};
    }
    return {text.schedule, QString()};
}

// The special period as the settings hold it; read only, so that a script can
// never change what the user's window shows.
struct StoredPeriod : SpecialPeriod {
    Ics::SpecialPeriod forExport() const { return specialPeriodFor(name, length, offset); }
};

std::optional<StoredPeriod> storedSpecialPeriod(QTextStream& err)
{
    std::optional<QString> failure;
    const SpecialPeriod p =
        SpecialPeriod::load([&](const std::exception& e) { failure = failure.value_or(e.what()); },
                            CalSettings::Repair::No);
    if (failure) {
        err << "Warning: the stored recurring period is left out: " << *failure << '\n';
        return std::nullopt;
    }
    if (p.length < 1)
        return std::nullopt;
    return StoredPeriod{p};
}

// Runs a write of the output file: 0, or 1 after saying what kept it from
// being written.
template <class Write> int written(const QString& path, QTextStream& err, Write&& write)
{
    try {
        write();
    } catch (const RuntimeError& e) {
        err << QStringLiteral("Could not write %1: %2")
                   .arg(QDir::toNativeSeparators(path), e.description())
            << '\n';
        return kFailed;
    }
    return 0;
}

struct StoredNotes {
    std::vector<NoteEntry> entries;
    QString error; // why there are none, naming the file
};

// The user's day entries from the first day to the last. A missing notes.db
// holds none and is not made: a script only reads.
StoredNotes storedNotes(double first, double last)
{
    const QString folder = DataFolder();
    if (!QFileInfo::exists(QDir(folder).filePath(QStringLiteral("notes.db"))))
        return {};
    const NotesStore store(folder);
    try {
        // A refused file raises its own error here.
        return {store.EntriesBetween(first, last), QString()};
    } catch (const RuntimeError& e) {
        return {{}, e.description()};
    }
}

struct ScheduleAndShift {
    std::shared_ptr<clsSchedule> schedule;
    std::shared_ptr<clsShift> shift;
};

// The request's schedule and shift; nothing, after saying why on err, when
// either cannot be had.
std::optional<ScheduleAndShift> loadRequested(const Request& request, QTextStream& err)
{
    const LoadedSchedule loaded = loadSchedule(request.schedulePath, err);
    if (!loaded.schedule) {
        err << loaded.error << '\n';
        return std::nullopt;
    }
    const auto shifts = loaded.schedule->Shifts();
    if (request.shift < 1 || request.shift > shifts->Count()) {
        err << QStringLiteral("The schedule has no shift %1 (it has %2).")
                   .arg(request.shift)
                   .arg(shifts->Count())
            << '\n';
        return std::nullopt;
    }
    return ScheduleAndShift{loaded.schedule, shifts->Item(request.shift)};
}

} // namespace

bool wantsCommand(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        const auto qt = std::find_if(std::begin(kQtWindowOptions), std::end(kQtWindowOptions),
                                     [&](const auto& o) { return a == o.first; });
        if (qt == std::end(kQtWindowOptions))
            return true;
        if (qt->second)
            ++i; // its value
    }
    return false;
}

Parsed parse(const QStringList& arguments)
{
    Parsed p;
    Options o;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tarnwell Free, a shift calendar. Without options it opens the calendar "
                       "window; the commands below open no window."));
    // "-print-month" is no option: a single dash takes single letters only.
    parser.addOptions({o.help, o.version, o.exportIcs, o.exportPdf, o.printMonth, o.schedule,
                       o.shift, o.platoon, o.from, o.start, o.hours, o.months, o.paper, o.landscape,
                       o.period, o.noPeriod, o.notes});
    p.help = parser.helpText();
    if (!arguments.isEmpty())
        p.program = QFileInfo(arguments.first()).fileName();
    // A single dash takes single letters only: "-print-month" is a typo for
    // "--print-month", not eleven options.
    for (const QString& a : arguments.mid(1)) {
        if (a.size() > 2 && a.startsWith(QLatin1Char('-')) && !a.startsWith(QStringLiteral("--"))) {
            fail(p,
                 QStringLiteral("Unknown option '%1': long options start with two dashes.").arg(a));
            return p;
        }
        if (a == QStringLiteral("--"))
            break;
    }
    if (!parser.parse(arguments)) {
        fail(p, parser.errorText());
        return p;
    }
    if (!parser.positionalArguments().isEmpty()) {
        fail(p,
             QStringLiteral("Unexpected argument: %1").arg(parser.positionalArguments().first()));
        return p;
    }
    Request& r = p.request;
    if (parser.isSet(o.help)) {
        r.command = Command::Help;
        return p;
    }
    if (parser.isSet(o.version)) {
        r.command = Command::Version;
        return p;
    }
    const bool ics = parser.isSet(o.exportIcs);
    const bool pdf = parser.isSet(o.exportPdf);
    const bool month = parser.isSet(o.printMonth);
    if (int(ics) + int(pdf) + int(month) != 1) {
        fail(p,
             ics || pdf || month
                 ? QStringLiteral("Give only one of --export-ics, --export-pdf and --print-month.")
                 : QStringLiteral(
                       "No command given: use --export-ics, --export-pdf or --print-month."));
        return p;
    }
    // Each command names the options that belong to another one.
    const auto refuse = [&](const QString& command,
                            std::initializer_list<const QCommandLineOption*> others) {
        for (const auto* option : others) {
            if (parser.isSet(*option)) {
                fail(p, QStringLiteral("--%1 does not belong to --%2.")
                            .arg(option->names().first(), command));
                return true;
            }
        }
        return false;
    };
    for (const auto* option : {&o.exportIcs, &o.exportPdf, &o.printMonth, &o.schedule, &o.shift,
                               &o.platoon, &o.from, &o.start, &o.hours, &o.months}) {
        if (parser.values(*option).size() > 1) {
            fail(p, QStringLiteral("--%1 is given more than once.").arg(option->names().first()));
            return p;
        }
    }
    r.schedulePath = parser.value(o.schedule);
    if (pdf) {
        r.command = Command::ExportPdf;
        if (refuse(QStringLiteral("export-pdf"),
                   {&o.platoon, &o.start, &o.hours, &o.period, &o.noPeriod, &o.notes}))
            return p;
        r.outputPath = parser.value(o.exportPdf);
        if (r.outputPath.isEmpty()) {
            fail(p, QStringLiteral("--export-pdf needs a file name."));
            return p;
        }
        const QString shiftText = parser.value(o.shift);
        static const QStringList views{QStringLiteral("1"), QStringLiteral("2"),
                                       QStringLiteral("both")};
        if (parser.isSet(o.shift) && !views.contains(shiftText)) {
            fail(p, QStringLiteral("--shift takes 1, 2 or both, not \"%1\".").arg(shiftText));
            return p;
        }
        r.shiftView = parser.isSet(o.shift) ? views.indexOf(shiftText) + 1 : 1;
        r.shift = r.shiftView == 2 ? 2 : 1;
        if (parser.isSet(o.months)) {
            const auto n = wholeNumber(parser.value(o.months));
            static const QList<int> counts{1, 2, 3, 4, 6, 12};
            if (!n || !counts.contains(*n)) {
                fail(p, QStringLiteral("--months takes 1, 2, 3, 4, 6 or 12, not \"%1\".")
                            .arg(parser.value(o.months)));
                return p;
            }
            r.months = *n;
        }
        r.landscape = parser.isSet(o.landscape);
        if (parser.isSet(o.paper)) {
            const QString given = parser.value(o.paper);
            const auto known =
                std::find_if(std::begin(kPapers), std::end(kPapers), [&](const auto& paper) {
                    return given.compare(QLatin1String(paper.first), Qt::CaseInsensitive) == 0;
                });
            if (known == std::end(kPapers)) {
                fail(p, QStringLiteral("--paper takes A4, Letter, Legal or A3, not \"%1\".")
                            .arg(given));
                return p;
            }
            r.paper = QString::fromLatin1(known->first);
        }
        if (parser.isSet(o.from))
            r.month = monthArgument(p, QStringLiteral("from"), parser.value(o.from));
        if (r.month.isValid() && r.month.addMonths(r.months - 1).year() > 9999)
            fail(p, QStringLiteral("The calendar would run past December 9999: start in %1 or "
                                   "earlier.")
                        .arg(QDate(9999, 12, 1).addMonths(1 - r.months).toString("yyyy-MM")));
        return p;
    }
    if (refuse(ics ? QStringLiteral("export-ics") : QStringLiteral("print-month"),
               {&o.months, &o.paper, &o.landscape}))
        return p;
    if (parser.isSet(o.period) && parser.isSet(o.noPeriod)) {
        fail(p, QStringLiteral("Give only one of --period and --no-period."));
        return p;
    }
    if (parser.isSet(o.period) || parser.isSet(o.noPeriod))
        r.period = parser.isSet(o.period);
    if (parser.isSet(o.shift)) {
        const auto n = wholeNumber(parser.value(o.shift));
        if (!n || *n < 1 || *n > 2) {
            fail(p, QStringLiteral("--shift takes 1 or 2, not \"%1\".").arg(parser.value(o.shift)));
            return p;
        }
        r.shift = *n;
    }

    if (month) {
        r.command = Command::PrintMonth;
        if (refuse(QStringLiteral("print-month"),
                   {&o.platoon, &o.from, &o.start, &o.hours, &o.notes}))
            return p;
        r.month = monthArgument(p, QStringLiteral("print-month"), parser.value(o.printMonth));
        return p;
    }

    r.command = Command::ExportIcs;
    r.outputPath = parser.value(o.exportIcs);
    if (r.outputPath.isEmpty()) {
        fail(p, QStringLiteral("--export-ics needs a file name."));
        return p;
    }
    r.platoon = parser.value(o.platoon).trimmed();
    if (parser.isSet(o.platoon) && r.platoon.isEmpty()) {
        fail(p, QStringLiteral("--platoon needs a platoon code."));
        return p;
    }
    if (parser.isSet(o.from)) {
        const QString text = parser.value(o.from);
        r.from = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
        if (!r.from.isValid() || text.size() != 10) {
            fail(p, QStringLiteral("--from takes a date as YYYY-MM-DD, not \"%1\".").arg(text));
            return p;
        }
        if (r.from < QDate(1970, 1, 1)) {
            fail(p, QStringLiteral("Dates before 1 January 1970 cannot be exported."));
            return p;
        }
    }
    if (parser.isSet(o.start)) {
        const QString text = parser.value(o.start);
        r.start = QTime::fromString(text, QStringLiteral("H:mm"));
        if (!r.start.isValid()) {
            fail(p, QStringLiteral("--start takes a time as HH:MM, not \"%1\".").arg(text));
            return p;
        }
    }
    if (parser.isSet(o.hours)) {
        const auto h = wholeNumber(parser.value(o.hours));
        if (!h || *h < 0 || *h > Ics::MaxHours) {
            fail(p, QStringLiteral("--hours takes a whole number from 0 to %1, not \"%2\".")
                        .arg(Ics::MaxHours)
                        .arg(parser.value(o.hours)));
            return p;
        }
        r.hours = *h;
    }
    r.notes = parser.isSet(o.notes);
    return p;
}

int exportIcs(const Request& request, QTextStream& out, QTextStream& err)
{
    Q_UNUSED(out);
    const auto loaded = loadRequested(request, err);
    if (!loaded)
        return kFailed;
    Ics::Options o;
    o.shiftIndex = request.shift;
    if (!request.platoon.isEmpty()) {
        const auto platoons = loaded->shift->Platoons();
        QStringList codes;
        QList<int> caseless; // "a" for "A" when only one platoon could be meant
        for (int i = 1; i <= platoons->Count(); ++i) {
            const QString code = platoons->Item(i)->Code().trimmed();
            codes << code;
            if (code == request.platoon && o.platoon == 0)
                o.platoon = i;
            if (code.compare(request.platoon, Qt::CaseInsensitive) == 0)
                caseless << i;
        }
        if (o.platoon == 0 && caseless.size() == 1)
            o.platoon = caseless.front();
        if (o.platoon == 0) {
            err << QStringLiteral("Shift %1 has no platoon \"%2\" (its platoons: %3).")
                       .arg(request.shift)
                       .arg(request.platoon, codes.join(QStringLiteral(", ")))
                << '\n';
            return kFailed;
        }
    }
    o.first = request.from.isValid() ? request.from : clockService().today();
    o.start = request.start;
    o.hours = request.hours;
    o.stamp = clockService().now();
    o.zone = QTimeZone::systemTimeZone();
    if (const auto special = storedSpecialPeriod(err);
        special && request.period.value_or(special->shown))
        o.special = special->forExport();
    if (request.notes) {
        StoredNotes notes =
            storedNotes(DayNumber::fromDate(o.first), DayNumber::fromDate(QDate(9999, 12, 31)));
        if (!notes.error.isEmpty()) {
            err << "Nothing written: " << notes.error << '\n';
            return kFailed;
        }
        o.notes = std::move(notes.entries);
    }
    const Ics::Result result = Ics::exportDutyDays(*loaded->schedule, o);
    if (!result.problem.isEmpty()) {
        err << "Nothing written: " << result.problem << '\n';
        return kFailed;
    }
    return written(request.outputPath, err,
                   [&] { WriteWholeFile(request.outputPath, result.text); });
}

int printMonth(const Request& request, QTextStream& out, QTextStream& err)
{
    const auto loaded = loadRequested(request, err);
    if (!loaded)
        return kFailed;
    const auto stored = storedSpecialPeriod(err);
    const auto special = stored && request.period.value_or(stored->shown)
                             ? std::optional(stored->forExport())
                             : std::nullopt;
    // A month without its notes is still worth printing, but the exit code
    // must not pass it off as complete.
    const QDate lastDate = request.month.addDays(request.month.daysInMonth() - 1);
    const StoredNotes notes =
        storedNotes(DayNumber::fromDate(request.month), DayNumber::fromDate(lastDate));
    if (!notes.error.isEmpty())
        err << "The notes are left out: " << notes.error << '\n';
    QMap<qint64, QStringList> notesOn;
    for (const NoteEntry& n : notes.entries) {
        // One line a day, whatever the text holds.
        QString summary = n.Summary();
        summary.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        summary.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
        notesOn[qRound64(n.Date())] << summary;
    }
    const auto platoons = loaded->shift->Platoons();
    for (QDate d = request.month; d.month() == request.month.month(); d = d.addDays(1)) {
        const double day = DayNumber::fromDate(d);
        const auto onDuty = loaded->shift->ONDuty(day);
        bool named = false;
        for (const auto& p : *platoons)
            named = named || p == onDuty;
        QString line = d.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
                       (named ? onDuty->Code() + QLatin1Char(' ') + onDuty->Description()
                              : QStringLiteral("-"));
        if (special && special->isFilled(day))
            line += QStringLiteral(" (") + special->name + QLatin1Char(')');
        if (const auto entries = notesOn.value(qRound64(day)); !entries.isEmpty())
            line += QStringLiteral(" \u2014 ") + entries.join(QStringLiteral("; "));
        out << line << '\n';
    }
    return notes.error.isEmpty() ? 0 : kFailed;
}

namespace {
// The paper a page takes when none is named: the locale's (LC_PAPER), as
// the desktop's own programs take it.
QPageSize localePaper()
{
#ifdef _NL_PAPER_WIDTH
    const auto mm = [](nl_item item) {
        return static_cast<int>(reinterpret_cast<intptr_t>(nl_langinfo(item)));
    };
    const int width = mm(_NL_PAPER_WIDTH), height = mm(_NL_PAPER_HEIGHT);
    if (width > 0 && height > 0)
        return QPageSize(QSizeF(width, height), QPageSize::Millimeter, QString(),
                         QPageSize::FuzzyMatch);
#endif
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                         ? QPageSize::Letter
                         : QPageSize::A4);
}

QPageSize paperNamed(const QString& name)
{
    for (const auto& [text, id] : kPapers)
        if (name == QLatin1String(text))
            return QPageSize(id);
    return localePaper();
}
} // namespace

int exportPdf(const Request& request, QTextStream& out, QTextStream& err)
{
    Q_UNUSED(out);
    const auto loaded = loadRequested(request, err);
    if (!loaded)
        return kFailed;
    if (request.shiftView == 3 && loaded->schedule->Shifts()->Count() < 2) {
        err << "--shift both needs a schedule with two shifts." << '\n';
        return kFailed;
    }
    ImageCalendarSource source;
    source.schedule = loaded->schedule;
    source.shiftIndex = static_cast<int16_t>(request.shift);
    const auto special = storedSpecialPeriod(err);
    if (special) {
        source.specialPeriodLength = special->length;
        source.specialPeriodOffset = special->offset;
        source.specialPeriodName = special->name;
        source.specialPeriodColor = special->color;
    }
    source.monthFont = ctlMonth().Font();
    frmYear form(std::move(source));
    // A wall calendar, like a printed one, carries no navigation arrows.
    form.Month(0)->setShowButtons(false);
    form.setPageLayout(PrintedPage(paperNamed(request.paper)));
    if (request.landscape)
        form.setOrientation(2);
    form.setMonthCount(static_cast<int16_t>(request.months));
    form.setShiftView(request.shiftView);
    // The page shows the period as the user's calendar does.
    form.setSpecialPeriodShown(special && special->shown);
    form.setFirstMonth(
        DayNumber::fromDate(request.month.isValid() ? request.month : clockService().today()));
    return written(request.outputPath, err, [&] { WriteCalendarPdf(form, request.outputPath); });
}

int execute(const Parsed& parsed, QTextStream& out, QTextStream& err)
{
    if (!parsed.error.isEmpty()) {
        err << parsed.error << '\n'
            << "Usage: " << parsed.program << " [--export-ics FILE | --export-pdf FILE | "
            << "--print-month YYYY-MM] [options]" << '\n'
            << "Run with --help for the options." << '\n';
        return kBadArguments;
    }
    switch (parsed.request.command) {
    case Command::Help: out << parsed.help; return 0;
    case Command::Version: out << "Tarnwell Free " TARNWELL_VERSION << '\n'; return 0;
    case Command::ExportIcs: return exportIcs(parsed.request, out, err);
    case Command::ExportPdf: return exportPdf(parsed.request, out, err);
    case Command::PrintMonth: return printMonth(parsed.request, out, err);
    case Command::Window: break;
    }
    return kBadArguments;
}

int run(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Only the program's own messages reach standard error: a script reads
    // them, and Qt's notes (a missing runtime folder, say) mean nothing there.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QTextStream early(stderr);
    // Bad arguments are told before anything starts.
    const Parsed first = parse(arguments);
    if (!first.error.isEmpty())
        return execute(first, early, early);
    // The page is laid out by the window itself, which needs a GUI
    // application; offscreen, it needs no display and shows nothing.
    std::unique_ptr<QCoreApplication> app;
    if (first.request.command == Command::ExportPdf) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // Unbuffered, so that a failed write is seen here and not lost at exit.
    QFile outFile, errFile;
    outFile.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    errFile.open(STDERR_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered);
    QTextStream out(&outFile);
    QTextStream err(&errFile);
    int code = kFailed;
    try {
        // Again with the application up, so the help names the program.
        code = execute(parse(QCoreApplication::arguments()), out, err);
    } catch (const std::exception& e) {
        err << e.what() << '\n';
    }
    out.flush();
    if (out.status() != QTextStream::Ok || outFile.error() != QFileDevice::NoError) {
        err << "Could not write to standard output: " << outFile.errorString() << '\n';
        code = kFailed;
    }
    return code;
}

} // namespace CommandLine
