#include "model/clsSchedXml.h"

#include "model/AttributeScan.h"

namespace {
// Starts after "<Schedule", as the stored texts always begin with it.
constexpr qsizetype AfterScheduleWord = 9;

// Only the schedule's start tag is searched: a schedule text without its own
// Title never hands out the first shift's.
QString lookUp(const QString& text, const QString& name)
{
    const qsizetype close = text.indexOf(QLatin1Char('>'), AfterScheduleWord);
    const QStringView tag = QStringView(text).left(close < 0 ? text.size() : close);
    QString v;
    AttributeScan::value(tag, name, QLatin1Char('"'), &v, AfterScheduleWord);
    return v;
}
} // namespace

QString clsSchedXml::GetTitle() const
{
    if (!title_)
        title_ = lookUp(xml_, QStringLiteral("Title"));
    return *title_;
}

QString clsSchedXml::GetDescription() const
{
    if (!description_)
        description_ = lookUp(xml_, QStringLiteral("Description"));
    return *description_;
}
