#pragma once
// The day entries (notes, leave, trades, overtime, sick days) in notes.db,
// an SQLite file in a folder the caller names: the program passes its data
// folder (DataFolder(), which the caller makes when missing).
//
// Every edit is one transaction: in the file whole, or not at all, with
// everything committed before left as it was. A file that cannot be opened,
// is no SQLite database, fails its integrity check, belongs to another
// program or was written by a newer one is refused and left byte for byte as
// it was; the store then raises that same error on every call and writes
// nothing.
//
// Errors are RuntimeErrors (number and description, RuntimeError.h). Those
// of the file name it, so one message tells the user what happened and
// where; a refused entry says what to change.
//
// A store belongs to the thread that made it (a Qt SQL connection may not
// cross threads). Each store has a connection of its own, so two stores, in
// one thread or several, may share a file.
#include "model/NoteEntry.h"
#include "platform/RuntimeError.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

class QSqlError;
class QSqlQuery;

class NotesStore {
public:
    // What PRAGMA user_version holds once the file is current.
    static constexpr int SchemaVersion = 1;

    // Opens folder/notes.db, made with the schema when missing or empty, and
    // takes an older file up to SchemaVersion. Raises nothing: see OpenError.
    explicit NotesStore(const QString& folder);
    ~NotesStore();
    NotesStore(const NotesStore&) = delete;
    NotesStore& operator=(const NotesStore&) = delete;

    QString Path() const { return path_; }
    bool IsOpen() const { return !openError_; }
    // Why the file was refused; nothing when the store is open.
    const std::optional<RuntimeError>& OpenError() const { return openError_; }

    // The edits raise a RuntimeError for an entry whose Problem() is not
    // empty (380), an Id the file does not hold (9) or a write the file did
    // not take (disk full 61, device I/O 57, read-only 70, ...).
    //
    // Stores the entry (its Id is ignored) and returns the new Id. Ids of
    // removed entries are never given again.
    qint64 Add(const NoteEntry& entry);
    // Replaces the stored entry of the same Id.
    void Update(const NoteEntry& entry);
    void Remove(qint64 id);
    // Makes the day hold exactly these entries, in one transaction: those
    // with an Id replace the stored ones, those without are added, and the
    // day's stored entries not among them are removed. Every entry is
    // checked before anything is written.
    void SaveDay(double day, const std::vector<NoteEntry>& entries);

    // The reads raise only for a file that was refused or cannot be read
    // (57, ...); the time of day of a day number is ignored.
    //
    // The entries of a day, by Id.
    std::vector<NoteEntry> EntriesOn(double day) const;
    // The entries from the first day to the last, both included, by date
    // and then Id.
    std::vector<NoteEntry> EntriesBetween(double first, double last) const;
    // The days from the first to the last that hold entries, each with the
    // kind of its first entry (lowest Id), by date: what a month marks,
    // read from the index without the texts.
    std::vector<std::pair<double, NoteKind>> FirstKinds(double first, double last) const;
    // For every kind, the number of days of the year that hold at least one
    // entry of that kind (0 for a kind with none). Invalid call (5) for a
    // year outside 100 to 9999.
    std::map<NoteKind, int> DaysPerKind(int year) const;

private:
    enum class Action { Open, Read, Write };

    void open();
    // Refuses a file this program must not use, damaged ones first; returns
    // its schema version.
    int checkFile(const QSqlDatabase& db) const;
    int schemaVersion(const QSqlDatabase& db) const;
    // Takes the file from the version found to SchemaVersion in one transaction.
    void migrate();
    void closeConnection();

    static void refuseProblem(const NoteEntry& entry);
    // The statements of the edits, run inside a transaction.
    qint64 insertRow(const NoteEntry& entry);
    void updateRow(const NoteEntry& entry);
    void deleteRow(qint64 id);

    void throwIfClosed() const;
    // Runs the statement, values bound in order; raises the error of the
    // action when it fails.
    QSqlQuery run(const QSqlDatabase& db, const QString& sql, Action action,
                  const QVariantList& values = {}) const;
    std::vector<NoteEntry> entries(const QString& sql, const QVariantList& values) const;
    // Runs `edit` between BEGIN IMMEDIATE and COMMIT; rolls back whatever it
    // raises, a failed COMMIT too.
    void transaction(Action action, const std::function<void()>& edit);

    RuntimeError failure(Action action, const QSqlError& error) const;
    RuntimeError refusal(int number, const QString& cause) const;
    RuntimeError missing(qint64 id) const;

    QString path_;
    QString connection_;
    // The file was there before this store opened it: a refusal then says
    // it was left as it was.
    bool existed_ = false;
    QSqlDatabase db_;
    std::optional<RuntimeError> openError_;
};
