#pragma once
#include <QString>

class IShell {
public:
    virtual ~IShell() = default;
    // Opens a document, folder or URL (http, mailto, file) with the desktop's handler.
    virtual bool ShellOpen(const QString& target) = 0;
    // Offers the desktop's "Open With" chooser for a file; where there is
    // none, opens it with the desktop's handler.
    virtual bool OpenWithChooser(const QString& path) { return ShellOpen(path); }
};
