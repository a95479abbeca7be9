#include "exports/CommandLine.h"
#include "mainwindow/Module1.h"
#include "platform/widgets/DesktopIdentity.h"
#include "storage/FileWriter.h"

#include <QApplication>

int main(int argc, char** argv)
{
    ReserveStandardStreams();
    // Commands for scripts run without a window system.
    if (CommandLine::wantsCommand(argc, argv))
        return CommandLine::run(argc, argv);
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileId));
    return Main(app);
}
