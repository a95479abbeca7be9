#include "platform/Services.h"

#include "platform/IClock.h"
#include "platform/IFolders.h"
#include "platform/ISettingsStore.h"
#include "platform/IShell.h"

namespace {
class NoShell : public IShell {
public:
    bool ShellOpen(const QString&, const Failed&) override { return false; }
};
} // namespace

Services& services()
{
    static Services s;
    return s;
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
