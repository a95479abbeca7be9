#include "platform/widgets/QtServices.h"

#include "platform/Services.h"
#include "platform/widgets/IDialogs.h"
#include "platform/widgets/MsgBox.h"
#include "platform/widgets/OleColor.h"

#include <QApplication>
#include <QColorDialog>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusUnixFileDescriptor>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

int QtMessageBox::show(const QString& text, int buttons, int icon, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case Msg::Critical: box.setIcon(QMessageBox::Critical); break;
    case Msg::Question: box.setIcon(QMessageBox::Question); break;
    case Msg::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Msg::Information: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    using SB = QMessageBox::StandardButton;
    struct Pair {
        SB button;
        int answer;
    };
    static const Pair okOnly[] = {{SB::Ok, Msg::OK}};
    static const Pair okCancel[] = {{SB::Ok, Msg::OK}, {SB::Cancel, Msg::Cancel}};
    static const Pair abortRetryIgnore[] = {
        {SB::Abort, Msg::Abort}, {SB::Retry, Msg::Retry}, {SB::Ignore, Msg::Ignore}};
    static const Pair yesNoCancel[] = {
        {SB::Yes, Msg::Yes}, {SB::No, Msg::No}, {SB::Cancel, Msg::Cancel}};
    static const Pair yesNo[] = {{SB::Yes, Msg::Yes}, {SB::No, Msg::No}};
    static const Pair retryCancel[] = {{SB::Retry, Msg::Retry}, {SB::Cancel, Msg::Cancel}};
    const Pair* first = okOnly;
    const Pair* last = std::end(okOnly);
    auto use = [&](const auto& table) {
        first = std::begin(table);
        last = std::end(table);
    };
    switch (buttons) {
    case Msg::OKCancel: use(okCancel); break;
    case Msg::AbortRetryIgnore: use(abortRetryIgnore); break;
    case Msg::YesNoCancel: use(yesNoCancel); break;
    case Msg::YesNo: use(yesNo); break;
    case Msg::RetryCancel: use(retryCancel); break;
    default: break;
    }
    QMessageBox::StandardButtons all;
    for (const Pair* p = first; p != last; ++p)
        all |= p->button;
    box.setStandardButtons(all);
    box.setDefaultButton(first->button);
    const int pressed = box.exec();
    for (const Pair* p = first; p != last; ++p)
        if (p->button == pressed)
            return p->answer;
    // Closed with Escape or the close box: the cancelling answer of the set.
    for (const Pair* p = first; p != last; ++p)
        if (p->answer == Msg::Cancel)
            return Msg::Cancel;
    return (last - 1)->answer;
}

namespace {
bool openWithHandler(const QString& target, const IShell::Failed& failed)
{
    QUrl url(target);
    if (url.scheme().size() <= 1) // a plain path (or a drive letter)
        url = QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty())
        return QDesktopServices::openUrl(url);
    // xdg-open may take seconds to find that nothing can open the page ("no
    // method available", exit code 3): it is watched, never waited for, and
    // the window stays responsive meanwhile.
    auto* opener = new QProcess(qApp);
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, failed](int code, QProcess::ExitStatus status) {
                         opener->deleteLater();
                         if ((status != QProcess::NormalExit || code != 0) && failed)
                             failed();
                     });
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         opener->deleteLater();
                         if (failed)
                             failed();
                     });
    opener->start(xdgOpen, {url.toString(QUrl::FullyEncoded)});
    return true;
}
} // namespace

bool QtShell::ShellOpen(const QString& target, const Failed& failed)
{
    return openWithHandler(target, failed);
}

bool QtShell::OpenWithChooser(const QString& path, const Failed& failed)
{
    QFile file(path);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !file.open(QIODevice::ReadOnly))
        return ShellOpen(path, failed);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.OpenURI"), QStringLiteral("OpenFile"));
    call << QString() << QVariant::fromValue(QDBusUnixFileDescriptor(file.handle()))
         << QVariantMap{{QStringLiteral("ask"), true}};
    // Without a portal (or when it refuses) xdg-open takes over, all without
    // holding up the window.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000), qApp);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [watcher, path, failed] {
        watcher->deleteLater();
        if (watcher->isError() && !openWithHandler(path, failed) && failed)
            failed();
    });
    return true;
}

bool QtDialogs::chooseColor(QWidget* owner, int32_t initial, int32_t& chosen)
{
    const QColor c = QColorDialog::getColor(OleColor::toQColor(initial), owner, QString(),
                                            QColorDialog::DontUseNativeDialog);
    if (!c.isValid())
        return false;
    chosen = OleColor::fromQColor(c);
    return true;
}

QStringList SaveDialogFilters(const QString& filter)
{
    // The dialog filters by the last parenthesised group of an entry; with
    // the details hidden it shows what comes before it. Each entry is thus
    // its text as written, then the patterns it filters by.
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '))
            .replace(QLatin1Char(','), QLatin1Char(' '));
        const QString group = QStringLiteral(" (") + patterns + QLatin1Char(')');
        QString text = parts[i].trimmed();
        if (!text.endsWith(QLatin1Char(')')))
            text += group;
        entries << text + group;
    }
    return entries;
}

QString QtDialogs::saveFileName(QWidget* owner, const QString& caption, const QString& startPath,
                                const QString& filter)
{
    return QFileDialog::getSaveFileName(owner, caption, startPath,
                                        SaveDialogFilters(filter).join(QStringLiteral(";;")),
                                        nullptr, QFileDialog::HideNameFilterDetails);
}

QString QtDialogs::openFileName(QWidget* owner, const QString& caption, const QString& startPath,
                                const QString& filter)
{
    return QFileDialog::getOpenFileName(owner, caption, startPath,
                                        SaveDialogFilters(filter).join(QStringLiteral(";;")),
                                        nullptr, QFileDialog::HideNameFilterDetails);
}

IDialogs& dialogsService()
{
    auto& s = services();
    if (!s.dialogs)
        s.dialogs = std::make_shared<QtDialogs>();
    return *s.dialogs;
}

void installQtServices()
{
    auto& s = services();
    if (!s.messageBox)
        s.messageBox = std::make_shared<QtMessageBox>();
    if (!s.shell)
        s.shell = std::make_shared<QtShell>();
    if (!s.dialogs)
        s.dialogs = std::make_shared<QtDialogs>();
}
