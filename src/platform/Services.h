#pragma once
// The one place where the logic finds its desktop services. The program
// installs the Qt implementations at start; tests install doubles.
#include <memory>

class IMessageBox;
class ISettingsStore;
class IClock;
class IShell;
class IFolders;
class IDialogs;
class ITray;
class IPrinters;

struct Services {
    std::shared_ptr<IMessageBox> messageBox; // message boxes (windows library)
    std::shared_ptr<ISettingsStore> settings;
    std::shared_ptr<IClock> clock;
    std::shared_ptr<IShell> shell;
    std::shared_ptr<IFolders> folders;
    std::shared_ptr<IDialogs> dialogs; // colour, file and print dialogs (windows library)
    std::shared_ptr<ITray> tray;       // notification area (windows library)
    std::shared_ptr<IPrinters> printers; // printer and print dialogs (windows library)
};

// The current services. Core defaults: the system clock, the real folders;
// no settings store until one is installed or first asked for.
Services& services();

ISettingsStore& settingsStore(); // creates the user's store on first use
IClock& clockService();
IFolders& folders();
IShell& shell();
