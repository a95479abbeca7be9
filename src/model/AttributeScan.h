#pragma once
// Finds an attribute in a start tag written by this program's own writer:
// a space, the name, "=", the quote character, the value, the quote again.
// Only matches outside quoted values count, so a value that happens to hold
// another attribute's name (a title such as "Description=") cannot be taken
// for that attribute. Values never contain the quote character.
#include <QString>

namespace AttributeScan {
// Index (0-based) of the first character of the value, or -1 when the
// attribute does not occur at or after `from` outside a value.
qsizetype valueStart(QStringView tag, QStringView name, QChar quote, qsizetype from = 0);

// The value, or nothing when the attribute is missing or its closing quote is.
bool value(QStringView tag, QStringView name, QChar quote, QString* out, qsizetype from = 0);
} // namespace AttributeScan
