#include "storage/Module1Files.h"

#include "platform/IFolders.h"
#include "platform/RuntimeError.h"
#include "platform/Services.h"
#include "storage/FileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

QString GetSpecialFolder(int folder)
{
    if (folder == CSIDL_LOCAL_APPDATA)
        return folders().localAppData();
    return QString();
}

QString DataFolder()
{
    return GetSpecialFolder(CSIDL_LOCAL_APPDATA) + QLatin1Char('/') + folders().exeBaseName();
}

bool FileExists(const QString& path)
{
    QString p = path;
    if (p.endsWith(QLatin1Char('/')) || p.endsWith(QLatin1Char('\\')))
        p.chop(1);
    if (p.isEmpty() || QFileInfo(p).isDir())
        return false;
    QFile f(p);
    return f.open(QIODevice::ReadOnly);
}

bool EnsureAppFolder()
{
    const QString path = DataFolder();
    if (QFileInfo(path).isDir())
        return true;
    // Unlike the single-level classic routine, missing parents are made too:
    // a fresh account may not have its local data root yet.
    return QDir().mkpath(path);
}

QString UserTempFolder()
{
    QString base = folders().tempPath();
    if (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return EnsurePrivateFolder(base + QLatin1Char('/') + folders().exeBaseName() +
                               QLatin1Char('-') + QString::number(::geteuid()));
}

QString GetTempDir()
{
    try {
        return UserTempFolder() + QLatin1Char('/');
    } catch (const RuntimeError&) {
        return QString();
    }
}
