#pragma once
// The per-user settings store. Every value is text: decimal numbers, and
// "True"/"False" for booleans, so files written by any version read back alike.
#include <QString>
#include <memory>

class QSettings;

class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    virtual QString GetSetting(const QString& section, const QString& key,
                               const QString& defaultValue = QString()) = 0;
    virtual void SaveSetting(const QString& section, const QString& key, const QString& value) = 0;
    virtual void sync() {}
};

// INI file through QSettings. Opening a damaged file keeps a copy of it
// aside before the first write, because QSettings would otherwise rewrite it
// with only the part it could parse and the user's settings would be lost.
class QtSettingsStore : public ISettingsStore {
public:
    // The user's store for the given application (executable base name).
    explicit QtSettingsStore(const QString& appName);
    // A store on an explicit INI file (tests, portable use).
    static std::unique_ptr<QtSettingsStore> onFile(const QString& iniPath);
    ~QtSettingsStore() override;

    QString GetSetting(const QString& section, const QString& key,
                       const QString& defaultValue = QString()) override;
    void SaveSetting(const QString& section, const QString& key, const QString& value) override;
    void sync() override;

    QString fileName() const;
    bool wasDamaged() const { return damaged_; }
    // Where the damaged file was copied, once it has been.
    QString backupPath() const { return backupPath_; }

private:
    explicit QtSettingsStore(std::unique_ptr<QSettings> s);
    void checkOnOpen();
    void backUpIfDamaged();

    std::unique_ptr<QSettings> settings_;
    bool damaged_ = false;
    QString backupPath_;
};
