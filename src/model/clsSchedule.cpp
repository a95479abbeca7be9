#include "model/clsSchedule.h"

#include "model/XmlText.h"
#include "platform/RuntimeError.h"

clsSchedule::clsSchedule() : shifts_(std::make_shared<ShiftList>()) {}

void clsSchedule::setShifts(std::shared_ptr<ShiftList> list)
{
    shifts_ = list ? std::move(list) : std::make_shared<ShiftList>();
}

QString clsSchedule::xml() const
{
    QString text =
        QStringLiteral("<Schedule") + XmlText::attribute(QStringLiteral("Title"), title_) +
        XmlText::attribute(QStringLiteral("Initials"), initials_) +
        XmlText::attribute(QStringLiteral("Description"), description_) + QLatin1Char('>');
    for (const auto& s : *shifts_)
        text += s->xml();
    text += QStringLiteral("</Schedule>");
    return text;
}

void clsSchedule::setXml(const QString& text)
{
    readProblems_.clear();
    if (text.isEmpty())
        return;
    const QString w = XmlText::workingCopy(text);
    const qsizetype p = w.indexOf(QStringLiteral("<Schedule"));
    if (p < 0)
        return;
    const qsizetype close = w.indexOf(QLatin1Char('>'), p);
    // A start tag cut short: refuse the text before anything changes.
    if (close < 0)
        throw Err::make(Err::InvalidCall);
    const QString tag = w.mid(p, close - p);
    const QString unit = QStringLiteral("clsSchedule");
    title_ = XmlText::GetValue(tag, QStringLiteral("Title"), unit, readProblems_);
    initials_ = XmlText::GetValue(tag, QStringLiteral("Initials"), unit, readProblems_);
    description_ = XmlText::GetValue(tag, QStringLiteral("Description"), unit, readProblems_);

    // Shifts is replaced only when every shift has been read.
    auto list = std::make_shared<ShiftList>();
    static const QString endTag = QStringLiteral("</Shift>");
    qsizetype pos = close + 1;
    for (;;) {
        const qsizetype s = w.indexOf(QStringLiteral("<Shift"), pos);
        if (s < 0)
            break;
        const qsizetype e = w.indexOf(endTag, s);
        if (e < 0)
            throw Err::make(Err::InvalidCall);
        auto shift = std::make_shared<clsShift>();
        shift->setXml(w.mid(s, e + endTag.size() - s), readProblems_);
        list->Add(std::move(shift));
        pos = e + endTag.size();
    }
    shifts_ = std::move(list);
}
