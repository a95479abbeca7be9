// The notes store on a real SQLite file in a temporary folder: what is
// stored reads back, a file it refuses stays as it was, and a write that a
// full disk or a kill cuts short leaves everything committed before.
#include "storage/NotesStore.h"

#include "model/DayNumber.h"
#include "reliability/NotesWriterChild.h"
#include "support/ErrorOf.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cmath>
#include <csignal>
#include <limits>
#include <map>
#include <thread>

void PrintTo(const NoteEntry& e, std::ostream* os)
{
    *os << '{' << e.Id() << ", " << e.Date() << ", " << NoteKindName(e.Kind()).toStdString()
        << ", \"" << e.Text().left(24).toStdString() << "\", \"" << e.Person().toStdString()
        << "\"}";
}

namespace {
const double Inf = std::numeric_limits<double>::infinity();
using Entries = std::vector<NoteEntry>;

double day(int y, int m, int d)
{
    return DayNumber::fromDate(QDate(y, m, d));
}

// The first column of the rows the last statement gives, through a
// connection of the test's own.
QStringList sql(const QString& file, const QStringList& statements)
{
    static int made = 0;
    const QString name = QStringLiteral("notes-test-%1").arg(++made);
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        EXPECT_TRUE(db.open()) << qPrintable(db.lastError().text());
        for (const QString& s : statements) {
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec(s)) << qPrintable(s + ": " + q.lastError().text());
            rows.clear();
            while (q.next())
                rows << q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

Entries all(const NotesStore& s)
{
    return s.EntriesBetween(-Inf, Inf);
}

// What the folder holds, name by name.
std::map<QString, QByteArray> contents(const QString& folder)
{
    std::map<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                      QDir::Hidden | QDir::System))
        files[name] = readBytes(folder + QLatin1Char('/') + name);
    return files;
}

class NotesFile : public ::testing::Test {
protected:
    QString file() const { return dir.filePath(QStringLiteral("notes.db")); }
    // Adds and gives the entry as stored.
    NoteEntry added(NotesStore& store, NoteEntry e)
    {
        e.setId(store.Add(e));
        return e;
    }
    QTemporaryDir dir;
};
} // namespace

TEST(NoteKindNames, ReadBackInAnyCaseAndNothingElse)
{
    for (NoteKind kind : AllNoteKinds) {
        EXPECT_EQ(NoteKindFromName(NoteKindName(kind)), kind);
        EXPECT_EQ(NoteKindFromName(NoteKindName(kind).toUpper()), kind);
    }
    for (const char* name : {"", "Notes", "Sick ", "Shift trade"})
        EXPECT_EQ(NoteKindFromName(QLatin1String(name)), std::nullopt) << name;
}

// Refused entries are never stored, not even cut to fit.
TEST_F(NotesFile, EntriesAreCheckedStoredAndReadBack)
{
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
    const QString full = QString(250, QLatin1Char('a')) + smile.repeated(250);
    const struct {
        const char* what;
        NoteEntry entry;
        int error;
        const char* says;
    } rows[] = {
        {"leave without a text", NoteEntry(45000, NoteKind::Leave), 0, ""},
        {"overtime, its time of day dropped", NoteEntry(45000.75, NoteKind::Overtime, "late"), 0,
         ""},
        {"a trade and the other person", NoteEntry(45001, NoteKind::Trade, "swap", "Kim Berg"), 0,
         ""},
        {"500 characters, half past the BMP", NoteEntry(45002, NoteKind::Note, full), 0, ""},
        {"501 characters", NoteEntry(45002, NoteKind::Note, full + QLatin1Char('b')),
         Err::InvalidPropertyValue, "501 characters"},
        {"a leave naming a person", NoteEntry(45003, NoteKind::Leave, "", "Kim"),
         Err::InvalidPropertyValue, "Only a Trade"},
        {"no date", NoteEntry(std::nan(""), NoteKind::Sick), Err::InvalidPropertyValue, "outside"},
        {"before the year 100", NoteEntry(-700000, NoteKind::Sick), Err::InvalidPropertyValue,
         "outside"},
    };
    Entries stored;
    {
        NotesStore store(dir.path());
        ASSERT_TRUE(store.IsOpen());
        for (const auto& row : rows) {
            SCOPED_TRACE(row.what);
            try {
                NoteEntry e = row.entry;
                e.setId(store.Add(e));
                EXPECT_EQ(row.error, 0);
                EXPECT_GT(e.Id(), stored.empty() ? 0 : stored.back().Id());
                stored.push_back(e);
            } catch (const RuntimeError& e) {
                EXPECT_EQ(e.number(), row.error);
                EXPECT_TRUE(e.description().contains(QLatin1String(row.says)))
                    << qPrintable(e.description());
            }
        }
        EXPECT_EQ(all(store), stored);
        EXPECT_EQ(store.EntriesOn(45000).size(), 2u);
    }
    EXPECT_EQ(all(NotesStore(dir.path())), stored) << "after opening the file again";
}

