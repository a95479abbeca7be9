#pragma once
// What the main window's source files share: its name in error messages,
// the error reporting of its routines and the clock's idle caption.
#include "platform/widgets/ReportError.h"
#include "platform/widgets/Steps.h"
#include "session/CalSettings.h"

#include <QString>
#include <exception>
#include <utility>

namespace calform {
inline const QString kForm = QStringLiteral("frmCal");
inline const QString kTimeCaption = QStringLiteral("Time");

inline void report(const std::exception& e, const char* procedure, int line = -1)
{
    reportError(e, QString::fromLatin1(procedure), UnitKind::Form, kForm, line);
}

template <class F> void handled(const char* procedure, F&& f)
{
    guarded(QString::fromLatin1(procedure), UnitKind::Form, kForm, std::forward<F>(f));
}

inline Steps formSteps(const char* procedure, Steps::AfterError after = Steps::AfterError::Stop)
{
    return Steps(QString::fromLatin1(procedure), UnitKind::Form, kForm, after);
}

// Reports a settings value that cannot be read under the reading routine's step.
inline CalSettings::ReadError reportAt(const char* procedure, int line)
{
    return [procedure, line](const std::exception& e) { report(e, procedure, line); };
}
} // namespace calform
