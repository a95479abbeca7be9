#include "model/clsPlatoon.h"

#include "model/XmlText.h"

QString clsPlatoon::xml() const
{
    return QStringLiteral("<Platoon") +
           XmlText::attribute(QStringLiteral("Description"), description_) +
           XmlText::attribute(QStringLiteral("Code"), code_) +
           XmlText::attribute(QStringLiteral("Color"), XmlText::hexColor(color_)) +
           QStringLiteral("/>");
}

void clsPlatoon::setXml(const QString& text, QStringList& problems)
{
    if (text.isEmpty())
        return;
    // The whole platoon element is its start tag.
    const QString tag = XmlText::workingCopy(text);
    const QString unit = QStringLiteral("clsPlatoon");
    description_ = XmlText::GetValue(tag, QStringLiteral("Description"), unit, problems);
    code_ = XmlText::GetValue(tag, QStringLiteral("Code"), unit, problems);
    color_ =
        XmlText::parseHexColor(XmlText::GetValue(tag, QStringLiteral("Color"), unit, problems));
}