TEST_F(NotesFile, ReadsByDayRangeAndYear)
{
    NotesStore store(dir.path());
    // Added out of date order; two leaves on one day count as one day.
    const NoteEntry june = added(store, {day(2026, 6, 15), NoteKind::Trade, "", "Kim"});
    const NoteEntry eve = added(store, {day(2025, 12, 31), NoteKind::Leave});
    const NoteEntry newYear1 = added(store, {day(2026, 1, 1), NoteKind::Leave, "a"});
    const NoteEntry lastDay = added(store, {day(2026, 12, 31), NoteKind::Overtime});
    const NoteEntry newYear2 = added(store, {day(2026, 1, 1), NoteKind::Leave, "b"});
    const NoteEntry newYearSick = added(store, {day(2026, 1, 1), NoteKind::Sick});
    const NoteEntry next = added(store, {day(2027, 1, 1), NoteKind::Leave});

    const struct {
        const char* what;
        double first, last;
        Entries expected;
    } ranges[] = {
        {"one day, any time of it",
         day(2026, 1, 1) + 0.9,
         day(2026, 1, 1) + 0.1,
         {newYear1, newYear2, newYearSick}},
        {"a year, both ends in",
         day(2026, 1, 1),
         day(2026, 12, 31),
         {newYear1, newYear2, newYearSick, june, lastDay}},
        {"a 42-day window",
         day(2025, 12, 20),
         day(2026, 1, 30),
         {eve, newYear1, newYear2, newYearSick}},
        {"first after last", day(2026, 12, 31), day(2026, 1, 1), {}},
        {"everything", -Inf, Inf, {eve, newYear1, newYear2, newYearSick, june, lastDay, next}},
    };
    for (const auto& r : ranges)
        EXPECT_EQ(store.EntriesBetween(r.first, r.last), r.expected) << r.what;
    EXPECT_EQ(store.EntriesOn(day(2026, 1, 1) + 0.5), ranges[0].expected);

    const std::map<NoteKind, int> days = {{NoteKind::Note, 0},
                                          {NoteKind::Leave, 1},
                                          {NoteKind::Trade, 1},
                                          {NoteKind::Overtime, 1},
                                          {NoteKind::Sick, 1}};
    EXPECT_EQ(store.DaysPerKind(2026), days);
}

TEST_F(NotesFile, UpdateAndRemoveChangeOnlyTheirEntry)
{
    NotesStore store(dir.path());
    NoteEntry a = added(store, {45000, NoteKind::Note, "a"});
    const NoteEntry b = added(store, {45000, NoteKind::Sick});
    a.setDate(45001);
    a.setKind(NoteKind::Trade);
    a.setPerson(QStringLiteral("Kim"));
    store.Update(a);
    EXPECT_EQ(store.EntriesOn(45000), Entries{b});
    EXPECT_EQ(store.EntriesOn(45001), Entries{a});

    NoteEntry refused = a;
    refused.setKind(NoteKind::Leave); // still naming Kim
    EXPECT_EQ(errorOf([&] { store.Update(refused); }), Err::InvalidPropertyValue);
    NoteEntry gone = b;
    gone.setId(b.Id() + 100);
    EXPECT_EQ(errorOf([&] { store.Update(gone); }), Err::SubscriptOutOfRange);

    store.Remove(b.Id());
    EXPECT_EQ(errorOf([&] { store.Remove(b.Id()); }), Err::SubscriptOutOfRange);
    // b had the highest Id; it is not given again.
    EXPECT_GT(store.Add(b), b.Id());
    EXPECT_EQ(store.EntriesOn(45001), Entries{a});
}

