#pragma once
#include <QString>
#include <functional>

class IShell {
public:
    virtual ~IShell() = default;
    // Run when a handler that did start ends without having opened anything.
    // Desktop handlers can take seconds to give up, so nobody waits for them.
    using Failed = std::function<void()>;
    // Opens a document, folder or URL (http, mailto, file) with the desktop's
    // handler: false when none could be started; failed runs later if the
    // one started gives up.
    virtual bool ShellOpen(const QString& target, const Failed& failed = {}) = 0;
    // Offers the desktop's "Open With" chooser for a file; where there is
    // none, opens it with the desktop's handler.
    virtual bool OpenWithChooser(const QString& path, const Failed& failed = {})
    {
        return ShellOpen(path, failed);
    }
};
