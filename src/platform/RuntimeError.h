#pragma once
// Errors carry the classic runtime number and description so that every
// routine that catches one can show the same message the users know.
#include <QString>
#include <stdexcept>

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString& description);
    int number() const { return number_; }
    QString description() const { return description_; }

private:
    int number_;
    QString description_;
};

namespace Err {
enum Number {
    InvalidCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    FileAlreadyOpen = 55,
    DeviceIO = 57,
    DiskFull = 61,
    InputPastEnd = 62,
    PermissionDenied = 70,
    PathFileAccess = 75,
    PathNotFound = 76,
    InvalidPropertyValue = 380,
    SetNotSupportedAtRuntime = 382,
    SetNotSupportedReadOnly = 383,
    SetNotPermitted = 387,
};

// The standard description of a runtime error number.
QString description(int number);
RuntimeError make(int number);
RuntimeError make(int number, const QString& description);
} // namespace Err

// Where the failing routine lives, as the message names it.
enum class UnitKind { Form, Module, ClassModule, UserControl };
QString unitKindName(UnitKind kind);

// "Error N (description)[ in line L] in procedure P of Kind Unit".
QString errorMessage(int number, const QString& description, const QString& procedure,
                     UnitKind kind, const QString& unit, int line = -1);

// The same for any error caught: a RuntimeError's own number, else 7 for
// memory and 5 with the error's text.
QString errorMessage(const std::exception& e, const QString& procedure, UnitKind kind,
                     const QString& unit, int line = -1);
