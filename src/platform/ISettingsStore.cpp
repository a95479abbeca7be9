#include "platform/ISettingsStore.h"

#include <QDateTime>
#include <QFile>
#include <QSettings>
#include <QStringDecoder>

namespace {
// QSettings reports only what its parser trips over; lines of plain text,
// NUL bytes or random bytes parse "fine" and the next write would drop them.
bool looksDamaged(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return false;
    if (!bytes.endsWith('\n')) // cut off mid-line; every write ends its lines
        return true;
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError() || text.contains(QChar(0)))
        return true;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')))
            continue;
        if (line.indexOf(QLatin1Char('=')) > 0)
            continue;
        return true;
    }
    return false;
}
} // namespace

QtSettingsStore::QtSettingsStore(const QString& appName)
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, appName,
                                            appName))
{
    checkOnOpen();
}

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> s) : settings_(std::move(s))
{
    checkOnOpen();
}

std::unique_ptr<QtSettingsStore> QtSettingsStore::onFile(const QString& iniPath)
{
    return std::unique_ptr<QtSettingsStore>(
        new QtSettingsStore(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)));
}

QtSettingsStore::~QtSettingsStore() = default;

void QtSettingsStore::checkOnOpen()
{
    damaged_ = settings_->status() == QSettings::FormatError;
    QFile file(settings_->fileName());
    if (!damaged_ && file.open(QIODevice::ReadOnly))
        damaged_ = looksDamaged(file.readAll());
}

void QtSettingsStore::backUpIfDamaged()
{
    if (!damaged_ || !backupPath_.isEmpty())
        return;
    const QString src = settings_->fileName();
    QString dst = src + QStringLiteral(".damaged");
    if (QFile::exists(dst))
        dst = src + QStringLiteral(".damaged-")
              + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (QFile::copy(src, dst))
        backupPath_ = dst;
    else
        backupPath_ = QStringLiteral("?"); // tried once; never block the write on it
}

QString QtSettingsStore::GetSetting(const QString& section, const QString& key,
                                    const QString& defaultValue)
{
    const QString full = section + QLatin1Char('/') + key;
    if (!settings_->contains(full))
        return defaultValue;
    return settings_->value(full).toString();
}

void QtSettingsStore::SaveSetting(const QString& section, const QString& key, const QString& value)
{
    backUpIfDamaged();
    settings_->setValue(section + QLatin1Char('/') + key, value);
}

void QtSettingsStore::sync() { settings_->sync(); }

QString QtSettingsStore::fileName() const { return settings_->fileName(); }
