// An empty main window that quits after its first paint: the yardstick that
// bench_startup measures the program's own start against.
#include "platform/widgets/FirstPaintQuit.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Empty"));
    window.resize(760, 600);
    FirstPaintQuit quit;
    quit.watchIfRequested(&window);
    window.show();
    return app.exec();
}
