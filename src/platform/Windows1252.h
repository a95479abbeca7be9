#pragma once
// The 8-bit code page of files and hashes made by older installations.
#include <QByteArray>
#include <QString>

namespace Windows1252 {
// The byte for a character, or -1 when the code page has none.
int byteFor(QChar c);
QChar charFor(unsigned char byte);
QString decode(const QByteArray& bytes);
// Characters the code page lacks become "?".
QByteArray encode(const QString& text);
} // namespace Windows1252
