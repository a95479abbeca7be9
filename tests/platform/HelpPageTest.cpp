#include "platform/HelpPage.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QTemporaryDir>

// Which copy is opened: beside the executable (the build tree), installed
// relative to it, then the desktop's data folders.
TEST(HelpPage, NearestCopyWins)
{
    // An executable's folder in a throw-away prefix, the desktop's data folders beside it.
    QTemporaryDir root;
    const QString exeDir = root.filePath("prefix/bin");
    const QByteArray savedHome = qgetenv("XDG_DATA_HOME"), savedDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("data-home")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(root.filePath("data-dirs")));
    const QString places[] = {exeDir, QDir::cleanPath(exeDir + "/" TARNWELL_HELP_FROM_BINDIR),
                              root.filePath("data-home/" TARNWELL_DATA_SUBDIR),
                              root.filePath("data-dirs/" TARNWELL_DATA_SUBDIR)};
    // None anywhere: the place beside is named. Then copies are added from the
    // farthest place on, and each new one is nearer than those before it.
    EXPECT_EQ(LocateHelpPage(exeDir), exeDir + "/help.html");
    for (int i = 3; i >= 0; --i) {
        ASSERT_TRUE(QDir().mkpath(places[i]));
        writeBytes(places[i] + "/help.html", "<html></html>");
        EXPECT_EQ(LocateHelpPage(exeDir), places[i] + "/help.html") << i;
    }
    qputenv("XDG_DATA_HOME", savedHome);
    qputenv("XDG_DATA_DIRS", savedDirs);
}
