#include "platform/widgets/ITray.h"

#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

QtTray::QtTray() = default;
QtTray::~QtTray() = default;

bool QtTray::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTray::add(const QIcon& icon, const QString& tip, QMenu* menu,
                 std::function<void(int)> onMessage)
{
    onMessage_ = std::move(onMessage);
    if (!icon_) {
        icon_ = std::make_unique<QSystemTrayIcon>();
        QObject::connect(icon_.get(), &QSystemTrayIcon::activated,
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             if (!onMessage_)
                                 return;
                             // A double-click also reports Trigger first: one message is enough.
                             if (reason == QSystemTrayIcon::Trigger)
                                 onMessage_(LeftButtonDown);
                             else if (reason == QSystemTrayIcon::Context)
                                 onMessage_(RightButtonDown);
                         });
    }
    icon_->setIcon(icon);
    icon_->setToolTip(tip);
    // Hosts that show an icon's own menu on right-click get Show and Exit too.
    icon_->setContextMenu(menu);
    icon_->show();
}

void QtTray::remove()
{
    if (icon_)
        icon_->hide();
}

bool QtTray::hasIcon() const
{
    return icon_ && icon_->isVisible();
}

void QtTray::popup(QMenu* menu)
{
    if (menu)
        menu->popup(QCursor::pos());
}
