#pragma once
#include <QString>

class IShell {
public:
    virtual ~IShell() = default;
    // Opens a document, folder or URL (http, mailto, file) with the desktop's handler.
    virtual bool ShellOpen(const QString& target) = 0;
};
