#include "platform/HelpPage.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString LocateHelpPage(const QString& exeDir)
{
    const QString beside = exeDir + QStringLiteral("/help.html");
    if (QFileInfo(beside).isFile())
        return beside;
    // Found from the executable's own place, so an install under any prefix
    // (a package, or cmake --install into a folder of one's own) opens its own page.
    const QString installed =
        QDir::cleanPath(exeDir + QStringLiteral("/" TARNWELL_HELP_FROM_BINDIR "/help.html"));
    if (QFileInfo(installed).isFile())
        return installed;
    const QString shared = QStandardPaths::locate(
        QStandardPaths::GenericDataLocation, QStringLiteral(TARNWELL_DATA_SUBDIR "/help.html"));
    if (!shared.isEmpty())
        return shared;
    // Opening this then names a place where the page was looked for.
    return beside;
}
