#pragma once
// The general module: program start, the single instance and the shell.
#include <QString>

class QApplication;
class QLockFile;
class QWidget;

// Start-up: refuses a second running instance, then shows the main window.
// Returns the process exit code.
int Main(QApplication& app);

// Registers the extended common controls; Qt needs nothing, kept as the first step of Main.
void InitControls();

// The per-user lock file that keeps a second copy of the program from starting.
QString SingleInstanceLockPath();
// Takes the lock; a lock left behind by a crashed run is taken over.
bool AcquireSingleInstance(QLockFile& lock);

// Hands a document, URL or mailto: address to the desktop shell; false when
// nothing could open it.
bool ShellOpen(const QString& target);

// Called by each wizard step window as it unloads: Create/Modify Schedule is
// enabled again unless another step window of the wizard is still open.
void WizardMenuGuard(QWidget* form);
