#include "mainwindow/Module1.h"
#include "platform/widgets/DesktopIdentity.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileId));
    return Main(app);
}
