#pragma once
#include <QIcon>

// The id the menu entry is installed under: the desktop matches the program's
// windows to the entry (and its icon) by it.
inline constexpr const char* kDesktopFileId = TARNWELL_DESKTOP_ID;

// The program's icon (the installed one's PNG sizes), from the resources.
QIcon ProgramIcon();
