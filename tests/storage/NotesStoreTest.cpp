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
#include <thread>

void PrintTo(const NoteEntry& e, std::ostream* os)
{
    *os << '{' << e.Id() << ", " << e.Date() << ", " << NoteKindName(e.Kind()).toStdString()
        << ", \"" << e.Text().left(24).toStdString() << "\", \"" << e.Person().toStdString()
        << "\"}";
}

namespace {
using Entries = std::vector<NoteEntry>;
using Calls = std::vector<std::function<void()>>;
constexpr double Inf = std::numeric_limits<double>::infinity();

// The first column of the rows of the last statement, through a connection
// of the test's own; `whileOpen` runs before it closes.
QStringList sql(const QString& file, const QStringList& statements,
                const std::function<void()>& whileOpen = {})
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
            for (rows.clear(); q.next();)
                rows << q.value(0).toString();
        }
        if (whileOpen)
            whileOpen();
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
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
    static double day(int y, int m, int d) { return DayNumber::fromDate(QDate(y, m, d)); }
    static Entries all(const NotesStore& s) { return s.EntriesBetween(-Inf, Inf); }
    static NoteEntry added(NotesStore& s, NoteEntry e) { return e.setId(s.Add(e)), e; }
    QString file() const { return dir.filePath(QStringLiteral("notes.db")); }
    QTemporaryDir dir;
};
} // namespace

TEST(NoteKindNames, ReadBackInAnyCase)
{
    for (NoteKind kind : AllNoteKinds)
        EXPECT_EQ(NoteKindFromName(NoteKindName(kind).toUpper()), kind);
    for (const char* name : {"", "Notes", "Sick "})
        EXPECT_EQ(NoteKindFromName(QLatin1String(name)), std::nullopt) << name;
}

