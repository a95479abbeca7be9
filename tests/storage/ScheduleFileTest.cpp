#include "storage/ScheduleFile.h"
#include "model/clsSchedule.h"
#include "storage/Module1Files.h"
#include "support/DataFiles.h"
#include "support/ErrorOf.h"
#include "support/Fakes.h"

#include <QDir>
#include <QStringEncoder>

namespace {
const QByteArray Line = readBytes(dataPath("model/data/default_schedule.xml")).trimmed();

// A text as a program that saves UTF-16 would save it, with its mark.
QByteArray utf16(const QByteArray& text)
{
    QStringEncoder encode(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return encode(QString::fromUtf8(text));
}

// Each test in a data folder of its own, made as the program makes it.
class ScheduleFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(EnsureAppFolder()); }
    ScopedFakeServices fakes;
};
} // namespace

TEST_F(ScheduleFile, EnsureAppFolderMakesMissingParents)
{
    ASSERT_TRUE(QDir(fakes.foldersFake->localAppData()).removeRecursively());
    EXPECT_TRUE(EnsureAppFolder());
    EXPECT_TRUE(QFileInfo(fakes.dataFolder()).isDir());
    EXPECT_TRUE(EnsureAppFolder()) << "an existing folder is fine";
    EXPECT_EQ(ScheduleListPath(), fakes.dataFolder() + QStringLiteral("/mylist.xml"));

    // A file in the folder's place cannot become the folder.
    fakes.foldersFake->baseName = QStringLiteral("Occupied");
    writeBytes(DataFolder(), "x");
    EXPECT_FALSE(EnsureAppFolder());
}

// The schedule line of a file, or what the user is told about it.
TEST_F(ScheduleFile, WhichFirstLineIsAccepted)
{
    // What, the file's content, what the user is told (null: the line is accepted).
    const std::tuple<const char*, QByteArray, const char*> rows[] = {
        {"only the first line counts", Line + "\r\n<Schedule other></Schedule>\r\n", nullptr},
        {"bare line feed", Line + "\nrest\n", nullptr},
        {"bare carriage return", Line + "\rrest", nullptr},
        {"no line end at all", Line, nullptr},
        {"leading space", " " + Line + "\r\n", "Its first line is not a schedule."},
        {"lower-case start", "<schedule></Schedule>\r\n", "Its first line is not a schedule."},
        {"empty first line", "\r\n" + Line + "\r\n", "Its first line is not a schedule."},
        {"end tag only on the second line", "<Schedule Title=\"T\">\r\n</Schedule>\r\n",
         "The schedule in it is cut short (it has no \"</Schedule>\")."},
        {"empty file", "", "The file is empty."},
        {"blanks only", " \r\n\r\n", "The file is empty."},
        {"UTF-16", utf16(Line + "\r\n"), "Its text is in an encoding this program does not read."},
        {"a NUL byte", Line + QByteArray(1, '\0') + "\r\n",
         "Its text is in an encoding this program does not read."},
    };
    for (const auto& [what, content, problem] : rows) {
        SCOPED_TRACE(what);
        writeBytes(ScheduleFilePath(), content);
        const ScheduleFileRead read = ReadScheduleFile(ScheduleFilePath());
        EXPECT_EQ(read.line.value_or("<none>"), problem ? "<none>" : QString::fromUtf8(Line));
        EXPECT_EQ(read.problem, QString::fromUtf8(problem));
    }
    // Files that cannot be read at all are told, not raised.
    EXPECT_EQ(ReadScheduleFile(fakes.dataFolder()).problem,
              QStringLiteral("It is a folder, not a file."));
    EXPECT_EQ(ReadScheduleFile(fakes.dataFolder() + QStringLiteral("/no/such.xml")).problem,
              QStringLiteral("It cannot be read (Path not found)."));
    // A device would be read for ever.
    EXPECT_EQ(ReadScheduleFile(QStringLiteral("/dev/zero")).problem,
              QStringLiteral("It cannot be read (Not a regular file)."));
}

