#include "mainwindow/Module1.h"

#include "mainwindow/frmCal.h"
#include "mainwindow/modTray.h"
#include "platform/IFolders.h"
#include "platform/RuntimeError.h"
#include "platform/Services.h"
#include "platform/widgets/FirstPaintQuit.h"
#include "platform/widgets/ITray.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/QtServices.h"
#include "platform/widgets/ReportError.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>
#include <memory>

namespace {
const QString kModule = QStringLiteral("Module1");
} // namespace

void InitControls() {}

QString SingleInstanceLockPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::tempPath();
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("LOGNAME", QStringLiteral("user"));
    return dir + QLatin1Char('/') + folders().exeBaseName() + QLatin1Char('-') + user +
           QStringLiteral(".lock");
}

bool AcquireSingleInstance(QLockFile& lock)
{
    // Any age counts as stale once its process is gone: a crashed run never locks us out.
    lock.setStaleLockTime(0);
    return lock.tryLock(100);
}

int Main(QApplication& app)
{
    try {
        InitControls();
        installQtServices();
        if (!services().tray)
            services().tray = std::make_shared<QtTray>();
        app.setWindowIcon(AppIcon());

        QLockFile lock(SingleInstanceLockPath());
        // Only a lock held by another running copy means one is running; a
        // folder we cannot write to must not keep the user out of the program.
        if (!AcquireSingleInstance(lock) && lock.error() == QLockFile::LockFailedError) {
            MsgBox(AppTitle() + QStringLiteral(" is already running"), Msg::Information,
                   QStringLiteral("Previous Instance"));
            return 0;
        }

        auto form = std::make_unique<frmCal>();
        // The window ends the program itself once unloaded: while it sits in the
        // tray no window is visible, so "last window closed" cannot be relied on.
        QObject::connect(form.get(), &frmCal::Unloaded, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        FirstPaintQuit firstPaint;
        firstPaint.watchIfRequested(form.get());
        form->show();
        const int rc = app.exec();
        form.reset();
        // The tray icon is a Qt object: it must go before the application does.
        services().tray.reset();
        return rc;
    } catch (const std::exception& e) {
        reportError(e, QStringLiteral("Main"), UnitKind::Module, kModule);
    }
    return 1;
}
