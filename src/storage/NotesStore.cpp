#include "storage/NotesStore.h"

#include "model/DayNumber.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <iterator>

namespace {
const QString FileName = QStringLiteral("notes.db");
const QString Driver = QStringLiteral("QSQLITE");
// Another program writing to the file waits its turn rather than failing.
const QString BusyTimeout = QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000");
// PRAGMA application_id of every notes file: "Tarn". A database of another
// program, whatever its user_version, is not taken for one of ours.
constexpr int ApplicationId = 0x5461726E;

// The primary result codes of sqlite3.h, which Qt passes on as the native
// error code (extended codes carry the primary one in the low byte).
enum SqliteCode {
    SqlitePerm = 3,
    SqliteBusy = 5,
    SqliteLocked = 6,
    SqliteNoMem = 7,
    SqliteReadOnly = 8,
    SqliteIoErr = 10,
    SqliteCorrupt = 11,
    SqliteFull = 13,
    SqliteCantOpen = 14,
    SqliteConstraint = 19,
    SqliteAuth = 23,
    SqliteNotADb = 26,
};

// Step n takes a file of schema version n to n + 1, inside the one
// transaction of the migration; version 0 is an empty file. A later version
// adds its step and raises NotesStore::SchemaVersion, never changes a step.
using Statement = std::function<void(const QString& sql)>;

void createSchema(const Statement& sql)
{
    // AUTOINCREMENT: an Id a window still holds never names another entry
    // after its own was removed. The checks keep out what the entry refuses,
    // whoever writes the file.
    sql(QStringLiteral("CREATE TABLE note ("
                       "id INTEGER PRIMARY KEY AUTOINCREMENT, "
                       "day INTEGER NOT NULL, "
                       "kind INTEGER NOT NULL CHECK (kind BETWEEN 0 AND 4), "
                       "text TEXT NOT NULL CHECK (length(text) <= 500), "
                       "person TEXT NOT NULL CHECK (kind = 2 OR person = ''))"));
    // Every index ends in the rowid, so this one also gives date-then-Id order.
    sql(QStringLiteral("CREATE INDEX note_day ON note (day)"));
    sql(QStringLiteral("PRAGMA application_id = %1").arg(ApplicationId));
}

using Step = void (*)(const Statement&);
const Step Steps[] = {createSchema};
static_assert(std::size(Steps) == NotesStore::SchemaVersion, "a step from every older version");

QString uniqueConnectionName()
{
    static std::atomic<quint64> made{0};
    return QStringLiteral("tarnwell-notes-%1").arg(++made);
}

// A day number as the file keeps it. Far-off days are clamped, so that a
// range may run from minus to plus infinity.
qint64 dayKey(double day)
{
    if (std::isnan(day))
        throw Err::make(Err::InvalidCall, QStringLiteral("The date is not a number."));
    return static_cast<qint64>(std::clamp(DayNumber::wholeDay(day), -1e9, 1e9));
}

QVariantList valuesOf(const NoteEntry& e)
{
    return {dayKey(e.Date()), static_cast<int>(e.Kind()), e.Text(), e.Person()};
}

bool sideFilesExist(const QString& path)
{
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        if (QFileInfo::exists(path + QLatin1String(suffix)))
            return true;
    return false;
}
} // namespace

NotesStore::NotesStore(const QString& folder)
    : path_(QDir(folder).filePath(FileName)), connection_(uniqueConnectionName())
{
    try {
        open();
    } catch (const RuntimeError& e) {
        openError_ = e;
        closeConnection();
    }
}

NotesStore::~NotesStore()
{
    closeConnection();
}

void NotesStore::closeConnection()
{
    // The last handle must be gone before the connection is removed.
    db_.close();
    db_ = QSqlDatabase();
    if (QSqlDatabase::contains(connection_))
        QSqlDatabase::removeDatabase(connection_);
}