// Each store has its own connection: closing one leaves the other working,
// and a store in another thread writes to the same file alongside.
TEST_F(NotesFile, StoresInOneThreadOrSeveralShareTheFile)
{
    auto first = std::make_unique<NotesStore>(dir.path());
    NotesStore second(dir.path());
    const qint64 id = first->Add({45000, NoteKind::Note, "first"});
    ASSERT_EQ(second.EntriesOn(45000).size(), 1u);
    first.reset();
    EXPECT_EQ(second.EntriesOn(45000).front().Id(), id);

    constexpr int each = 25;
    std::thread other([&] {
        NotesStore store(dir.path());
        for (int i = 0; i < each; ++i)
            store.Add({45001, NoteKind::Leave, "thread"});
    });
    for (int i = 0; i < each; ++i)
        second.Add({45001, NoteKind::Sick, "main"});
    other.join();
    EXPECT_EQ(second.EntriesOn(45001).size(), 2u * each);
}

TEST_F(NotesFile, AnEmptyFileGetsTheSchemaInWalMode)
{
    writeBytes(file(), QByteArray());
    {
        NotesStore store(dir.path());
        ASSERT_TRUE(store.IsOpen()) << qPrintable(store.OpenError()->description());
        store.Add({45000, NoteKind::Note});
        EXPECT_EQ(sql(file(), {"PRAGMA journal_mode"}), QStringList{"wal"});
    }
    EXPECT_EQ(sql(file(), {"PRAGMA user_version"}), QStringList{"1"});
    EXPECT_EQ(sql(file(), {"SELECT count(*) FROM note"}), QStringList{"1"});
}

namespace {
// Garbage over pages in the middle of a valid notes file of some 40 pages.
void damage(const QString& folder, const QString& file)
{
    {
        NotesStore store(folder);
        for (int i = 0; i < 60; ++i)
            store.Add({45000.0 + i, NoteKind::Note, QString(500, QChar(0x20AC))}); // 3 bytes each
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_GT(f.size(), 30 * 4096);
    f.seek(f.size() / 2 / 4096 * 4096);
    f.write(QByteArray(3 * 4096, '\xA5'));
    f.close();
    ASSERT_NE(sql(file, {"PRAGMA integrity_check"}), QStringList{"ok"});
}

// A file of a newer version whose last commit is still in its WAL: the copy
// of a file and its WAL taken while their writer had them open.
void newerInWal(const QString&, const QString& file)
{
    QTemporaryDir scratch;
    const QString source = scratch.filePath(QStringLiteral("notes.db"));
    NotesStore(scratch.path()).Add({45000, NoteKind::Note});
    const QString name = QStringLiteral("notes-writer");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(source);
        ASSERT_TRUE(db.open());
        for (const char* s : {"PRAGMA wal_autocheckpoint = 0", "PRAGMA user_version = 2",
                              "INSERT INTO note (day, kind, text, person) VALUES (1, 0, 'x', '')"})
            ASSERT_TRUE(QSqlQuery(db).exec(QLatin1String(s))) << s;
        for (const char* suffix : {"", "-wal"})
            ASSERT_TRUE(QFile::copy(source + QLatin1String(suffix), file + QLatin1String(suffix)));
    }
    QSqlDatabase::removeDatabase(name);
    ASSERT_GT(QFileInfo(file + QStringLiteral("-wal")).size(), 0);
}
} // namespace

