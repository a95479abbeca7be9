#pragma once
// Errors shown to the user: the message of RuntimeError.h in a message box.
#include "platform/RuntimeError.h"

// Shows the message through the message-box service (OK button, application title).
void reportError(int number, const QString& description, const QString& procedure, UnitKind kind,
                 const QString& unit, int line = -1);
void reportError(const std::exception& e, const QString& procedure, UnitKind kind,
                 const QString& unit, int line = -1);

// Runs f; any error it raises is reported for the named routine. Returns false
// after an error. Keeps exceptions from crossing the event loop.
template <class F> bool guarded(const QString& procedure, UnitKind kind, const QString& unit, F&& f)
{
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        reportError(e, procedure, kind, unit);
    }
    return false;
}
