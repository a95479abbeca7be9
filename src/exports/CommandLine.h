#pragma once
// The program's commands for scripts: they print or write a file and open no
// window, so they run on a machine without a display. Each command is one
// function over a parsed request.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <optional>

class QTextStream;

namespace CommandLine {

enum class Command { Window, Help, Version, ExportIcs, ExportPdf, PrintMonth };

struct Request {
    Command command = Command::Window;
    QString schedulePath; // --schedule; empty = the user's schedule
    int shift = 1;
    // --export-ics
    QString outputPath;
    QString platoon; // a platoon code; empty = every platoon
    QDate from;      // invalid = today
    QTime start{7, 0};
    int hours = 24;
    bool notes = false; // --notes: the user's day entries too
    // --print-month: its first day; --export-pdf: the first month shown
    QDate month;
    // --export-pdf
    int months = 6;
    QString paper;          // "A4", "Letter", "Legal" or "A3"; empty = the locale's
    bool landscape = false; // else portrait
    int shiftView = 1;      // 1, 2, or 3 for both shifts side by side
    // --export-ics and --print-month: the recurring period, or as the
    // calendar's View menu has it when unset.
    std::optional<bool> period;
};

struct Parsed {
    Request request;
    QString error; // what is wrong with the arguments, for standard error
    QString help;  // the --help text
    QString program = QStringLiteral("TarnwellFree"); // as it was started, for the usage line
};

// True when there are arguments other than Qt's own window options
// (-platform, -style, -session and the like): anything else is a command or
// an error, never a reason to open the window.
bool wantsCommand(int argc, char** argv);
// The arguments as the program received them, program name first.
Parsed parse(const QStringList& arguments);

// Exit codes: 0 done, 1 the command failed, 2 bad arguments.
int exportIcs(const Request& request, QTextStream& out, QTextStream& err);
int printMonth(const Request& request, QTextStream& out, QTextStream& err);
// Needs a QApplication (any platform; offscreen will do).
int exportPdf(const Request& request, QTextStream& out, QTextStream& err);
int execute(const Parsed& parsed, QTextStream& out, QTextStream& err);

// Runs a command in a process that opens no window: a QCoreApplication, or for
// the PDF an application on the offscreen platform.
int run(int argc, char** argv);

} // namespace CommandLine
