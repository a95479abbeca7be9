#pragma once
// The user's schedule file and the schedule list file: 8-bit text, lines
// ended by CR LF. Written as UTF-8; read as UTF-8, or as Windows-1252 when the
// bytes are not valid UTF-8 (files of older installations).
#include "model/clsSchedXml.h"
#include "storage/FileWriter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <exception>
#include <memory>
#include <optional>
#include <vector>

class clsSchedule;

// Data folder + "/myschedule.xml" and + "/mylist.xml".
QString ScheduleFilePath();
QString ScheduleListPath();

// Bytes of a file to text as described above. Nothing for bytes that are no
// 8-bit text at all (a NUL byte, or the byte-order mark of UTF-16 or UTF-32):
// read as Windows-1252 they would give a list of nothing.
std::optional<QString> DecodeFileText(const QByteArray& bytes);
// The first line; a line ends at CR LF, a bare LF or a bare CR.
QString FirstLine(const QString& text);

// The schedule line of a file's content: its first line when that starts with
// "<Schedule" (no leading blank) and contains "</Schedule>"; nothing otherwise.
std::optional<QString> ScheduleLineOf(const QByteArray& content);
// Why the content gives no schedule line, in words for the user (empty when
// it gives one): empty, not a schedule, or cut short.
QString ScheduleLineProblem(const QByteArray& content);
// A schedule file's schedule line, or what kept it from giving one (the
// file could not be read, or the reason above). Raises nothing.
struct ScheduleFileRead {
    std::optional<QString> line;
    QString problem;
    // The file is there but could not be read or decoded: whatever it holds
    // is unknown, so nothing may write over it.
    bool unreadable = false;
};
ScheduleFileRead ReadScheduleFile(const QString& path);
// A schedule text read into a new schedule: the schedule, what the read met
// (a missing attribute, in words for the user) and the error that stopped it,
// if any. Raises nothing; the caller tells the problems before the error.
struct ScheduleTextRead {
    std::shared_ptr<clsSchedule> schedule;
    QStringList problems;
    std::exception_ptr error;
};
ScheduleTextRead ReadScheduleText(const QString& xml);

// Replaces the whole file with the text and CR LF. Raises a RuntimeError on
// failure; the old file is then left as it was.
void WriteScheduleFile(const QString& path, const QString& xml);

// Entries of a list file's content: every line that starts with "<Schedule",
// in file order. The wrapper lines are neither needed nor checked. Nothing
// when the content cannot be decoded.
std::optional<QStringList> ScheduleListEntriesOf(const QByteArray& content);
// The entries of the list file; a missing file is an empty list. A file that
// is there but cannot be read or decoded gives nothing: writing the list then
// would replace every saved schedule.
std::optional<QStringList> ReadScheduleList(const QString& path);
// The same entries as kept by the schedule list: an entry in valid UTF-8
// keeps the file's bytes, shared, until it is written back as they are.
std::optional<std::vector<clsSchedXml>> ScheduleListItems(const QByteArray& content);
std::optional<std::vector<clsSchedXml>> ReadScheduleListItems(const QString& path);
// Replaces the list file: "<Tarnwell_Schedules>", one entry per line,
// "</Tarnwell_Schedules>". Raises a RuntimeError on failure.
void WriteScheduleList(const QString& path, const QStringList& entries);
void WriteScheduleList(const QString& path, const std::vector<const clsSchedXml*>& entries);