void NotesStore::open()
{
    if (!QSqlDatabase::isDriverAvailable(Driver))
        throw refusal(Err::FileNotFound,
                      QStringLiteral("the SQLite driver of Qt (package libqt6sql6-sqlite) is "
                                     "not installed"));
    const QFileInfo info(path_);
    existed_ = info.exists();
    if (info.isDir())
        throw refusal(Err::PathFileAccess, QStringLiteral("it is a folder"));

    // A read-write connection plays a leftover journal into the file when it
    // opens or closes; a file that is refused must keep it unplayed. With no
    // journal beside the file the connection below only reads until the file
    // has passed.
    if (existed_ && sideFilesExist(path_)) {
        const QString name = connection_ + QStringLiteral("-check");
        std::optional<RuntimeError> refused;
        {
            QSqlDatabase check = QSqlDatabase::addDatabase(Driver, name);
            check.setDatabaseName(path_);
            check.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;") + BusyTimeout);
            try {
                if (!check.open())
                    throw failure(Action::Open, check.lastError());
                checkFile(check);
            } catch (const RuntimeError& e) {
                refused = e;
            }
            check.close();
        }
        QSqlDatabase::removeDatabase(name);
        if (refused)
            throw *refused;
    }

    db_ = QSqlDatabase::addDatabase(Driver, connection_);
    db_.setDatabaseName(path_);
    db_.setConnectOptions(BusyTimeout);
    if (!db_.open())
        throw failure(Action::Open, db_.lastError());
    const int version = checkFile(db_);
    // Only now may anything be written. WAL: a reader never waits for a
    // writer, and a commit is one append. A file system that cannot share
    // the WAL index keeps the old journal, as safe if slower.
    run(db_, QStringLiteral("PRAGMA journal_mode = WAL"), Action::Open);
    run(db_, QStringLiteral("PRAGMA synchronous = FULL"), Action::Open);
    if (version < SchemaVersion)
        migrate();
}

int NotesStore::checkFile(const QSqlDatabase& db) const
{
    QSqlQuery q = run(db, QStringLiteral("PRAGMA integrity_check"), Action::Open);
    QStringList found;
    while (q.next())
        found << q.value(0).toString();
    if (q.lastError().isValid())
        throw failure(Action::Open, q.lastError());
    if (found != QStringList{QStringLiteral("ok")}) {
        // The first problem, past the heading that names the database.
        const auto problem = std::find_if(found.cbegin(), found.cend(), [](const QString& line) {
            return !line.startsWith(QLatin1String("***"));
        });
        throw refusal(Err::PathFileAccess,
                      QStringLiteral("it is damaged (the database check found: %1)")
                          .arg(problem != found.cend() ? *problem : found.value(0)));
    }
    return schemaVersion(db);
}

int NotesStore::schemaVersion(const QSqlDatabase& db) const
{
    const auto number = [&](const QString& sql) {
        QSqlQuery q = run(db, sql, Action::Open);
        if (!q.next())
            throw failure(Action::Open, q.lastError());
        return q.value(0).toLongLong();
    };
    const qint64 application = number(QStringLiteral("PRAGMA application_id"));
    const qint64 version = number(QStringLiteral("PRAGMA user_version"));
    const qint64 objects = number(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (application == 0 && version == 0 && objects == 0)
        return 0;
    if (application != ApplicationId || version < 1)
        throw refusal(Err::PathFileAccess, QStringLiteral("it is a database of another program"));
    if (version > SchemaVersion)
        throw refusal(Err::PathFileAccess,
                      QStringLiteral("it was written by a newer version of the program (notes "
                                     "version %1; this one reads up to %2)")
                          .arg(version)
                          .arg(SchemaVersion));
    return static_cast<int>(version);
}

void NotesStore::migrate()
{
    transaction(Action::Open, [&] {
        // Another program may have taken the file up since it was checked.
        int version = schemaVersion(db_);
        const Statement sql = [&](const QString& s) { run(db_, s, Action::Open); };
        for (; version < SchemaVersion; ++version)
            Steps[version](sql);
        sql(QStringLiteral("PRAGMA user_version = %1").arg(SchemaVersion));
    });
}

void NotesStore::throwIfClosed() const
{
    if (openError_)
        throw *openError_;
}

QSqlQuery NotesStore::run(const QSqlDatabase& db, const QString& sql, Action action,
                          const QVariantList& values) const
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    bool done = q.prepare(sql);
    if (done) {
        for (const QVariant& v : values)
            q.addBindValue(v);
        done = q.exec();
    }
    if (!done)
        throw failure(action, q.lastError());
    return q;
}

