#pragma once
// The general module: program start and the single instance.
#include <QString>

class QApplication;
class QLockFile;

// Start-up: refuses a second running instance, then shows the main window.
// Returns the process exit code.
int Main(QApplication& app);

// Registers the extended common controls; Qt needs nothing, kept as the first step of Main.
void InitControls();

// The per-user lock file that keeps a second copy of the program from starting.
QString SingleInstanceLockPath();
// Takes the lock; a lock left behind by a crashed run is taken over.
bool AcquireSingleInstance(QLockFile& lock);
