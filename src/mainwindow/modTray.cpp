#include "mainwindow/modTray.h"

#include "platform/Services.h"
#include "platform/widgets/DesktopIdentity.h"
#include "platform/widgets/ITray.h"

ITray& trayService()
{
    auto& s = services();
    if (!s.tray)
        s.tray = std::make_shared<NoTray>();
    return *s.tray;
}

void TrayAdd(const QIcon& icon, const QString& tip, QMenu* menu, std::function<void(int)> onMessage)
{
    trayService().add(icon, tip, menu, std::move(onMessage));
}

void TrayDelete()
{
    trayService().remove();
}

QIcon AppIcon()
{
    return ProgramIcon();
}
