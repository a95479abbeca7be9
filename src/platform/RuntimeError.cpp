#include "platform/RuntimeError.h"

#include <new>

RuntimeError::RuntimeError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), number_(number), description_(description)
{
}

namespace Err {
QString description(int number)
{
    switch (number) {
    case InvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case Overflow: return QStringLiteral("Overflow");
    case OutOfMemory: return QStringLiteral("Out of memory");
    case SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case DivisionByZero: return QStringLiteral("Division by zero");
    case TypeMismatch: return QStringLiteral("Type mismatch");
    case BadFileNameOrNumber: return QStringLiteral("Bad file name or number");
    case FileNotFound: return QStringLiteral("File not found");
    case FileAlreadyOpen: return QStringLiteral("File already open");
    case DeviceIO: return QStringLiteral("Device I/O error");
    case DiskFull: return QStringLiteral("Disk full");
    case InputPastEnd: return QStringLiteral("Input past end of file");
    case PermissionDenied: return QStringLiteral("Permission denied");
    case PathFileAccess: return QStringLiteral("Path/File access error");
    case PathNotFound: return QStringLiteral("Path not found");
    case InvalidPropertyValue: return QStringLiteral("Invalid property value");
    case SetNotSupportedAtRuntime: return QStringLiteral("Set not supported at runtime");
    case SetNotSupportedReadOnly: return QStringLiteral("Set not supported (read-only property)");
    case SetNotPermitted: return QStringLiteral("Set not permitted");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

RuntimeError make(int number)
{
    return RuntimeError(number, description(number));
}
RuntimeError make(int number, const QString& desc)
{
    return RuntimeError(number, desc);
}
} // namespace Err

QString unitKindName(UnitKind kind)
{
    switch (kind) {
    case UnitKind::Form: return QStringLiteral("Form");
    case UnitKind::Module: return QStringLiteral("Module");
    case UnitKind::ClassModule: return QStringLiteral("Class Module");
    case UnitKind::UserControl: return QStringLiteral("User Control");
    }
    return {};
}

QString errorMessage(int number, const QString& description, const QString& procedure,
                     UnitKind kind, const QString& unit, int line)
{
    QString text = QStringLiteral("Error %1 (%2)").arg(number).arg(description);
    if (line >= 0)
        text += QStringLiteral(" in line %1").arg(line);
    text += QStringLiteral(" in procedure %1 of %2 %3").arg(procedure, unitKindName(kind), unit);
    return text;
}

QString errorMessage(const std::exception& e, const QString& procedure, UnitKind kind,
                     const QString& unit, int line)
{
    if (auto* re = dynamic_cast<const RuntimeError*>(&e))
        return errorMessage(re->number(), re->description(), procedure, kind, unit, line);
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return errorMessage(Err::OutOfMemory, Err::description(Err::OutOfMemory), procedure, kind,
                            unit, line);
    return errorMessage(Err::InvalidCall, QString::fromLocal8Bit(e.what()), procedure, kind, unit,
                        line);
}
