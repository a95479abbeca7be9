#include "exports/CommandLine.h"
#include "mainwindow/Module1.h"
#include "platform/widgets/DesktopIdentity.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Commands for scripts run without a window system.
    if (CommandLine::wantsCommand(arguments))
        return CommandLine::run(argc, argv);
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileId));
    return Main(app);
}
