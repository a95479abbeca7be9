#pragma once
#include <QString>

// Where a file or folder the program ships (`name`, relative to its data
// folder) is for an executable in exeDir: beside it (a build tree), else in
// the installed data folder next to its bin folder, else in the desktop's
// data folders. When none has it, the place beside the executable.
QString LocateDataItem(const QString& exeDir, const QString& name);
// The help page's path.
QString LocateHelpPage(const QString& exeDir);
