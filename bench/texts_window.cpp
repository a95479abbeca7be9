// The second yardstick of bench_startup: a plain main window with what the
// calendar window shows at its first paint, drawn the plain way: the same
// menu bar and seven texts in seven sizes of the calendar's face. What the
// program costs beyond this is its own doing, not the texts'.
#include "platform/widgets/FirstPaintQuit.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>

namespace {
class Texts : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        // Title, month, weekdays, day numbers, legend, description, clock.
        const std::pair<int, const char*> texts[] = {
            {22, "Tolvar Fire Department"},
            {16, "December 2026"},
            {12, "M T W T F S S"},
            {14, "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27"},
            {18, "A Platoon  B Platoon  C Platoon"},
            {15, "24-Hour Shift"},
            {9, "12:00:00"}};
        int y = 0;
        for (const auto& [size, text] : texts) {
            QFont f(QStringLiteral("DejaVu Sans Mono"), size, QFont::Bold);
            p.setFont(f);
            y += QFontMetrics(f).height();
            p.drawText(8, y, QString::fromLatin1(text));
        }
    }
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Texts"));
    window.resize(760, 600);
    for (const char* caption : {"&File", "&View", "F&avorites", "&Window", "&Help", "Debug"}) {
        QMenu* m = window.menuBar()->addMenu(QString::fromLatin1(caption));
        m->addAction(QStringLiteral("Item"));
    }
    window.menuBar()->addAction(QStringLiteral("&Time"));
    window.setCentralWidget(new Texts);
    FirstPaintQuit quit;
    quit.watchIfRequested(&window);
    window.show();
    return app.exec();
}
