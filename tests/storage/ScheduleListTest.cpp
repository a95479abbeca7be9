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
