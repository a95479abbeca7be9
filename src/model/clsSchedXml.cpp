#include "model/clsSchedXml.h"

#include "model/AttributeScan.h"

namespace {
// Starts after "<Schedule", as the stored texts always begin with it.
constexpr qsizetype AfterScheduleWord = 9;
} // namespace

QString clsSchedXml::xml() const
{
    if (bytes_.isNull())
        return xml_;
    return QString::fromUtf8(QByteArrayView(bytes_).sliced(at_, length_));
}

void clsSchedXml::setXml(const QString& text)
{
    xml_ = text;
    bytes_ = QByteArray();
    at_ = length_ = 0;
    title_.reset();
    description_.reset();
}

void clsSchedXml::setUtf8(const QByteArray& bytes, qsizetype at, qsizetype length)
{
    xml_ = QString();
    bytes_ = bytes;
    at_ = at;
    length_ = length;
    title_.reset();
    description_.reset();
}

void clsSchedXml::appendUtf8(QByteArray& out) const
{
    if (bytes_.isNull())
        out += xml_.toUtf8();
    else
        out += QByteArrayView(bytes_).sliced(at_, length_);
}

// Only the schedule's start tag is searched: a schedule text without its own
// Title never hands out the first shift's. Of a text kept as bytes only that
// tag is decoded ("<Schedule" is as long in bytes as in characters).
QString clsSchedXml::lookUp(const QString& name) const
{
    QString start;
    QStringView tag;
    if (bytes_.isNull()) {
        const qsizetype close = xml_.indexOf(QLatin1Char('>'), AfterScheduleWord);
        tag = QStringView(xml_).left(close < 0 ? xml_.size() : close);
    } else {
        const QByteArrayView text = QByteArrayView(bytes_).sliced(at_, length_);
        const qsizetype close = text.indexOf('>', AfterScheduleWord);
        start = QString::fromUtf8(text.first(close < 0 ? text.size() : close));
        tag = start;
    }
    QString v;
    AttributeScan::value(tag, name, QLatin1Char('"'), &v, AfterScheduleWord);
    return v;
}

QString clsSchedXml::GetTitle() const
{
    if (!title_)
        title_ = lookUp(QStringLiteral("Title"));
    return *title_;
}

QString clsSchedXml::GetDescription() const
{
    if (!description_)
        description_ = lookUp(QStringLiteral("Description"));
    return *description_;
}
