#include "exports/CommandLine.h"

#include "exports/ExportSources.h"
#include "exports/IcsExport.h"
#include "mainwindow/CalSettings.h"
#include "model/DayNumber.h"
#include "model/clsSchedule.h"
#include "monthcontrol/MonthGrid.h"
#include "platform/Convert.h"
#include "platform/IClock.h"
#include "platform/Services.h"
#include "storage/ScheduleFile.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <memory>
#include <optional>

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
    QCommandLineOption printMonth{
        QStringLiteral("print-month"),
        QStringLiteral("Print the platoon on duty for every day of the month, one line a day."),
        QStringLiteral("YYYY-MM")};
    QCommandLineOption schedule{
        QStringLiteral("schedule"),
        QStringLiteral("Read the schedule from XMLFILE instead of your own schedule "
                       "(the built-in example when you have none)."),
        QStringLiteral("XMLFILE")};
    QCommandLineOption shift{QStringLiteral("shift"), QStringLiteral("Shift 1 or 2 (default 1)."),
                             QStringLiteral("N")};
    QCommandLineOption platoon{QStringLiteral("platoon"),
                               QStringLiteral("--export-ics: only the platoon with this code "
                                              "(default every platoon of the shift)."),
                               QStringLiteral("CODE")};
    QCommandLineOption from{QStringLiteral("from"),
                            QStringLiteral("--export-ics: the first date (default today)."),
                            QStringLiteral("YYYY-MM-DD")};
    QCommandLineOption start{QStringLiteral("start"),
                             QStringLiteral("--export-ics: time the duty starts (default 07:00)."),
                             QStringLiteral("HH:MM")};
    QCommandLineOption hours{
        QStringLiteral("hours"),
        QStringLiteral("--export-ics: hours on duty, 0 for all-day events (default 24)."),
        QStringLiteral("H")};
};

void fail(Parsed& p, const QString& message)
{
    p.error = message;
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
    if (!QFileInfo(path).isFile())
        return {nullptr, QStringLiteral("The schedule file %1 does not exist.").arg(shown)};
    const ScheduleFileRead read = ReadScheduleFile(path);
    if (!read.line)
        return {
            nullptr,
            QStringLiteral("The schedule file %1 could not be used: %2").arg(shown, read.problem)};
    auto schedule = std::make_shared<clsSchedule>();
    try {
        schedule->setXml(*read.line);
    } catch (const std::exception& e) {
        return {nullptr, QStringLiteral("The schedule file %1 could not be read: %2")
                             .arg(shown, QString::fromLocal8Bit(e.what()))};
    }
    for (const QString& problem : schedule->ReadProblems())
        err << "Warning: " << QString(problem).replace(QStringLiteral("\r\n"), QStringLiteral(" "))
            << '\n';
    return {schedule, QString()};
}

// The special period as the settings hold it; read only, so that a script can
// never change what the user's window shows.
std::optional<Ics::SpecialPeriod> storedSpecialPeriod(QTextStream& err)
{
    namespace S = CalSettings;
    try {
        const int32_t length = CLng(S::readText(S::SpecialPeriodLength));
        if (length < 1)
            return std::nullopt;
        const int32_t offset = CLng(S::readText(S::SpecialPeriodOffset));
        return specialPeriodFor(S::readText(S::SpecialPeriodName), length, offset);
    } catch (const std::exception& e) {
        err << "Warning: the stored recurring period is left out: " << e.what() << '\n';
    }
    return std::nullopt;
}

struct ShiftChoice {
    std::shared_ptr<clsShift> shift;
    QString error;
};

ShiftChoice shiftOf(const clsSchedule& schedule, int index)
{
    const auto shifts = schedule.Shifts();
    if (index < 1 || index > shifts->Count())
        return {nullptr, QStringLiteral("The schedule has no shift %1 (it has %2).")
                             .arg(index)
                             .arg(shifts->Count())};
    return {shifts->Item(index), QString()};
}

} // namespace

