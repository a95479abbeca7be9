#pragma once
// Test doubles of the desktop services, and a fixture guard that installs
// them with a temporary settings file and data folder.
#include "platform/IClock.h"
#include "platform/IFolders.h"
#include "platform/IMessageBox.h"
#include "platform/ISettingsStore.h"
#include "platform/IShell.h"
#include "platform/MsgBox.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

struct ShownMessage {
    QString text;
    int buttons;
    int icon;
    QString title;
};

// Records every message; answers from a script, else the first button of the set.
// Like a real modal box it runs an event loop of its own before it answers, so
// a box opened where that would be unsafe misbehaves in tests as it would for users.
class FakeMessageBox : public IMessageBox {
public:
    int show(const QString& text, int buttons, int icon, const QString& title) override
    {
        shown.push_back({text, buttons, icon, title});
        if (whileOpen)
            whileOpen(shown.back());
        if (QCoreApplication::instance()) {
            QEventLoop loop;
            QTimer::singleShot(0, &loop, &QEventLoop::quit);
            loop.exec();
        }
        if (!answers.empty()) {
            const int a = answers.front();
            answers.pop_front();
            return a;
        }
        return Msg::firstAnswerOf(buttons);
    }
    QStringList texts() const
    {
        QStringList l;
        for (const auto& m : shown)
            l << m.text;
        return l;
    }
    std::vector<ShownMessage> shown;
    std::deque<int> answers;
    std::function<void(const ShownMessage&)> whileOpen; // runs as the box opens
};

class FakeClock : public IClock {
public:
    QDateTime now() const override { return current; }
    void setToday(const QDate& d) { current = QDateTime(d, QTime(12, 0)); }
    QDateTime current{QDate(2026, 12, 6), QTime(12, 0)};
};

class FakeShell : public IShell {
public:
    bool ShellOpen(const QString& target) override
    {
        opened << target;
        return result;
    }
    QStringList opened;
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
        s.messageBox = messages;
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
    std::shared_ptr<FakeMessageBox> messages = std::make_shared<FakeMessageBox>();
    std::shared_ptr<FakeClock> clockFake = std::make_shared<FakeClock>();
    std::shared_ptr<FakeShell> shellFake = std::make_shared<FakeShell>();
    std::shared_ptr<FakeFolders> foldersFake = std::make_shared<FakeFolders>(dir.path());
    std::shared_ptr<QtSettingsStore> settingsStore;

private:
    Services saved_;
};
