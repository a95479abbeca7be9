#include "platform/Services.h"

#include "platform/IClock.h"
#include "platform/IFolders.h"
#include "platform/IMessageBox.h"
#include "platform/ISettingsStore.h"
#include "platform/IShell.h"
#include "platform/MsgBox.h"

#include <cstdio>

namespace {
// Used only when no window system service has been installed.
class StderrMessageBox : public IMessageBox {
public:
    int show(const QString& text, int buttons, int, const QString& title) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
        switch (buttons) {
        case Msg::YesNo:
        case Msg::YesNoCancel: return Msg::Yes;
        case Msg::RetryCancel: return Msg::Cancel;
        case Msg::AbortRetryIgnore: return Msg::Abort;
        default: return Msg::OK;
        }
    }
};

class NoShell : public IShell {
public:
    bool ShellOpen(const QString&) override { return false; }
};
} // namespace

Services& services()
{
    static Services s;
    return s;
}

IMessageBox& messageBox()
{
    auto& s = services();
    if (!s.messageBox)
        s.messageBox = std::make_shared<StderrMessageBox>();
    return *s.messageBox;
}

IClock& clockService()
{
    auto& s = services();
    if (!s.clock)
        s.clock = std::make_shared<SystemClock>();
    return *s.clock;
}

IFolders& folders()
{
    auto& s = services();
    if (!s.folders)
        s.folders = std::make_shared<QtFolders>();
    return *s.folders;
}

ISettingsStore& settingsStore()
{
    auto& s = services();
    if (!s.settings)
        s.settings = std::make_shared<QtSettingsStore>(folders().exeBaseName());
    return *s.settings;
}

IShell& shell()
{
    auto& s = services();
    if (!s.shell)
        s.shell = std::make_shared<NoShell>();
    return *s.shell;
}

QString AppTitle() { return QStringLiteral("Tarnwell Free"); }

int MsgBox(const QString& prompt, int style, const QString& title)
{
    return messageBox().show(prompt, Msg::buttonsOf(style), Msg::iconOf(style),
                             title.isEmpty() ? AppTitle() : title);
}
