#pragma once
// A notification area for tests: available or not as the test says, and
// records what the window asked of it.
#include "platform/widgets/ITray.h"

#include <QStringList>

class FakeTray : public ITray {
public:
    bool isAvailable() const override { return available; }
    void add(const QIcon&, const QString& tip, QMenu* menu,
             std::function<void(int)> onMessage) override
    {
        ++adds;
        lastTip = tip;
        contextMenu = menu;
        shown = true;
        callback = std::move(onMessage);
    }
    void remove() override { shown = false; }
    bool hasIcon() const override { return shown; }
    void popup(QMenu* menu) override { popups.push_back(menu); }
    // What a click on the icon would report.
    void click(int message)
    {
        if (callback)
            callback(message);
    }

    bool available = true;
    bool shown = false;
    int adds = 0;
    QString lastTip;
    QMenu* contextMenu = nullptr;
    std::vector<QMenu*> popups;
    std::function<void(int)> callback;
};
