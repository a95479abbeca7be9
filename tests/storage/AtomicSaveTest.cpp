// A process killed while it saves leaves every file whole: the old content
// or the new, never a torn or empty one.
#include "support/FileBytes.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <sys/types.h>

TEST(AtomicSave, KilledWhileSavingLeavesOldOrNewContentWhole)
{
    QTemporaryDir dir;
    const int padding = 200000; // long enough for a kill to land mid-write
    // The two contents, as the file formats lay them out.
    QByteArray schedule[2], list[2];
    for (int k = 0; k < 2; ++k) {
        const QByteArray title = k ? "New" : "Old"; // its initial, and lower case the padding
        const QByteArray xml = "<Schedule Title=\"" + title + "\" Initials=\"" + title.left(1) +
                               "\" Description=\"" + QByteArray(padding, title.toLower()[0]) +
                               "\"></Schedule>";
        schedule[k] = xml + "\r\n";
        list[k] = "<Tarnwell_Schedules>\r\n" + xml + "\r\n" + xml + "\r\n</Tarnwell_Schedules>\r\n";
    }
    const QString schedulePath = dir.path() + QStringLiteral("/myschedule.xml");
    const QString listPath = dir.path() + QStringLiteral("/mylist.xml");
    writeBytes(schedulePath, schedule[0]);
    writeBytes(listPath, list[0]);

    for (int round = 0; round < 220; ++round) {
        QProcess child;
        child.start(QStringLiteral(TARNWELL_SAVE_LOOP_CHILD),
                    {dir.path(), QString::number(padding)});
        // Only once a whole save is done: a kill before the first one would
        // test nothing, and on a loaded machine a fixed delay can land there.
        ASSERT_TRUE(child.waitForReadyRead(60000));
        // Somewhere in one of the saves that follow.
        QThread::usleep(QRandomGenerator::global()->bounded(20000u));
        ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), SIGKILL), 0);
        child.waitForFinished(10000);
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << "the child must die by the kill";
        const QByteArray s = readBytes(schedulePath), l = readBytes(listPath);
        ASSERT_TRUE(s == schedule[0] || s == schedule[1])
            << "round " << round << ": schedule file of " << s.size() << " bytes";
        ASSERT_TRUE(l == list[0] || l == list[1])
            << "round " << round << ": list file of " << l.size() << " bytes";
    }
}
