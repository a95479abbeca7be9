// An empty main window that quits after its first paint: the yardstick that
// bench_startup measures the program's own start against.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>

namespace {
class FirstPaintQuit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !armed_) {
            armed_ = true;
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool armed_ = false;
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Empty"));
    window.resize(760, 600);
    FirstPaintQuit quit;
    if (qEnvironmentVariableIntValue("TARNWELL_EXIT_AFTER_FIRST_PAINT") == 1)
        window.installEventFilter(&quit);
    window.show();
    return app.exec();
}
