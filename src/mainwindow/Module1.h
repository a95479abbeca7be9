#pragma once
class QApplication;

// Start-up: refuses a second running instance, then shows the main window.
// Returns the process exit code.
int Main(QApplication& app);
