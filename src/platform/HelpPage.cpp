#include "platform/HelpPage.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString LocateDataItem(const QString& exeDir, const QString& name)
{
    const QString beside = exeDir + QLatin1Char('/') + name;
    if (QFileInfo::exists(beside))
        return beside;
    // Found from the executable's own place, so an install under any prefix
    // (a package, or cmake --install into a folder of one's own) finds its own.
    const QString installed =
        QDir::cleanPath(exeDir + QStringLiteral("/" TARNWELL_HELP_FROM_BINDIR "/") + name);
    if (QFileInfo::exists(installed))
        return installed;
    const QString relative = QStringLiteral(TARNWELL_DATA_SUBDIR "/") + name;
    for (const auto kind : {QStandardPaths::LocateFile, QStandardPaths::LocateDirectory}) {
        const QString shared =
            QStandardPaths::locate(QStandardPaths::GenericDataLocation, relative, kind);
        if (!shared.isEmpty())
            return shared;
    }
    // Opening this then names a place where it was looked for.
    return beside;
}

QString LocateHelpPage(const QString& exeDir)
{
    return LocateDataItem(exeDir, QStringLiteral("help.html"));
}
