#pragma once
// The program's one notification-area icon, through the tray service.
#include <QIcon>
#include <QString>
#include <functional>

class ITray;
class QMenu;

// The installed tray service; a desktop without one when nothing is installed.
ITray& trayService();

// Adds the icon with its context menu; clicks on it come back as mouse
// messages (513 left, 516 right).
void TrayAdd(const QIcon& icon, const QString& tip, QMenu* menu,
             std::function<void(int)> onMessage);
void TrayDelete();

// The program's icon, the one its menu entry installs.
QIcon AppIcon();