// A file the store refuses stays byte for byte as it was, and every call
// answers with the reason, which names the file.
TEST_F(NotesFile, RefusedFilesAreLeftAsTheyWere)
{
    const struct {
        const char* what;
        std::function<void(const QString& folder, const QString& file)> make;
        int error;
        const char* says;
    } rows[] = {
        {"a text file",
         [](const QString&, const QString& f) { writeBytes(f, "Day notes\r\n15.01. leave\r\n"); },
         Err::PathFileAccess, "not a database"},
        {"a damaged database", damage, Err::PathFileAccess, "damaged"},
        {"a newer version",
         [](const QString& d, const QString& f) {
             NotesStore(d).Add({45000, NoteKind::Leave});
             sql(f, {"PRAGMA user_version = 2"});
         },
         Err::PathFileAccess, "newer version"},
        {"a newer version, its last commit in the WAL", newerInWal, Err::PathFileAccess,
         "newer version"},
        {"another program's database",
         [](const QString&, const QString& f) { sql(f, {"CREATE TABLE t (x)"}); },
         Err::PathFileAccess, "another program"},
        {"a folder in its place", [](const QString&, const QString& f) { QDir().mkdir(f); },
         Err::PathFileAccess, "folder"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("notes.db"));
        row.make(folder.path(), file);
        const auto before = contents(folder.path());

        NotesStore store(folder.path());
        ASSERT_FALSE(store.IsOpen());
        const RuntimeError& why = *store.OpenError();
        EXPECT_EQ(why.number(), row.error);
        EXPECT_TRUE(why.description().contains(QDir::toNativeSeparators(file)) &&
                    why.description().contains(QLatin1String(row.says)))
            << qPrintable(why.description());
        const std::string said = errorTextOf([&] { throw why; });
        EXPECT_EQ(errorTextOf([&] { store.Add({45000, NoteKind::Note}); }), said);
        EXPECT_EQ(errorTextOf([&] { store.Update({45000, NoteKind::Note}); }), said);
        EXPECT_EQ(errorTextOf([&] { store.Remove(1); }), said);
        EXPECT_EQ(errorTextOf([&] { store.EntriesOn(45000); }), said);
        EXPECT_EQ(errorTextOf([&] { store.DaysPerKind(2026); }), said);
        auto after = contents(folder.path());
        // Reading a WAL takes its index, which holds no data; SQLite makes
        // one for any reader, and only it may remove one.
        if (before.count(QStringLiteral("notes.db-wal")))
            after.erase(QStringLiteral("notes.db-shm"));
        EXPECT_TRUE(after == before) << "the folder changed";
    }
    const QString nowhere = dir.filePath(QStringLiteral("missing"));
    EXPECT_EQ(NotesStore(nowhere).OpenError()->number(), Err::PathNotFound);
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

// A read-only mount stops root, where permissions do not. It lives in a
// mount namespace of the writer child's own and goes with it.
TEST_F(NotesFile, AReadOnlyFolderIsRefusedAndLeftAsItWas)
{
    NotesStore(dir.path()).Add({45000, NoteKind::Leave});
    const auto before = contents(dir.path());
    QProcess child;
    child.start(QStringLiteral("unshare"),
                {"--mount", "--propagation", "private", "sh", "-c",
                 R"(mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" || exit 77
                    exec "$2" "$1")",
                 "sh", dir.path(), QStringLiteral(TARNWELL_NOTES_WRITER_CHILD)});
    if (!child.waitForStarted())
        GTEST_SKIP() << "no unshare";
    ASSERT_TRUE(child.waitForFinished(60000)) << "the writer could write";
    const QString said = QString::fromLocal8Bit(child.readAllStandardError()).trimmed();
    if (child.exitCode() == 77 || said.startsWith(QLatin1String("unshare:")))
        GTEST_SKIP() << "no read-only mount here: " << qPrintable(said);
    EXPECT_EQ(child.exitCode(), 1);
    EXPECT_TRUE(
        said.startsWith(QLatin1String("The notes file ") + QDir::toNativeSeparators(file())) &&
        said.contains(QLatin1String("read-only")))
        << qPrintable(said);
    EXPECT_TRUE(contents(dir.path()) == before);
}