// Files of older installations are Windows-1252; this program writes UTF-8.
TEST_F(ScheduleFile, TextEncodings)
{
    const QString title = QStringLiteral("Brigade de Montr\u00e9al \u20ac");
    const QByteArray ansi = "<Schedule Title=\"Brigade de Montr\xe9"
                            "al \x80\" Initials=\"\" "
                            "Description=\"\"></Schedule>\r\n";
    writeBytes(ScheduleFilePath(), ansi);
    auto line = ReadScheduleFile(ScheduleFilePath()).line;
    ASSERT_TRUE(line);
    clsSchedule s;
    s.setXml(*line);
    EXPECT_EQ(s.title(), title);

    s.setDescription(QStringLiteral("\u00e9t\u00e9"));
    WriteScheduleFile(ScheduleFilePath(), s.xml());
    EXPECT_EQ(readBytes(ScheduleFilePath()), s.xml().toUtf8() + "\r\n");
    line = ReadScheduleFile(ScheduleFilePath()).line;
    ASSERT_TRUE(line);
    EXPECT_EQ(*line, s.xml());
}

TEST_F(ScheduleFile, ListReadAndWrite)
{
    EXPECT_EQ(ReadScheduleList(ScheduleListPath()), QStringList()) << "a missing list is empty";

    const QString a =
        QStringLiteral("<Schedule Title=\"A\" Initials=\"\" Description=\"x\"></Schedule>");
    const QString b = DefaultSchedule()->xml();
    WriteScheduleList(ScheduleListPath(), {a, b});
    EXPECT_EQ(ReadScheduleList(ScheduleListPath()), QStringList({a, b}));

    // Other lines are dropped; wrapper lines are not required; bare LF works.
    writeBytes(ScheduleListPath(),
               "junk\n " + a.toUtf8() + "\n" + b.toUtf8() + "\n<Schedule\r\n\r\n");
    EXPECT_EQ(ReadScheduleList(ScheduleListPath()), QStringList({b, QStringLiteral("<Schedule")}));

    // A list longer than the pieces it is written in reads back whole.
    QStringList many;
    for (int i = 0; i < 5000; ++i)
        many << QStringLiteral("<Schedule Title=\"%1\" Description=\"\u00e9%2\"></Schedule>")
                    .arg(i)
                    .arg(QString(i % 500, QLatin1Char('x')));
    WriteScheduleList(ScheduleListPath(), many);
    EXPECT_EQ(ReadScheduleList(ScheduleListPath()), many);
}

// The list is read line by line as the whole text would read: one encoding
// for the whole file, the first line without its byte-order mark.
TEST(ScheduleListEntries, OneEncodingForTheWholeFile)
{
    const std::tuple<const char*, QByteArray, QStringList> rows[] = {
        {"mark skipped",
         "\xef\xbb\xbf<Schedule A>\r\n<Schedule B>",
         {"<Schedule A>", "<Schedule B>"}},
        {"every line end",
         "x\r<Schedule 1>\n\n<Schedule 2>\r\n\r<Schedule 3>",
         {"<Schedule 1>", "<Schedule 2>", "<Schedule 3>"}},
        {"Windows-1252", "<Schedule \xe9>\r\n", {QString::fromUtf8("<Schedule \u00e9>")}},
        {"one Windows-1252 line decodes them all",
         "<Schedule \xc3\xa9>\n<Schedule \xe9>\n",
         {QString::fromUtf8("<Schedule \u00c3\u00a9>"), QString::fromUtf8("<Schedule \u00e9>")}},
        {"a sequence cut by a line end",
         "<Schedule a\xc3\r\n\xa9\r\n<Schedule b>\r\n",
         {QString::fromUtf8("<Schedule a\u00c3"), "<Schedule b>"}},
        {"a sequence cut by the end of the file",
         "<Schedule a>\r\n<Schedule b\xc3",
         {"<Schedule a>", "<Schedule b"}},
    };
    for (const auto& [what, content, entries] : rows) {
        SCOPED_TRACE(what);
        EXPECT_EQ(ScheduleListEntriesOf(content), entries);
    }
}
