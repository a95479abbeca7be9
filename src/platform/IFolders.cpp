#include "platform/IFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString QtFolders::localAppData() const
{
    QString p = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p;
}

QString QtFolders::tempPath() const
{
    // The session's runtime folder is the user's own; /tmp is shared.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString p = !runtime.isEmpty() && QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p;
}

QString QtFolders::exeBaseName() const
{
    QString name;
    if (QCoreApplication::instance())
        name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return name.isEmpty() ? QStringLiteral("TarnwellFree") : name;
}
