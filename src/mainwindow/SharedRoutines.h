#pragma once
// Module routines the windows share: the shell, and the wizard's guard of
// Create/Modify Schedule. Below the main window and the start-up module.
#include <QString>
#include <functional>

class QAction;
class QWidget;

// Hands a document, URL or mailto: address to the desktop shell. When nothing
// can open it, now or when the handler gives up later, runs `failed`.
void ShellOpen(const QString& target, const std::function<void()>& failed);

// Run by each wizard step window as it unloads, after it has shown the next
// step: Create/Modify Schedule (handed over by the main window that owns the
// wizard) is enabled, then disabled again while another step window is open.
void WizardMenuGuard(QWidget* form, QAction* createSchedule);
