// Saves the schedule file and the list file over and over, alternating two
// contents, until it is killed: the other side of the atomic-save test. A
// line after each completed pair tells the test that saving is under way.
// Usage: save_loop_child <folder> <padding>
#include "storage/ScheduleFile.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int padding = QByteArray(argv[2]).toInt();
    const QString xml[] = {
        QStringLiteral("<Schedule Title=\"Old\" Initials=\"O\" Description=\"%1\"></Schedule>")
            .arg(QString(padding, QLatin1Char('o'))),
        QStringLiteral("<Schedule Title=\"New\" Initials=\"N\" Description=\"%1\"></Schedule>")
            .arg(QString(padding, QLatin1Char('n')))};
    for (unsigned i = 0;; ++i) {
        const QString& text = xml[i % 2];
        WriteScheduleFile(folder + QStringLiteral("/myschedule.xml"), text);
        WriteScheduleList(folder + QStringLiteral("/mylist.xml"), {text, text});
        std::fputs("saved\n", stdout);
        std::fflush(stdout);
    }
}
