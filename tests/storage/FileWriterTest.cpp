// Every file the program writes, tried against real faults: a file system
// that runs out of room, /dev/full, pipes, planted links, folders it may not
// write to.
#include "storage/FileWriter.h"
#include "support/ErrorOf.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
// The file's type and permission bits, the link itself for a link.
mode_t modeOf(const QString& path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st.st_mode;
}

class FileWriter : public ::testing::Test {
protected:
    QString at(const char* name) const { return dir.path() + QLatin1Char('/') + name; }
    // Everything in the folder, temporary files included.
    std::string entries() const
    {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
            .join(QLatin1Char(' '))
            .toStdString();
    }
    QTemporaryDir dir;
    const QByteArray old = "old content\r\n";
    const QByteArray fresh = QByteArray(3000, 'n');
};
} // namespace

TEST_F(FileWriter, AFullDiskLeavesTheOldFileByteForByte)
{
    const QString file = at("calendar.ics");
    // No byte taken; part of the content taken, then no more.
    for (const rlim_t room : {0, 1000}) {
        SCOPED_TRACE(testing::Message() << room << " bytes of room");
        writeBytes(file, old);
        {
            const FileSizeLimit full(room);
            EXPECT_EQ(errorTextOf([&] { WriteWholeFile(file, fresh); }), "61 File too large");
        }
        EXPECT_EQ(readBytes(file), old);
        EXPECT_EQ(entries(), "calendar.ics");
    }
    // A device that is full: written into, never replaced. Only a copy of the
    // system's node may be put at risk, and making one takes root.
    QString device = QStringLiteral("/dev/full");
    if (::geteuid() == 0) {
        device = at("full");
        ASSERT_EQ(::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 7)), 0);
    }
    EXPECT_EQ(errorTextOf([&] { WriteWholeFile(device, fresh); }), "61 Disk full");
    EXPECT_TRUE(S_ISCHR(modeOf(device)));
}

// Content handed over in pieces is written as one: all of it, or the old file.
TEST_F(FileWriter, PiecesAreOneFileOrNone)
{
    const QByteArray piece(600, 'p');
    const struct {
        const char* what;
        rlim_t room; // 0: no limit
        bool raises;
        const char* error;
    } rows[] = {{"all taken", 0, false, ""},
                {"the disk fills in a later piece", 1000, false, "61 File too large"},
                {"the pieces stop with an error", 0, true, "7 Out of memory"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const QString file = at("list.xml");
        writeBytes(file, old);
        auto write = [&] {
            WriteWholeFileInPieces(file, [&](const PieceWriter& put) {
                put(piece);
                put(QByteArrayView());
                if (r.raises)
                    throw Err::make(Err::OutOfMemory);
                put(piece);
            });
        };
        std::optional<FileSizeLimit> full;
        if (r.room)
            full.emplace(r.room);
        EXPECT_EQ(errorTextOf(write), r.error);
        full.reset();
        EXPECT_EQ(readBytes(file), *r.error ? old : piece + piece);
        EXPECT_EQ(entries(), "list.xml");
    }
}

TEST_F(FileWriter, TargetsThatAreNotPlainFiles)
{
    // A link to a file is written through; the link stays.
    writeBytes(at("real.xml"), old);
    ASSERT_TRUE(QFile::link(at("real.xml"), at("link.xml")));
    WriteWholeFile(at("link.xml"), fresh);
    EXPECT_TRUE(S_ISLNK(modeOf(at("link.xml"))));
    EXPECT_EQ(readBytes(at("real.xml")), fresh);

    // A pipe with a reader gets the bytes; one without a reader is told, not waited on.
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("pipe")).constData(), 0600), 0);
    EXPECT_EQ(errorTextOf([&] { WriteWholeFile(at("pipe"), old); }),
              "75 No program is reading from it");
    const int reader = ::open(QFile::encodeName(at("pipe")).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    WriteWholeFile(at("pipe"), old);
    char got[64] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), old.size());
    EXPECT_EQ(QByteArray(got), old);
    ::close(reader);
    EXPECT_TRUE(S_ISFIFO(modeOf(at("pipe"))));

    EXPECT_EQ(errorTextOf([&] { WriteWholeFile(dir.path(), old); }), "75 It is a folder");
    EXPECT_EQ(errorTextOf([&] { WriteWholeFile(at("no/such.ics"), old); }), "76 Path not found");
    EXPECT_EQ(errorTextOf([&] { WriteWholeFile(at("real.xml/x"), old); }), "76 Path not found");
}

