#pragma once
// One platoon of a shift: its code and colour as the calendar paints them.
//
// The stored text form is read by plain string search, without escaping:
// a value that contains a double quote, a vertical bar "|" or ">" cannot
// survive a write and a read. Callers must keep such characters out.
#include <QString>
#include <QStringList>
#include <cstdint>

class clsPlatoon {
public:
    // <Platoon Description="..." Code="..." Color="HEX"/>
    QString xml() const;
    // An empty text changes nothing. A missing attribute reads as empty and
    // is added to problems; a missing or non-hexadecimal Color then raises
    // type mismatch (13), the other fields read by then.
    void setXml(const QString& text, QStringList& problems);

    int32_t Color() const { return color_; }
    void setColor(int32_t v) { color_ = v; }
    QString Code() const { return code_; }
    void setCode(const QString& v) { code_ = v; }
    QString Description() const { return description_; }
    void setDescription(const QString& v) { description_ = v; }

private:
    QString description_ = QStringLiteral("Platoon");
    QString code_ = QStringLiteral(" ");
    int32_t color_ = 0;
};
