#include "platform/HelpPage.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QTemporaryDir>

// Where copies lie and which one is opened: beside the executable (the build
// tree), installed relative to it, then the desktop's data folders.
TEST(HelpPage, NearestCopyWins)
{
    // An executable's folder in a throw-away prefix, with the desktop's data
    // folders pointed into the same place.
    QTemporaryDir root;
    const QString exeDir = root.filePath("prefix/bin");
    ASSERT_TRUE(QDir().mkpath(exeDir));
    const QByteArray savedHome = qgetenv("XDG_DATA_HOME"), savedDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("data-home")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(root.filePath("data-dirs")));
    enum Place { Beside = 1, Installed = 2, DataHome = 4, DataDirs = 8 };
    const QString places[] = {exeDir, QDir::cleanPath(exeDir + "/" TARNWELL_HELP_FROM_BINDIR),
                              root.filePath("data-home/" TARNWELL_DATA_SUBDIR),
                              root.filePath("data-dirs/" TARNWELL_DATA_SUBDIR)};
    // What, the places holding a copy, the place opened (none: the place beside).
    for (const auto& [what, present, expected] :
         {std::tuple{"build tree first", Beside | Installed, 0},
          {"installed before the desktop's", Installed | DataHome, 1},
          {"desktop's folders last", DataDirs, 3},
          {"none anywhere", 0, 0}}) {
        SCOPED_TRACE(what);
        for (int i = 0; i < 4; ++i) {
            QFile::remove(places[i] + QStringLiteral("/help.html"));
            if (present & (1 << i) && QDir().mkpath(places[i]))
                writeBytes(places[i] + QStringLiteral("/help.html"), "<html></html>");
        }
        EXPECT_EQ(LocateHelpPage(exeDir), places[expected] + QStringLiteral("/help.html"));
    }
    qputenv("XDG_DATA_HOME", savedHome);
    qputenv("XDG_DATA_DIRS", savedDirs);
}
