#include "model/clsSchedXml.h"

#include "model/AttributeScan.h"

namespace {
// The schedule's own attributes come first; starting after "<Schedule" keeps
// a shift's Title or Description from ever being found.
constexpr qsizetype AfterScheduleWord = 9;

QString lookUp(const QString& text, const QString& name)
{
    QString v;
    AttributeScan::value(text, name, QLatin1Char('"'), &v, AfterScheduleWord);
    return v;
}
} // namespace

QString clsSchedXml::GetTitle() const { return lookUp(xml_, QStringLiteral("Title")); }

QString clsSchedXml::GetDescription() const { return lookUp(xml_, QStringLiteral("Description")); }
