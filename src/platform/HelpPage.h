#pragma once
#include <QString>

// The help page's path for an executable in exeDir: beside it (a build tree),
// else in the installed data folder next to its bin folder, else in the
// desktop's data folders. When none has it, the place beside the executable.
QString LocateHelpPage(const QString& exeDir);