void NotesStore::transaction(Action action, const std::function<void()>& edit)
{
    // IMMEDIATE: the write lock is taken (or waited for) at once, so that
    // a busy file fails before anything of the edit is done.
    run(db_, QStringLiteral("BEGIN IMMEDIATE"), action);
    try {
        edit();
        run(db_, QStringLiteral("COMMIT"), action);
    } catch (...) {
        // SQLite may have rolled back already (a full disk does); then this
        // one only fails, and that is fine.
        QSqlQuery(db_).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

void NotesStore::refuseProblem(const NoteEntry& entry)
{
    if (const QString problem = entry.Problem(); !problem.isEmpty())
        throw Err::make(Err::InvalidPropertyValue, problem);
}

qint64 NotesStore::insertRow(const NoteEntry& entry)
{
    // A null QString is bound as NULL.
    const QSqlQuery q = run(db_,
                            QStringLiteral("INSERT INTO note (day, kind, text, person) "
                                           "VALUES (?, ?, coalesce(?, ''), coalesce(?, ''))"),
                            Action::Write, valuesOf(entry));
    return q.lastInsertId().toLongLong();
}

void NotesStore::updateRow(const NoteEntry& entry)
{
    const QSqlQuery q = run(db_,
                            QStringLiteral("UPDATE note SET day = ?, kind = ?, "
                                           "text = coalesce(?, ''), person = coalesce(?, '') "
                                           "WHERE id = ?"),
                            Action::Write, valuesOf(entry) << entry.Id());
    if (q.numRowsAffected() != 1)
        throw missing(entry.Id());
}

void NotesStore::deleteRow(qint64 id)
{
    const QSqlQuery q =
        run(db_, QStringLiteral("DELETE FROM note WHERE id = ?"), Action::Write, {id});
    if (q.numRowsAffected() != 1)
        throw missing(id);
}

qint64 NotesStore::Add(const NoteEntry& entry)
{
    throwIfClosed();
    refuseProblem(entry);
    qint64 id = 0;
    transaction(Action::Write, [&] { id = insertRow(entry); });
    return id;
}

void NotesStore::Update(const NoteEntry& entry)
{
    throwIfClosed();
    refuseProblem(entry);
    transaction(Action::Write, [&] { updateRow(entry); });
}

void NotesStore::Remove(qint64 id)
{
    throwIfClosed();
    transaction(Action::Write, [&] { deleteRow(id); });
}

void NotesStore::SaveDay(double day, const std::vector<NoteEntry>& entries)
{
    throwIfClosed();
    for (const NoteEntry& e : entries)
        refuseProblem(e);
    transaction(Action::Write, [&] {
        // Read inside the transaction: what another window stored meanwhile
        // counts as stored.
        for (const NoteEntry& old : EntriesOn(day)) {
            const bool kept = std::any_of(entries.begin(), entries.end(),
                                          [&](const NoteEntry& e) { return e.Id() == old.Id(); });
            if (!kept)
                deleteRow(old.Id());
        }
        for (NoteEntry e : entries) {
            e.setDate(day);
            if (e.Id() == 0)
                insertRow(e);
            else
                updateRow(e);
        }
    });
}

std::vector<NoteEntry> NotesStore::entries(const QString& sql, const QVariantList& values) const
{
    throwIfClosed();
    QSqlQuery q = run(db_, QStringLiteral("SELECT id, day, kind, text, person FROM note ") + sql,
                      Action::Read, values);
    std::vector<NoteEntry> found;
    while (q.next()) {
        NoteEntry e(static_cast<double>(q.value(1).toLongLong()),
                    static_cast<NoteKind>(q.value(2).toInt()), q.value(3).toString(),
                    q.value(4).toString());
        e.setId(q.value(0).toLongLong());
        found.push_back(std::move(e));
    }
    if (q.lastError().isValid())
        throw failure(Action::Read, q.lastError());
    return found;
}

std::vector<NoteEntry> NotesStore::EntriesOn(double day) const
{
    return entries(QStringLiteral("WHERE day = ? ORDER BY id"), {dayKey(day)});
}

std::vector<NoteEntry> NotesStore::EntriesBetween(double first, double last) const
{
    return entries(QStringLiteral("WHERE day BETWEEN ? AND ? ORDER BY day, id"),
                   {dayKey(first), dayKey(last)});
}

std::vector<std::pair<double, NoteKind>> NotesStore::FirstKinds(double first, double last) const
{
    throwIfClosed();
    // The inner query runs on the day index alone; only each day's first
    // entry is looked up in the table.
    QSqlQuery q = run(db_,
                      QStringLiteral("SELECT day, kind FROM note WHERE id IN (SELECT min(id) FROM "
                                     "note WHERE day BETWEEN ? AND ? GROUP BY day) ORDER BY day"),
                      Action::Read, {dayKey(first), dayKey(last)});
    std::vector<std::pair<double, NoteKind>> found;
    while (q.next())
        found.emplace_back(static_cast<double>(q.value(0).toLongLong()),
                           static_cast<NoteKind>(q.value(1).toInt()));
    if (q.lastError().isValid())
        throw failure(Action::Read, q.lastError());
    return found;
}

std::map<NoteKind, int> NotesStore::DaysPerKind(int year) const
{
    throwIfClosed();
    if (year < 100 || year > 9999)
        throw Err::make(Err::InvalidCall);
    const QDate first(year, 1, 1);
    QSqlQuery q =
        run(db_,
            QStringLiteral("SELECT kind, count(DISTINCT day) FROM note "
                           "WHERE day BETWEEN ? AND ? GROUP BY kind"),
            Action::Read,
            {dayKey(DayNumber::fromDate(first)), dayKey(DayNumber::fromDate(QDate(year, 12, 31)))});
    std::map<NoteKind, int> days;
    for (NoteKind kind : AllNoteKinds)
        days[kind] = 0;
    while (q.next())
        days[static_cast<NoteKind>(q.value(0).toInt())] = q.value(1).toInt();
    if (q.lastError().isValid())
        throw failure(Action::Read, q.lastError());
    return days;
}

RuntimeError NotesStore::failure(Action action, const QSqlError& error) const
{
    int number = Err::PathFileAccess;
    QString cause = error.databaseText();
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case SqliteFull:
        number = Err::DiskFull;
        cause = QStringLiteral("the disk is full");
        break;
    case SqliteIoErr: number = Err::DeviceIO; break;
    case SqlitePerm:
    case SqliteAuth:
    case SqliteReadOnly: number = Err::PermissionDenied; break;
    case SqliteCantOpen: {
        // SQLite's "unable to open database file" also stands for a journal
        // it could not make beside the file.
        const QFileInfo folder(QFileInfo(path_).path());
        if (!folder.isDir()) {
            number = Err::PathNotFound;
        } else if (!folder.isWritable()) {
            number = Err::PermissionDenied;
            cause = QStringLiteral("its folder is read-only (%1)").arg(cause);
        }
        break;
    }
    case SqliteNotADb: cause = QStringLiteral("it is not a database"); break;
    case SqliteCorrupt: cause = QStringLiteral("it is damaged (%1)").arg(cause); break;
    case SqliteBusy:
    case SqliteLocked: cause = QStringLiteral("another program keeps it busy"); break;
    case SqliteNoMem: number = Err::OutOfMemory; break;
    case SqliteConstraint: number = Err::InvalidPropertyValue; break;
    }
    if (cause.isEmpty())
        cause = error.text();
    switch (action) {
    case Action::Open: return refusal(number, cause);
    case Action::Read:
        return Err::make(number, QStringLiteral("The notes file %1 could not be read: %2.")
                                     .arg(QDir::toNativeSeparators(path_), cause));
    case Action::Write: break;
    }
    return Err::make(number, QStringLiteral("The notes file %1 could not be written: %2. The "
                                            "change was not saved; what was saved before is kept.")
                                 .arg(QDir::toNativeSeparators(path_), cause));
}

RuntimeError NotesStore::refusal(int number, const QString& cause) const
{
    QString text = QStringLiteral("The notes file %1 could not be opened: %2.")
                       .arg(QDir::toNativeSeparators(path_), cause);
    if (existed_)
        text += QStringLiteral(" The file has not been changed.");
    return Err::make(number, text);
}

RuntimeError NotesStore::missing(qint64 id) const
{
    return Err::make(Err::SubscriptOutOfRange,
                     QStringLiteral("The notes file %1 holds no entry %2; it may have been "
                                    "removed meanwhile.")
                         .arg(QDir::toNativeSeparators(path_))
                         .arg(id));
}
