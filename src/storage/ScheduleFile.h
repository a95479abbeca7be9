#pragma once
// The user's schedule file and the schedule list file: 8-bit text, lines
// ended by CR LF. Written as UTF-8; read as UTF-8, or as Windows-1252 when the
// bytes are not valid UTF-8 (files of older installations).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QSaveFile;

// Data folder + "/myschedule.xml" and + "/mylist.xml".
QString ScheduleFilePath();
QString ScheduleListPath();

// Bytes of a file to text as described above.
QString DecodeFileText(const QByteArray& bytes);
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
};
ScheduleFileRead ReadScheduleFile(const QString& path);
// Replaces the whole file with the text and CR LF. Raises a RuntimeError on
// failure; the old file is then left as it was.
void WriteScheduleFile(const QString& path, const QString& xml);

// Replaces the whole file with the bytes. Raises a RuntimeError on failure (a
// short write is a full disk); the old file is then left as it was.
void WriteWholeFile(const QString& path, const QByteArray& bytes);

// Whole-file writes go through a save file, so the old content stays until
// the new one is complete. Tests hand in save files that fail part-way; an
// empty maker restores the ordinary one.
using SaveFileMaker = std::function<std::unique_ptr<QSaveFile>(const QString& path)>;
void SetSaveFileMaker(SaveFileMaker maker);

// Entries of a list file's content: every line that starts with "<Schedule",
// in file order. The wrapper lines are neither needed nor checked.
QStringList ScheduleListEntriesOf(const QByteArray& content);
// The entries of the list file; a missing file is an empty list. A file that
// is there but cannot be read gives nothing: writing the list then would
// replace every saved schedule.
std::optional<QStringList> ReadScheduleList(const QString& path);
// Replaces the list file: "<Tarnwell_Schedules>", one entry per line,
// "</Tarnwell_Schedules>". Raises a RuntimeError on failure.
void WriteScheduleList(const QString& path, const QStringList& entries);
