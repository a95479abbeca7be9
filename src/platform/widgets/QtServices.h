#pragma once
// The desktop implementations of the message box, shell and dialogs.
#include "platform/IShell.h"
#include "platform/widgets/IMessageBox.h"

class QtMessageBox : public IMessageBox {
public:
    int show(const QString& text, int buttons, int icon, const QString& title) override;
};

// Through xdg-open where there is one, so that a desktop with no program for
// the document says so instead of reporting success.
class QtShell : public IShell {
public:
    bool ShellOpen(const QString& target, const Failed& failed = {}) override;
    // The desktop portal's chooser (ask=true), else xdg-open.
    bool OpenWithChooser(const QString& path, const Failed& failed = {}) override;
};

// Installs the Qt message box, shell and dialogs into services() where none is
// installed yet: a test that starts the program through Main keeps its doubles.
void installQtServices();