// A refused entry is not stored at all, not even cut to fit.
TEST_F(NotesFile, EntriesAreCheckedStoredAndReadBack)
{
    const QString full = QString(250, 'a') + QString::fromUtf8("\xF0\x9F\x98\x80").repeated(250);
    const struct {
        NoteEntry entry;
        int error;
        const char* says;
    } rows[] = {
        {{45000, NoteKind::Leave}, 0, ""},
        {{45000.75, NoteKind::Overtime, "time of day dropped"}, 0, ""},
        {{45001, NoteKind::Trade, "swap", "Kim Berg"}, 0, ""},
        {{45002, NoteKind::Note, full}, 0, ""}, // 500 characters, half of them surrogate pairs
        {{45002, NoteKind::Note, full + 'b'}, Err::InvalidPropertyValue, "501 characters"},
        {{45003, NoteKind::Leave, "", "Kim"}, Err::InvalidPropertyValue, "Only a Trade"},
        {{std::nan(""), NoteKind::Sick}, Err::InvalidPropertyValue, "outside"},
        {{-700000, NoteKind::Sick}, Err::InvalidPropertyValue, "outside"},
    };
    Entries stored;
    {
        NotesStore store(dir.path());
        for (const auto& row : rows) {
            SCOPED_TRACE(::testing::PrintToString(row.entry));
            try {
                stored.push_back(added(store, row.entry));
                EXPECT_EQ(row.error, 0);
            } catch (const RuntimeError& e) {
                EXPECT_EQ(e.number(), row.error);
                EXPECT_TRUE(e.description().contains(QLatin1String(row.says)));
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
    const double newYear = day(2026, 1, 1);
    const NoteEntry june = added(store, {day(2026, 6, 15), NoteKind::Trade, "", "Kim"});
    const NoteEntry eve = added(store, {newYear - 1, NoteKind::Leave});
    const NoteEntry n1 = added(store, {newYear, NoteKind::Leave, "a"});
    const NoteEntry last = added(store, {day(2026, 12, 31), NoteKind::Overtime});
    const NoteEntry n2 = added(store, {newYear, NoteKind::Leave, "b"});
    const NoteEntry n3 = added(store, {newYear, NoteKind::Sick});
    const NoteEntry next = added(store, {last.Date() + 1, NoteKind::Leave});
    const struct {
        double first, last;
        Entries expected;
    } ranges[] = {
        {newYear + 0.9, newYear + 0.1, {n1, n2, n3}},     // a day, any time of it
        {newYear, last.Date(), {n1, n2, n3, june, last}}, // a year, both ends in
        {newYear - 12, newYear + 29, {eve, n1, n2, n3}},  // a 42-day window
        {last.Date(), newYear, {}},                       // first after last
        {-Inf, Inf, {eve, n1, n2, n3, june, last, next}},
    };
    for (const auto& r : ranges)
        EXPECT_EQ(store.EntriesBetween(r.first, r.last), r.expected) << r.first << " " << r.last;
    EXPECT_EQ(store.EntriesOn(newYear + 0.5), ranges[0].expected);
    using K = NoteKind;
    const std::map<K, int> days{
        {K::Note, 0}, {K::Leave, 1}, {K::Trade, 1}, {K::Overtime, 1}, {K::Sick, 1}};
    EXPECT_EQ(store.DaysPerKind(2026), days);

    // What a month marks: each day once, with its first entry's kind.
    using Marks = std::vector<std::pair<double, K>>;
    EXPECT_EQ(store.FirstKinds(newYear - 1, last.Date()), (Marks{{eve.Date(), K::Leave},
                                                                 {newYear, K::Leave},
                                                                 {june.Date(), K::Trade},
                                                                 {last.Date(), K::Overtime}}));
    store.Remove(n1.Id());
    store.Remove(n2.Id());
    EXPECT_EQ(store.FirstKinds(newYear, newYear), (Marks{{newYear, K::Sick}}));
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
    refused = b;
    refused.setId(b.Id() + 100);
    EXPECT_EQ(errorOf([&] { store.Update(refused); }), Err::SubscriptOutOfRange);
    store.Remove(b.Id());
    EXPECT_EQ(errorOf([&] { store.Remove(b.Id()); }), Err::SubscriptOutOfRange);
    EXPECT_GT(store.Add(b), b.Id()) << "the Id of a removed entry is given again";
    EXPECT_EQ(store.EntriesOn(45001), Entries{a});
}

// A day saved from its window: kept, changed, removed and new entries in one
// transaction, and nothing at all when one entry is refused.
TEST_F(NotesFile, SavingADayWritesItsEntriesWholeOrNotAtAll)
{
    NotesStore store(dir.path());
    NoteEntry kept = added(store, {45000, NoteKind::Leave, "kept"});
    const NoteEntry dropped = added(store, {45000, NoteKind::Sick});
    const NoteEntry otherDay = added(store, {45001, NoteKind::Note, "other"});
    kept.setText(QStringLiteral("changed"));
    NoteEntry fresh(45000, NoteKind::Trade, "new", QStringLiteral("Kim"));
    NoteEntry refused(45000, NoteKind::Note,
                      QString(NoteEntry::MaxTextLength + 1, QLatin1Char('x')));

    EXPECT_EQ(errorOf([&] { store.SaveDay(45000, {kept, refused}); }), Err::InvalidPropertyValue);
    EXPECT_EQ(store.EntriesOn(45000).size(), 2u);
    EXPECT_EQ(store.EntriesOn(45000).front().Text(), QStringLiteral("kept"));

    store.SaveDay(45000, {kept, fresh});
    const Entries day = store.EntriesOn(45000);
    ASSERT_EQ(day.size(), 2u);
    EXPECT_EQ(day[0], kept);
    fresh.setId(day[1].Id());
    EXPECT_GT(fresh.Id(), dropped.Id());
    EXPECT_EQ(day[1], fresh);
    EXPECT_EQ(store.EntriesOn(45001), Entries{otherDay});
    store.SaveDay(45000, {});
    EXPECT_TRUE(store.EntriesOn(45000).empty());
}

// Each store has its own connection: closing one leaves the other working,
// and a store in another thread writes to the same file alongside.
TEST_F(NotesFile, StoresInOneThreadOrSeveralShareTheFile)
{
    auto first = std::make_unique<NotesStore>(dir.path());
    NotesStore second(dir.path());
    const Entries one = {added(*first, {45000, NoteKind::Note})};
    first.reset();
    EXPECT_EQ(second.EntriesOn(45000), one);
    std::thread other([&] {
        NotesStore store(dir.path());
        for (int i = 0; i < 25; ++i)
            store.Add({45001, NoteKind::Leave});
    });
    for (int i = 0; i < 25; ++i)
        second.Add({45001, NoteKind::Sick});
    other.join();
    EXPECT_EQ(second.EntriesOn(45001).size(), 50u);
}

TEST_F(NotesFile, AnEmptyFileGetsTheSchemaInWalMode)
{
    writeBytes(file(), QByteArray());
    NotesStore(dir.path()).Add({45000, NoteKind::Note});
    EXPECT_EQ(sql(file(), {"PRAGMA user_version"}), QStringList{"1"});
    EXPECT_EQ(sql(file(), {"PRAGMA journal_mode"}), QStringList{"wal"});
    EXPECT_EQ(sql(file(), {"SELECT count(*) FROM note"}), QStringList{"1"});
}

namespace {
// A valid notes file of some 40 pages, two in its middle overwritten:
// swapped, each page sound but out of order (the check lists what it found),
// or garbage (the check stops with an error).
void damage(const QString& folder, const QString& file, bool swap)
{
    {
        NotesStore store(folder);    // closed, so the WAL is in the file
        for (int i = 0; i < 60; ++i) // 1500 bytes each
            store.Add({45000.0 + i, NoteKind::Note, QString(500, QChar(0x20AC))});
    }
    QByteArray bytes = readBytes(file);
    const qsizetype page = 4096, at = bytes.size() / 2 / page * page;
    bytes.replace(at, 2 * page,
                  swap ? bytes.mid(at + page, page) + bytes.mid(at, page)
                       : QByteArray(2 * page, '\xA5'));
    writeBytes(file, bytes);
    ASSERT_NE(sql(file, {"PRAGMA integrity_check"}), QStringList{"ok"});
}

// A newer version's file whose last commit is still in its WAL, as a
// writer that died leaves it: copied while the writer has it open.
void newerInWal(const QString&, const QString& file)
{
    QTemporaryDir scratch;
    const QString source = scratch.filePath(QStringLiteral("notes.db"));
    NotesStore(scratch.path()).Add({45000, NoteKind::Note});
    sql(source, {"PRAGMA wal_autocheckpoint = 0", "PRAGMA user_version = 2"}, [&] {
        for (const char* suffix : {"", "-wal"})
            QFile::copy(source + QLatin1String(suffix), file + QLatin1String(suffix));
    });
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
        const char* says;
    } rows[] = {
        {"a text file",
         [](const QString&, const QString& f) { writeBytes(f, "Day notes\r\n15.01. leave\r\n"); },
         "not a database"},
        {"two pages swapped", [](auto& d, auto& f) { damage(d, f, true); }, "out of order"},
        {"garbage over two pages", [](auto& d, auto& f) { damage(d, f, false); }, "malformed"},
        {"a newer version",
         [](const QString& d, const QString& f) {
             NotesStore(d).Add({45000, NoteKind::Leave});
             sql(f, {"PRAGMA user_version = 2"});
         },
         "newer version"},
        {"a newer version, its last commit in the WAL", newerInWal, "newer version"},
        {"another program's database",
         [](const QString&, const QString& f) { sql(f, {"CREATE TABLE t (x)"}); },
         "another program"},
        {"a folder in its place", [](const QString&, const QString& f) { QDir().mkdir(f); },
         "folder"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("notes.db"));
        row.make(folder.path(), file);
        const auto before = contents(folder.path());

        NotesStore store(folder.path());
        ASSERT_FALSE(store.IsOpen());
        const RuntimeError why = *store.OpenError();
        EXPECT_EQ(why.number(), Err::PathFileAccess);
        EXPECT_TRUE(why.description().contains(QDir::toNativeSeparators(file)) &&
                    why.description().contains(QLatin1String(row.says)))
            << qPrintable(why.description());
        for (const auto& call : Calls{[&] {
                                          store.Add({45000, NoteKind::Note});
                                      },
                                      [&] {
                                          store.Update({45000, NoteKind::Note});
                                      },
                                      [&] { store.Remove(1); }, [&] { store.EntriesOn(45000); },
                                      [&] { store.DaysPerKind(2026); }})
            EXPECT_EQ(errorTextOf(call), errorTextOf([&] { throw why; }));
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
    const QString said = QString::fromLocal8Bit(child.readAllStandardError());
    if (child.exitCode() == 77 || said.startsWith(QLatin1String("unshare:")))
        GTEST_SKIP() << "no read-only mount here: " << qPrintable(said);
    EXPECT_TRUE(said.startsWith(QStringLiteral("The notes file %1 could not be opened: its folder "
                                               "is read-only")
                                    .arg(QDir::toNativeSeparators(file()))))
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
    const std::string failed = "57 The notes file " +
                               QDir::toNativeSeparators(file()).toStdString() +
                               " could not be written: disk I/O error.";
    // No byte more; or one page of the edit written, and then no more.
    for (const rlim_t room : {rlim_t(0), rlim_t(wal + 5000)}) {
        SCOPED_TRACE(testing::Message() << room << " bytes");
        {
            const FileSizeLimit full(room);
            for (const auto& edit :
                 Calls{[&] { store.Add(writerEntry(99)); }, [&] { store.Update(changed); },
                       [&] { store.Remove(changed.Id()); },
                       [&] {
                           store.SaveDay(changed.Date(), {changed, writerEntry(98)});
                       }})
                EXPECT_EQ(errorTextOf(edit).substr(0, failed.size()), failed);
        }
        EXPECT_EQ(all(store), before);
        EXPECT_EQ(sql(file(), {"PRAGMA integrity_check"}), QStringList{"ok"});
    }
    store.Update(changed);
    EXPECT_EQ(all(NotesStore(dir.path())).front(), changed);
}

// A writer killed anywhere in its loop has lost nothing it reported.
TEST_F(NotesFile, AKilledWriterLeavesEveryEntryItReported)
{
    std::map<qint64, int> reported; // Id -> number of the entry
    const auto take = [&](const QByteArray& line) {
        const QList<QByteArray> f = line.trimmed().split(' ');
        if (f.size() == 2)
            reported[f[0].toLongLong()] = f[1].toInt();
    };
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        QProcess child;
        child.start(QStringLiteral(TARNWELL_NOTES_WRITER_CHILD), {dir.path()});
        // Some commits in, at a point the test does not choose.
        const int wanted = 5 + static_cast<int>(QRandomGenerator::global()->bounded(400u));
        for (int seen = 0; seen < wanted;) {
            ASSERT_TRUE(child.canReadLine() || child.waitForReadyRead(60000))
                << child.readAllStandardError().constData();
            for (; child.canReadLine() && seen < wanted; ++seen)
                take(child.readLine());
        }
        ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), SIGKILL), 0);
        ASSERT_TRUE(child.waitForFinished(60000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
        for (const QByteArray& line : child.readAllStandardOutput().split('\n'))
            take(line); // already in the pipe

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
