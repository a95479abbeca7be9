#include "model/NoteEntry.h"

#include "model/DayNumber.h"

#include <QDate>
#include <cmath>

QString NoteKindName(NoteKind kind)
{
    switch (kind) {
    case NoteKind::Note: return QStringLiteral("Note");
    case NoteKind::Leave: return QStringLiteral("Leave");
    case NoteKind::Trade: return QStringLiteral("Trade");
    case NoteKind::Overtime: return QStringLiteral("Overtime");
    case NoteKind::Sick: return QStringLiteral("Sick");
    }
    return QString();
}

std::optional<NoteKind> NoteKindFromName(const QString& name)
{
    for (NoteKind kind : AllNoteKinds)
        if (name.compare(NoteKindName(kind), Qt::CaseInsensitive) == 0)
            return kind;
    return std::nullopt;
}

NoteEntry::NoteEntry(double date, NoteKind kind, const QString& text, const QString& person)
    : kind_(kind), text_(text), person_(person)
{
    setDate(date);
}

void NoteEntry::setDate(double v)
{
    date_ = std::isfinite(v) ? DayNumber::wholeDay(v) : v;
}

int CharacterCount(const QString& text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++count;
    }
    return count;
}

QString NoteEntry::Summary() const
{
    QString line = NoteKindName(kind_);
    if (kind_ == NoteKind::Trade && !person_.trimmed().isEmpty())
        line += QStringLiteral(" with ") + person_.trimmed();
    if (!text_.trimmed().isEmpty())
        line += QStringLiteral(": ") + text_.trimmed();
    return line;
}

QString NoteEntry::Problem() const
{
    // The years the program's dates cover; the file keeps the day as an
    // integer, which a day number far outside cannot become.
    static const double first = DayNumber::fromDate(QDate(100, 1, 1));
    static const double last = DayNumber::fromDate(QDate(9999, 12, 31));
    if (!(date_ >= first && date_ <= last))
        return QStringLiteral("The date lies outside the years 100 to 9999.");
    if (NoteKindName(kind_).isEmpty())
        return QStringLiteral("The entry is of no known kind (%1).").arg(static_cast<int>(kind_));
    const int length = CharacterCount(text_);
    if (length > MaxTextLength)
        return QStringLiteral("The text holds %1 characters; an entry takes at most %2.")
            .arg(length)
            .arg(MaxTextLength);
    if (kind_ != NoteKind::Trade && !person_.isEmpty())
        return QStringLiteral("Only a Trade names another person; this %1 entry names \"%2\".")
            .arg(NoteKindName(kind_), person_);
    return QString();
}

bool NoteEntry::operator==(const NoteEntry& o) const
{
    return id_ == o.id_ && date_ == o.date_ && kind_ == o.kind_ && text_ == o.text_ &&
           person_ == o.person_;
}
