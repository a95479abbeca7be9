#include "model/clsShift.h"

#include "model/DayNumber.h"
#include "model/XmlText.h"
#include "platform/RuntimeError.h"

#include <cmath>
#include <limits>

namespace {
// Beyond this a day number is no calendar date and the day arithmetic would
// lose whole days; the classic date type ends at 31 December 9999 anyway.
constexpr double MaxDayMagnitude = 1.0e12;

// n(D): 1 January 1970 is day 1, so the reference date already uses the
// second character of the sequence.
int64_t dayIndex(double date)
{
    if (!std::isfinite(date) || std::fabs(date) > MaxDayMagnitude)
        throw Err::make(Err::Overflow);
    return static_cast<int64_t>(DayNumber::wholeDay(date)) -
           static_cast<int64_t>(DayNumber::Epoch1970) + 1;
}

// Only the ASCII digits name platoons; anything else is a day off.
int digitValue(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? c.unicode() - '0' : 0;
}
} // namespace

clsShift::clsShift() : platoons_(std::make_shared<PlatoonList>()) {}

void clsShift::setSequence(const QString& v)
{
    sequence_ = v;
    // A text longer than 32-bit positions cannot be held by QString here anyway.
    sequenceLength_ = static_cast<int32_t>(v.size());
}

void clsShift::setPlatoons(std::shared_ptr<PlatoonList> list)
{
    platoons_ = list ? std::move(list) : std::make_shared<PlatoonList>();
}

QString clsShift::xml() const
{
    QString text = QStringLiteral("<Shift") + XmlText::attribute(QStringLiteral("Title"), title_) +
                   XmlText::attribute(QStringLiteral("Initials"), initials_) +
                   XmlText::attribute(QStringLiteral("Description"), description_) +
                   XmlText::attribute(QStringLiteral("Sequence"), sequence_) + QLatin1Char('>');
    for (const auto& p : *platoons_)
        text += p->xml();
    text += QStringLiteral("</Shift>");
    return text;
}

void clsShift::setXml(const QString& text, QStringList& problems)
{
    if (text.isEmpty())
        return;
    const QString w = XmlText::workingCopy(text);
    const qsizetype p = w.indexOf(QStringLiteral("<Shift"));
    const qsizetype close = p < 0 ? -1 : w.indexOf(QLatin1Char('>'), p);
    // No start tag: the classic search from a failed position stops here too.
    if (close < 0)
        throw Err::make(Err::InvalidCall);
    const QString tag = w.mid(p, close - p);
    const QString unit = QStringLiteral("clsShift");
    title_ = XmlText::GetValue(tag, QStringLiteral("Title"), unit, problems);
    initials_ = XmlText::GetValue(tag, QStringLiteral("Initials"), unit, problems);
    description_ = XmlText::GetValue(tag, QStringLiteral("Description"), unit, problems);
    setSequence(XmlText::GetValue(tag, QStringLiteral("Sequence"), unit, problems));

    // Platoons read before a failure stay: the new list is in place first.
    platoons_ = std::make_shared<PlatoonList>();
    // The scan starts after the start tag, so a "<Platoon" inside a value is never taken.
    qsizetype pos = close;
    for (;;) {
        const qsizetype s = w.indexOf(QStringLiteral("<Platoon"), pos);
        if (s < 0)
            break;
        const qsizetype e = w.indexOf(QLatin1Char('>'), s);
        if (e < 0)
            throw Err::make(Err::InvalidCall);
        auto platoon = std::make_shared<clsPlatoon>();
        platoon->setXml(w.mid(s, e + 1 - s), problems);
        platoons_->Add(std::move(platoon));
        pos = e + 1;
    }
}

int clsShift::platoonAt(int index) const
{
    const int v = digitValue(sequence_.at(index - 1));
    return (v >= 1 && v <= platoons_->Count()) ? v : 0;
}

std::shared_ptr<clsPlatoon> clsShift::ONDuty(double date) const
{
    // Before the reference date the rotation is not defined; use its first day.
    const double d = date < DayNumber::Epoch1970 ? DayNumber::Epoch1970 : date;
    if (sequenceLength_ < 1)
        return std::make_shared<clsPlatoon>();
    const int64_t k = dayIndex(d) % sequenceLength_;
    const int v = platoonAt(static_cast<int>(k) + 1);
    if (v == 0)
        return std::make_shared<clsPlatoon>();
    return platoons_->Item(v);
}

int16_t clsShift::Pointer(double date) const
{
    if (sequenceLength_ < 1)
        throw Err::make(Err::DivisionByZero);
    // The remainder keeps the sign of the day index: dates before
    // 31 December 1969 give 0 or less, as callers have always seen.
    const int64_t r = dayIndex(date) % sequenceLength_ + 1;
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max())
        throw Err::make(Err::Overflow);
    return static_cast<int16_t>(r);
}

int16_t clsShift::GetKey(int index) const
{
    if (index < 1 || index > sequenceLength_)
        throw Err::make(Err::InvalidCall);
    return static_cast<int16_t>(platoonAt(index));
}
