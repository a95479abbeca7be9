#include "mainwindow/Module1.h"

#include "platform/MsgBox.h"
#include "platform/widgets/QtServices.h"

#include <QApplication>
#include <QMainWindow>

int Main(QApplication& app)
{
    installQtServices();
    QMainWindow w;
    w.setWindowTitle(AppTitle());
    w.resize(640, 480);
    w.show();
    return app.exec();
}