// The real failure a root test can cause: a file size limit, which cuts
// SQLite's writes short as a full disk does.
TEST_F(NotesFile, AFailedWriteKeepsWhatWasStored)
{
    NotesStore store(dir.path());
    for (int i = 0; i < 5; ++i)
        store.Add(writerEntry(i));
    const Entries before = all(store);
    NoteEntry changed = before.front();
    changed.setText(QStringLiteral("changed"));
    const qint64 wal = QFileInfo(file() + QStringLiteral("-wal")).size();
    ASSERT_GT(wal, 0);
    // No byte more; or one page of the edit written, and then no more.
    for (const rlim_t room : {rlim_t(0), rlim_t(wal + 5000)}) {
        SCOPED_TRACE(testing::Message() << room << " bytes");
        {
            const FileSizeLimit full(room);
            for (const auto& edit : std::vector<std::function<void()>>{
                     [&] { store.Add(writerEntry(99)); }, [&] { store.Update(changed); },
                     [&] { store.Remove(changed.Id()); }}) {
                try {
                    edit();
                    ADD_FAILURE() << "the edit was taken";
                } catch (const RuntimeError& e) {
                    EXPECT_EQ(e.number(), Err::DeviceIO);
                    EXPECT_TRUE(e.description().contains(QDir::toNativeSeparators(file())))
                        << qPrintable(e.description());
                }
            }
        }
        EXPECT_EQ(all(store), before);
        EXPECT_EQ(sql(file(), {"PRAGMA integrity_check"}), QStringList{"ok"});
    }
    store.Update(changed);
    EXPECT_EQ(all(NotesStore(dir.path())).front(), changed);
}

// A writer killed at any point of its loop has lost nothing it reported.
TEST_F(NotesFile, AKilledWriterLeavesEveryEntryItReported)
{
    std::map<qint64, int> reported; // Id -> number of the entry
    constexpr int rounds = 8;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        QProcess child;
        child.start(QStringLiteral(TARNWELL_NOTES_WRITER_CHILD), {dir.path()});
        const auto take = [&](const QByteArray& line) {
            const QList<QByteArray> f = line.trimmed().split(' ');
            if (f.size() == 2)
                reported[f[0].toLongLong()] = f[1].toInt();
        };
        // Some commits in, at a point the test does not choose.
        const int wanted = 5 + static_cast<int>(QRandomGenerator::global()->bounded(400u));
        for (int seen = 0; seen < wanted;) {
            ASSERT_TRUE(child.canReadLine() || child.waitForReadyRead(60000))
                << child.readAllStandardError().constData();
            while (child.canReadLine() && seen < wanted) {
                take(child.readLine());
                ++seen;
            }
        }
        ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), SIGKILL), 0);
        ASSERT_TRUE(child.waitForFinished(60000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
        // Lines already on their way count too; a cut last line does not.
        for (const QByteArray& line : child.readAllStandardOutput().split('\n'))
            take(line);

        NotesStore store(dir.path());
        ASSERT_TRUE(store.IsOpen()) << qPrintable(store.OpenError()->description());
        std::map<qint64, NoteEntry> held;
        for (const NoteEntry& e : all(store))
            held.emplace(e.Id(), e);
        for (const auto& [id, number] : reported) {
            NoteEntry expected = writerEntry(number);
            expected.setId(id);
            ASSERT_EQ(held.count(id), 1u) << "entry " << id << " is lost";
            EXPECT_EQ(held.at(id), expected);
        }
        // At most one a round committed whose line never went out.
        EXPECT_LE(held.size(), reported.size() + round + 1);
    }
    EXPECT_EQ(sql(file(), {"PRAGMA integrity_check"}), QStringList{"ok"});
}
