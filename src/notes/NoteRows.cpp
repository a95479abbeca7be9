#include "notes/NoteRows.h"

#include "model/DayNumber.h"
#include "platform/widgets/OleColor.h"

#include <QLocale>
#include <QPainter>
#include <QPixmap>

// Outlined, so that a pale colour still shows on a selected or white row.
QIcon KindSwatch(int32_t color)
{
    QPixmap p(12, 12);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(OleColor::toQColor(color));
    painter.drawRect(0, 0, 11, 11);
    painter.end();
    return QIcon(p);
}

namespace {
// A row is one line: a text typed over several shows them side by side.
QString oneLine(const QString& text)
{
    QString line = text;
    for (QChar& c : line)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    return line;
}
} // namespace

NoteRows::NoteRows(const NoteColors& colors, QObject* parent) : QAbstractTableModel(parent)
{
    for (NoteKind kind : AllNoteKinds) {
        swatches_[static_cast<size_t>(kind)] = KindSwatch(colors.Color(kind));
        colorNames_[static_cast<size_t>(kind)] = OleColor::ColorName(colors.Color(kind));
    }
}

int NoteRows::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int NoteRows::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString NoteRows::shortDate(double day)
{
    const QDate date = DayNumber::toDate(day);
    const QLocale locale;
    return locale.dayName(date.dayOfWeek(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(date, QLocale::ShortFormat);
}

QVariant NoteRows::data(const QModelIndex& index, int role) const
{
    const NoteEntry* e = index.isValid() ? entryAt(index.row()) : nullptr;
    if (!e)
        return QVariant();
    const size_t kind = static_cast<size_t>(e->Kind());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case DateColumn: return shortDate(e->Date());
        case KindColumn: return NoteKindName(e->Kind());
        case TextColumn: return oneLine(e->Text());
        case WithColumn: return e->Person();
        }
        break;
    case Qt::DecorationRole:
        if (index.column() == KindColumn && kind < swatches_.size())
            return swatches_[kind];
        break;
    case Qt::ToolTipRole:
        // A long text is cut at the column's edge.
        if (index.column() == TextColumn && !e->Text().isEmpty())
            return e->Text();
        break;
    case Qt::AccessibleTextRole:
        // The focus stays on the first cell as the keys move from row to
        // row: that cell says the whole row, the date as a date is spoken.
        if (index.column() == DateColumn) {
            QString row = QLocale().toString(DayNumber::toDate(e->Date()), QLocale::LongFormat) +
                          QStringLiteral(", ") + NoteKindName(e->Kind());
            if (!e->Text().isEmpty())
                row += QStringLiteral(", ") + oneLine(e->Text());
            if (!e->Person().isEmpty())
                row += QStringLiteral(", with ") + e->Person();
            return row;
        }
        break;
    case Qt::AccessibleDescriptionRole:
        if (index.column() == KindColumn && kind < colorNames_.size())
            return colorNames_[kind];
        break;
    }
    return QVariant();
}

QVariant NoteRows::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case DateColumn: return QStringLiteral("Date");
    case KindColumn: return QStringLiteral("Kind");
    case TextColumn: return QStringLiteral("Text");
    case WithColumn: return QStringLiteral("With");
    }
    return QVariant();
}

void NoteRows::setEntries(std::vector<NoteEntry> entries)
{
    beginResetModel();
    entries_ = std::move(entries);
    select();
    endResetModel();
}

void NoteRows::setKind(std::optional<NoteKind> kind)
{
    beginResetModel();
    kind_ = kind;
    select();
    endResetModel();
}

void NoteRows::select()
{
    shown_.clear();
    shown_.reserve(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i)
        if (!kind_ || entries_[i].Kind() == *kind_)
            shown_.push_back(static_cast<int>(i));
}

const NoteEntry* NoteRows::entryAt(int row) const
{
    if (row < 0 || row >= static_cast<int>(shown_.size()))
        return nullptr;
    return &entries_[static_cast<size_t>(shown_[static_cast<size_t>(row)])];
}

int NoteRows::rowOf(qint64 id) const
{
    for (size_t row = 0; row < shown_.size(); ++row)
        if (entries_[static_cast<size_t>(shown_[row])].Id() == id)
            return static_cast<int>(row);
    return -1;
}
