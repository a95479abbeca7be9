#include "mainwindow/modTray.h"

#include "platform/Services.h"
#include "platform/widgets/ITray.h"

#include <QPainter>
#include <QPixmap>

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
    QIcon icon;
    for (int size : {16, 32, 64}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing, size > 16);
        const qreal u = size / 16.0;
        const QRectF page(0.5 * u, 1.5 * u, 15 * u, 14 * u);
        p.setPen(QPen(QColor(60, 60, 60), std::max<qreal>(1, 0.6 * u)));
        p.setBrush(Qt::white);
        p.drawRect(page);
        p.fillRect(QRectF(page.left(), page.top(), page.width(), 4 * u), QColor(200, 30, 30));
        // Three platoon colours in the grid, as the calendar paints them.
        const QColor colors[] = {QColor(220, 0, 0), QColor(0, 150, 0), QColor(20, 20, 20)};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                p.fillRect(QRectF(page.left() + (1 + c * 3.5) * u, page.top() + (5 + r * 3) * u,
                                  2.5 * u, 2 * u),
                           colors[(r * 4 + c) % 3]);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}