TEST_F(FileWriter, PermissionsAndWhatAKilledSaveLeftBehind)
{
    const mode_t umaskWas = ::umask(022);
    WriteWholeFile(at("new.pdf"), fresh);
    EXPECT_EQ(modeOf(at("new.pdf")), S_IFREG | 0644u);
    ASSERT_EQ(::chmod(QFile::encodeName(at("new.pdf")).constData(), 0640), 0);
    WriteWholeFile(at("new.pdf"), old);
    EXPECT_EQ(modeOf(at("new.pdf")), S_IFREG | 0640u) << "a replaced file keeps its permissions";
    ::umask(umaskWas);

    // Strays of a killed save go at the next save of that file; one that a
    // save still under way holds stays, and so do other files' and the user's own.
    const QStringList kept = {".new.pdf.tmp-Held01", ".other.pdf.tmp-Abc123", "new.pdf.backup"};
    for (const QString& name : kept + QStringList{".new.pdf.tmp-Abc123", ".new.pdf.tmp-x9Z8y7"})
        writeBytes(dir.filePath(name), old);
    const int held = ::open(QFile::encodeName(dir.filePath(kept[0])).constData(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    WriteWholeFile(at("new.pdf"), fresh);
    ::close(held);
    EXPECT_EQ(entries(), ".new.pdf.tmp-Held01 .other.pdf.tmp-Abc123 new.pdf new.pdf.backup");
}

TEST_F(FileWriter, PrivateFilesAndFoldersFollowNoPlantedLink)
{
    writeBytes(at("victim"), old);
    // In another user's reach, a link where the private folder should be.
    ASSERT_TRUE(QFile::link(at("victim"), at("planted")));
    EXPECT_EQ(errorOf([&] { EnsurePrivateFolder(at("planted")); }), Err::PathFileAccess);
    ASSERT_TRUE(QDir().mkdir(at("open")));
    EXPECT_EQ(errorOf([&] { EnsurePrivateFolder(at("open")); }), Err::PathFileAccess)
        << "a folder others may enter is not private";

    const QString folder = EnsurePrivateFolder(at("mine"));
    EXPECT_EQ(modeOf(folder), S_IFDIR | 0700u);
    EXPECT_EQ(EnsurePrivateFolder(folder), folder) << "made once, used again";
    // A link in the private file's place is replaced, never written through.
    const QString picture = folder + QStringLiteral("/calendar_image.bmp");
    ASSERT_TRUE(QFile::link(at("victim"), picture));
    WriteWholeFile(picture, fresh, WriteMode::Private);
    EXPECT_EQ(readBytes(at("victim")), old);
    EXPECT_EQ(modeOf(picture), S_IFREG | 0600u);
    EXPECT_EQ(readBytes(picture), fresh);
}

// Root may write anywhere: the folder is tried as another user.
TEST_F(FileWriter, AFolderThatMayNotBeWrittenIsSaidSo)
{
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_TRUE(QDir().mkdir(at("locked")));
    const QString file = at("locked/myschedule.xml");
    writeBytes(file, old);
    ASSERT_EQ(::chmod(QFile::encodeName(at("locked")).constData(), 0555), 0);
    const bool asNobody = ::geteuid() == 0 && ::seteuid(65534) == 0;
    const std::string cause = errorTextOf([&] { WriteWholeFile(file, fresh); });
    ASSERT_TRUE(!asNobody || ::seteuid(0) == 0);
    EXPECT_EQ(cause, "70 Permission denied");
    EXPECT_EQ(readBytes(file), old);
    ::chmod(QFile::encodeName(at("locked")).constData(), 0755);
}
