#include "platform/widgets/ReportError.h"

#include "platform/widgets/MsgBox.h"

void reportError(int number, const QString& description, const QString& procedure, UnitKind kind,
                 const QString& unit, int line)
{
    MsgBox(errorMessage(number, description, procedure, kind, unit, line), Msg::OKOnly);
}

void reportError(const std::exception& e, const QString& procedure, UnitKind kind,
                 const QString& unit, int line)
{
    MsgBox(errorMessage(e, procedure, kind, unit, line), Msg::OKOnly);
}