bool wantsCommand(const QStringList& arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a.startsWith(QStringLiteral("--")) || a == QStringLiteral("-h") ||
            a == QStringLiteral("-v") || a == QStringLiteral("-?"))
            return true;
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
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({o.help, o.version, o.exportIcs, o.printMonth, o.schedule, o.shift, o.platoon,
                       o.from, o.start, o.hours});
    p.help = parser.helpText();
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
    const bool month = parser.isSet(o.printMonth);
    if (ics == month) {
        fail(p, ics ? QStringLiteral("Give only one of --export-ics and --print-month.")
                    : QStringLiteral("No command given: use --export-ics or --print-month."));
        return p;
    }
    for (const auto* option : {&o.exportIcs, &o.printMonth, &o.schedule, &o.shift, &o.platoon,
                               &o.from, &o.start, &o.hours}) {
        if (parser.values(*option).size() > 1) {
            fail(p, QStringLiteral("--%1 is given more than once.").arg(option->names().first()));
            return p;
        }
    }
    r.schedulePath = parser.value(o.schedule);
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
        for (const auto* option : {&o.platoon, &o.from, &o.start, &o.hours}) {
            if (parser.isSet(*option)) {
                fail(p, QStringLiteral("--%1 belongs to --export-ics, not to --print-month.")
                            .arg(option->names().first()));
                return p;
            }
        }
        const QString text = parser.value(o.printMonth);
        r.month = QDate::fromString(text + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
        if (!r.month.isValid() || text.size() != 7) {
            fail(p,
                 QStringLiteral("--print-month takes a month as YYYY-MM, not \"%1\".").arg(text));
            return p;
        }
        if (r.month < QDate(1970, 1, 1)) {
            fail(p,
                 QStringLiteral("The rotation starts in January 1970; %1 is earlier.").arg(text));
            return p;
        }
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
    return p;
}

int exportIcs(const Request& request, QTextStream& out, QTextStream& err)
{
    Q_UNUSED(out);
    const LoadedSchedule loaded = loadSchedule(request.schedulePath, err);
    if (!loaded.schedule) {
        err << loaded.error << '\n';
        return kFailed;
    }
    const ShiftChoice shift = shiftOf(*loaded.schedule, request.shift);
    if (!shift.shift) {
        err << shift.error << '\n';
        return kFailed;
    }
    Ics::Options o;
    o.shiftIndex = request.shift;
    if (!request.platoon.isEmpty()) {
        const auto platoons = shift.shift->Platoons();
        QStringList codes;
        for (int i = 1; i <= platoons->Count(); ++i) {
            const QString code = platoons->Item(i)->Code().trimmed();
            codes << code;
            if (code == request.platoon && o.platoon == 0)
                o.platoon = i;
        }
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
    o.special = storedSpecialPeriod(err);
    const Ics::Result result = Ics::exportDutyDays(*loaded.schedule, o);
    if (!result.problem.isEmpty()) {
        err << "Nothing written: " << result.problem << '\n';
        return kFailed;
    }
    const QString error = Ics::writeFile(request.outputPath, result.text);
    if (!error.isEmpty()) {
        err << QStringLiteral("Could not write %1: %2")
                   .arg(QDir::toNativeSeparators(request.outputPath), error)
            << '\n';
        return kFailed;
    }
    return 0;
}

int printMonth(const Request& request, QTextStream& out, QTextStream& err)
{
    const LoadedSchedule loaded = loadSchedule(request.schedulePath, err);
    if (!loaded.schedule) {
        err << loaded.error << '\n';
        return kFailed;
    }
    const ShiftChoice shift = shiftOf(*loaded.schedule, request.shift);
    if (!shift.shift) {
        err << shift.error << '\n';
        return kFailed;
    }
    const auto special = storedSpecialPeriod(err);
    const auto platoons = shift.shift->Platoons();
    for (QDate d = request.month; d.month() == request.month.month(); d = d.addDays(1)) {
        const double day = DayNumber::fromDate(d);
        const auto onDuty = shift.shift->ONDuty(day);
        bool named = false;
        for (const auto& p : *platoons)
            named = named || p == onDuty;
        QString line = d.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
                       (named ? onDuty->Code() + QLatin1Char(' ') + onDuty->Description()
                              : QStringLiteral("-"));
        if (special && special->isFilled(day))
            line += QStringLiteral(" (") + special->name + QLatin1Char(')');
        out << line << '\n';
    }
    return 0;
}

int execute(const Parsed& parsed, QTextStream& out, QTextStream& err)
{
    if (!parsed.error.isEmpty()) {
        err << parsed.error << '\n' << "Run with --help for the options." << '\n';
        return kBadArguments;
    }
    switch (parsed.request.command) {
    case Command::Help: out << parsed.help; return 0;
    case Command::Version: out << "Tarnwell Free " TARNWELL_VERSION << '\n'; return 0;
    case Command::ExportIcs: return exportIcs(parsed.request, out, err);
    case Command::PrintMonth: return printMonth(parsed.request, out, err);
    case Command::Window: break;
    }
    return kBadArguments;
}

int run(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    try {
        return execute(parse(QCoreApplication::arguments()), out, err);
    } catch (const std::exception& e) {
        err << e.what() << '\n';
    }
    return kFailed;
}

} // namespace CommandLine
