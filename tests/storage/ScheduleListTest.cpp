// The favourites list and its file agree after every change, written or not.
#include "storage/ScheduleList.h"
#include "storage/Module1Files.h"
#include "storage/ScheduleFile.h"
#include "support/ErrorOf.h"
#include "support/Fakes.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"

namespace {
QString entry(const char* title, const char* description = "d")
{
    return QStringLiteral("<Schedule Title=\"%1\" Initials=\"\" Description=\"%2\"></Schedule>")
        .arg(QLatin1String(title), QLatin1String(description));
}

std::string titles(const ScheduleList& list)
{
    QStringList t;
    for (const clsSchedXml& e : list.Entries())
        t << e.GetTitle();
    return t.join(' ').toStdString();
}

class ScheduleListFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(EnsureAppFolder()); }
    ScopedFakeServices fakes;
};
} // namespace

TEST_F(ScheduleListFile, ChangesAreWrittenAtOnceAndReadBack)
{
    ScheduleList list(ScheduleListPath());
    EXPECT_FALSE(list.Unreadable()) << "a missing list is an empty one";
    for (const char* t : {"A", "B", "C"})
        list.Append(entry(t));
    EXPECT_EQ(list.Find("B", "d"), 2);
    EXPECT_EQ(list.Find("B", "other"), 0);
    list.Replace(1, entry("A2")); // goes last; the others move up
    list.Remove(1);
    EXPECT_EQ(titles(list), "C A2");
    EXPECT_EQ(titles(ScheduleList(ScheduleListPath())), "C A2");
    EXPECT_EQ(errorOf([&] { list.Remove(3); }), Err::SubscriptOutOfRange);
}

TEST_F(ScheduleListFile, AChangeTheFileDidNotTakeIsUndone)
{
    ScheduleList list(ScheduleListPath());
    list.Append(entry("A"));
    const QByteArray before = readBytes(ScheduleListPath());
    {
        const FileSizeLimit full(20);
        EXPECT_EQ(errorOf([&] { list.Append(entry("B")); }), Err::DiskFull);
        EXPECT_EQ(errorOf([&] { list.Remove(1); }), Err::DiskFull);
    }
    EXPECT_EQ(titles(list), "A");
    EXPECT_EQ(readBytes(ScheduleListPath()), before);

    // A list that cannot be read is never written over, whatever the change.
    writeBytes(ScheduleListPath(), QByteArray("\xff\xfe<\0S\0", 6));
    ScheduleList unreadable(ScheduleListPath());
    ASSERT_TRUE(unreadable.Unreadable());
    EXPECT_EQ(errorOf([&] { unreadable.Append(entry("C")); }), Err::PermissionDenied);
    EXPECT_EQ(readBytes(ScheduleListPath()), QByteArray("\xff\xfe<\0S\0", 6));
}

// Entries kept as the file's bytes read and write back as the decoded text
// would, whatever the file's encoding.
TEST_F(ScheduleListFile, AnEntryReadsAndWritesAsItsDecodedText)
{
    const std::pair<const char*, QByteArray> files[] = {
        {"UTF-8 with its mark, the highest character and a non-character",
         "\xef\xbb\xbf<Schedule Title=\"\xf4\x8f\xbf\xbf\xef\xbf\xbe\" Description=\"d\">\r\n"
         "\xef\xbb\xbf<Schedule Title=\"not an entry\">\n<Schedule Title=\"\xf0\x9f\x9a\x92\">"},
        {"Windows-1252", "<Schedule Title=\"\xe9\" Description=\"\x80\">\r\n"},
        {"UTF-8 cut at the end", "<Schedule Title=\"a\">\r<Schedule Title=\"\xc3"},
        {"an encoded surrogate", "<Schedule Title=\"\xed\xa0\x80\">\r\n"},
        {"a sequence too long", "<Schedule Title=\"\xc0\xaf\">\r\n"},
    };
    const QString added = entry("added");
    for (const auto& [what, content] : files) {
        SCOPED_TRACE(what);
        writeBytes(ScheduleListPath(), content);
        const QStringList decoded = ScheduleListEntriesOf(content).value();
        ScheduleList list(ScheduleListPath());
        ASSERT_EQ(list.Entries().size(), static_cast<size_t>(decoded.size()));
        for (qsizetype i = 0; i < decoded.size(); ++i) {
            clsSchedXml text;
            text.setXml(decoded[i]);
            const clsSchedXml& kept = list.Entries()[static_cast<size_t>(i)];
            EXPECT_EQ(kept.xml(), decoded[i]);
            EXPECT_EQ(kept.GetTitle(), text.GetTitle());
            EXPECT_EQ(kept.GetDescription(), text.GetDescription());
        }
        list.Append(added);
        const QByteArray written = readBytes(ScheduleListPath());
        WriteScheduleList(ScheduleListPath(), decoded + QStringList{added});
        EXPECT_EQ(written, readBytes(ScheduleListPath()));
    }
}
