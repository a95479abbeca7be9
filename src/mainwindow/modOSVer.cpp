#include "mainwindow/modOSVer.h"

#include "mainwindow/modTray.h"
#include "platform/widgets/ITray.h"

bool IsWindowsXP()
{
    return trayService().isAvailable();
}
