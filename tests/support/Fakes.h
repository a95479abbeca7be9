#pragma once
// Test doubles of the core's services, and a fixture guard that installs
// them with a temporary settings file and data folder. The message box
// belongs to the windows: support/FakeMessageBox.h.
#include "platform/IClock.h"
#include "platform/IFolders.h"
#include "platform/ISettingsStore.h"
#include "platform/IShell.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

class FakeClock : public IClock {
public:
    QDateTime now() const override { return current; }
    void setToday(const QDate& d) { current = QDateTime(d, QTime(12, 0)); }
    QDateTime current{QDate(2026, 12, 6), QTime(12, 0)};
};

class FakeShell : public IShell {
public:
    bool ShellOpen(const QString& target, const Failed& failed) override
    {
        opened << target;
        lastFailed = failed;
        return result;
    }
    bool OpenWithChooser(const QString& path, const Failed& failed) override
    {
        openedWith << path;
        lastFailed = failed;
        return result;
    }
    // The last handler started gives up, as one can seconds later.
    void giveUp()
    {
        if (lastFailed)
            lastFailed();
    }
    QStringList opened;
    QStringList openedWith;
    Failed lastFailed;
    bool result = true;
};

class FakeFolders : public IFolders {
public:
    explicit FakeFolders(const QString& root) : root_(root) {}
    QString localAppData() const override { return root_ + QStringLiteral("/localappdata"); }
    QString tempPath() const override { return root_ + QStringLiteral("/tmp"); }
    QString exeBaseName() const override { return baseName; }
    QString baseName = QStringLiteral("TarnwellFree");

private:
    QString root_;
};

// Installs fresh doubles for one test and restores the previous services after it.
class ScopedFakeServices {
public:
    ScopedFakeServices() : saved_(services())
    {
        QDir().mkpath(dir.path() + QStringLiteral("/localappdata"));
        QDir().mkpath(dir.path() + QStringLiteral("/tmp"));
        auto& s = services();
        s.clock = clockFake;
        s.shell = shellFake;
        s.folders = foldersFake;
        settingsStore = std::shared_ptr<QtSettingsStore>(QtSettingsStore::onFile(settingsPath()));
        s.settings = settingsStore;
    }
    ~ScopedFakeServices() { services() = saved_; }
    QString settingsPath() const { return dir.path() + QStringLiteral("/settings.ini"); }
    QString dataFolder() const
    {
        return foldersFake->localAppData() + QLatin1Char('/') + foldersFake->exeBaseName();
    }
    // A new store on the same file, as the next run of the program would see it.
    void reopenSettings()
    {
        settingsStore->sync();
        settingsStore = std::shared_ptr<QtSettingsStore>(QtSettingsStore::onFile(settingsPath()));
        services().settings = settingsStore;
    }

    QTemporaryDir dir;
    std::shared_ptr<FakeClock> clockFake = std::make_shared<FakeClock>();
    std::shared_ptr<FakeShell> shellFake = std::make_shared<FakeShell>();
    std::shared_ptr<FakeFolders> foldersFake = std::make_shared<FakeFolders>(dir.path());
    std::shared_ptr<QtSettingsStore> settingsStore;

private:
    Services saved_;
};
