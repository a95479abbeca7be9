#include "mainwindow/Module1.h"

#include "mainwindow/CalSettings.h"
#include "mainwindow/frmCal.h"
#include "mainwindow/modTray.h"
#include "platform/IFolders.h"
#include "platform/IShell.h"
#include "platform/MsgBox.h"
#include "platform/RuntimeError.h"
#include "platform/Services.h"
#include "platform/widgets/ITray.h"
#include "platform/widgets/FirstPaintQuit.h"
#include "platform/widgets/QtServices.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QLockFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <cmath>
#include <memory>

namespace {
const QString kModule = QStringLiteral("Module1");

double screenDpi(bool horizontal)
{
    const QScreen* s = QGuiApplication::primaryScreen();
    const double dpi =
        s ? (horizontal ? s->logicalDotsPerInchX() : s->logicalDotsPerInchY()) : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

int toPixels(double twips, double tpp)
{
    return static_cast<int>(std::lround(twips / tpp));
}
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

double TwipsPerPixelX()
{
    return 1440.0 / screenDpi(true);
}
double TwipsPerPixelY()
{
    return 1440.0 / screenDpi(false);
}

void SaveFormSizePos(QWidget& form)
{
    if (form.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    using CalSettings::Edge;
    const QString name = form.objectName();
    // Left and Top are the frame's place; Width and Height the window's own size,
    // so that restoring does not grow the window by its frame on every run.
    CalSettings::writePosition(name, Edge::Left, form.x() * TwipsPerPixelX());
    CalSettings::writePosition(name, Edge::Top, form.y() * TwipsPerPixelY());
    CalSettings::writePosition(name, Edge::Width, form.width() * TwipsPerPixelX());
    CalSettings::writePosition(name, Edge::Height, form.height() * TwipsPerPixelY());
}

void RestoreFormSizePos(QWidget& form)
{
    if (form.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    using CalSettings::Edge;
    const QString name = form.objectName();
    const double tx = TwipsPerPixelX();
    const double ty = TwipsPerPixelY();
    // Moving a window at all, even to where it is, takes its placement away
    // from the window manager: only stored values that differ are applied.
    const double left = CalSettings::readPosition(name, Edge::Left, form.x() * tx);
    if (toPixels(left, tx) != form.x())
        form.move(toPixels(left, tx), form.y());
    const double top = CalSettings::readPosition(name, Edge::Top, form.y() * ty);
    if (toPixels(top, ty) != form.y())
        form.move(form.x(), toPixels(top, ty));
    const double width = CalSettings::readPosition(name, Edge::Width, form.width() * tx);
    form.resize(std::max(1, toPixels(width, tx)), form.height());
    const double height = CalSettings::readPosition(name, Edge::Height, form.height() * ty);
    form.resize(form.width(), std::max(1, toPixels(height, ty)));
}

void ShellOpen(const QString& target)
{
    shell().ShellOpen(target);
}

void WizardMenuGuard(QWidget* form)
{
    frmCal* cal = frmCal::Current();
    if (!cal)
        return;
    QAction* create = cal->MenuAction(QStringLiteral("mnuFileCreateSchedule"));
    if (!create)
        return;
    create->setEnabled(true);
    const QString self = form ? form->objectName() : QString();
    static const QStringList steps = {QStringLiteral("frmPlatoons"), QStringLiteral("frmRotation"),
                                      QStringLiteral("frmOnDuty")};
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (steps.contains(w->objectName()) && w->isVisible() && w->objectName() != self)
            create->setEnabled(false);
    }
}

int Main(QApplication& app)
{
    try {
        InitControls();
        installQtServices();
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
