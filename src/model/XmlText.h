#pragma once
// Pieces shared by the readers and writers of the schedule's text form.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace XmlText {
// The reader's working copy: every double quote turned into "|".
QString workingCopy(const QString& text);
// ` Name="value"`
QString attribute(const QString& name, const QString& value);
// Upper-case hexadecimal without leading zeros; negative values as their
// 32-bit two's complement, so every value reads back the same.
QString hexColor(int32_t color);
// The inverse of hexColor. Type mismatch (13) for an empty or non-hexadecimal
// text, overflow (6) beyond 32 bits.
int32_t parseHexColor(const QString& text);
// The field reader of the three model classes, on a working copy. A missing
// attribute reads as empty and adds an error of GetValue in `unit`, as the
// user is to be told it, to the read's problems.
QString GetValue(const QString& startTag, const QString& name, const QString& unit,
                 QStringList& problems);
} // namespace XmlText
