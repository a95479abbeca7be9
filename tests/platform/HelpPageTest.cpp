#include "platform/HelpPage.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// An executable's folder in a throw-away prefix, with the desktop's data
// folders pointed into the same place for the length of a test.
class HelpPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        savedHome = qgetenv("XDG_DATA_HOME");
        savedDirs = qgetenv("XDG_DATA_DIRS");
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("data-home")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(root.filePath("data-dirs")));
        ASSERT_TRUE(QDir().mkpath(exeDir()));
    }
    void TearDown() override
    {
        qputenv("XDG_DATA_HOME", savedHome);
        qputenv("XDG_DATA_DIRS", savedDirs);
    }

    QString exeDir() const { return root.filePath("prefix/bin"); }
    QString installedDir() const
    {
        return QDir::cleanPath(exeDir() + QStringLiteral("/" TARNWELL_HELP_FROM_BINDIR));
    }
    static QString putPage(const QString& dir)
    {
        QDir().mkpath(dir);
        const QString path = dir + QStringLiteral("/help.html");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<html></html>");
        return path;
    }

    QTemporaryDir root;
    QByteArray savedHome, savedDirs;
};
} // namespace

TEST_F(HelpPageTest, BuildTreeCopyBesideTheExecutableComesFirst)
{
    const QString beside = putPage(exeDir());
    putPage(installedDir());
    EXPECT_EQ(LocateHelpPage(exeDir()), beside);
}

TEST_F(HelpPageTest, InstalledCopyIsFoundFromTheExecutablesFolder)
{
    const QString installed = putPage(installedDir());
    putPage(root.filePath("data-home/" TARNWELL_DATA_SUBDIR));
    EXPECT_EQ(LocateHelpPage(exeDir()), installed);
}

TEST_F(HelpPageTest, DesktopDataFoldersAreTheLastResort)
{
    const QString shared = putPage(root.filePath("data-dirs/" TARNWELL_DATA_SUBDIR));
    EXPECT_EQ(LocateHelpPage(exeDir()), shared);
}

TEST_F(HelpPageTest, NoCopyAnywhereNamesThePlaceBesideTheExecutable)
{
    EXPECT_EQ(LocateHelpPage(exeDir()), exeDir() + QStringLiteral("/help.html"));
}
