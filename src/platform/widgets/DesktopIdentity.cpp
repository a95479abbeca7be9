#include "platform/widgets/DesktopIdentity.h"

#include <QString>

QIcon ProgramIcon()
{
    // The resources live in a static library: nothing else refers to them, so
    // without this the linker leaves them out.
    Q_INIT_RESOURCE(resources);
    QIcon icon;
    for (int size : {48, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}
