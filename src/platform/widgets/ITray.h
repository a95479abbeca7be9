#pragma once
// The notification area behind a service: the desktop may have none (a bare
// X server, the offscreen platform), and tests must never touch a real one.
#include <QIcon>
#include <QString>
#include <functional>
#include <memory>

class QMenu;
class QSystemTrayIcon;

class ITray {
public:
    // Mouse messages the icon reports, with their classic numbers.
    enum Message { LeftButtonDown = 513, RightButtonDown = 516 };

    virtual ~ITray() = default;
    // Whether the desktop offers a notification area at all.
    virtual bool isAvailable() const = 0;
    // Shows the program's one icon with its context menu; clicks on it arrive
    // through onMessage.
    virtual void add(const QIcon& icon, const QString& tip, QMenu* menu,
                     std::function<void(int)> onMessage) = 0;
    virtual void remove() = 0;
    virtual bool hasIcon() const = 0;
    // Pops a menu up where the user clicked the icon.
    virtual void popup(QMenu* menu) = 0;
};

class QtTray : public ITray {
public:
    QtTray();
    ~QtTray() override;
    bool isAvailable() const override;
    void add(const QIcon& icon, const QString& tip, QMenu* menu,
             std::function<void(int)> onMessage) override;
    void remove() override;
    bool hasIcon() const override;
    void popup(QMenu* menu) override;

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    std::function<void(int)> onMessage_;
};

// A desktop without a notification area: never available, adds nothing.
class NoTray : public ITray {
public:
    bool isAvailable() const override { return false; }
    void add(const QIcon&, const QString&, QMenu*, std::function<void(int)>) override {}
    void remove() override {}
    bool hasIcon() const override { return false; }
    void popup(QMenu*) override {}
};
