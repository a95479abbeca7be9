#include "platform/ISettingsStore.h"

#include <QDateTime>
#include <QFile>
#include <QSettings>

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
