#pragma once
// The rows of the Notes for YYYY list: the entries of a year as the store
// gave them (by date, then Id), all of them or those of one kind. A cell's
// text is made only when a view asks for it, so a year of thousands of
// entries costs its read and little else.
#include "model/NoteEntry.h"
#include "session/NoteColors.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <array>
#include <optional>
#include <vector>

// The small square a kind's colour is shown in, beside its name.
QIcon KindSwatch(int32_t color);

class NoteRows : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { DateColumn, KindColumn, TextColumn, WithColumn, ColumnCount };

    NoteRows(const NoteColors& colors, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The entries anew, in the order they are to be shown.
    void setEntries(std::vector<NoteEntry> entries);
    // Only the entries of that kind; all of them with nothing.
    void setKind(std::optional<NoteKind> kind);

    // The entry on the row; nothing outside the rows.
    const NoteEntry* entryAt(int row) const;
    // The row that shows the entry of that Id, or -1.
    int rowOf(qint64 id) const;

    // The swatch the Kind column and the kind filter show.
    QIcon swatch(NoteKind kind) const { return swatches_[static_cast<size_t>(kind)]; }
    // The date as a row shows it: the locale's short date after the weekday.
    static QString shortDate(double day);

private:
    void select();

    std::vector<NoteEntry> entries_;
    // The entries (indices into entries_) on the rows.
    std::vector<int> shown_;
    std::optional<NoteKind> kind_;
    std::array<QIcon, AllNoteKinds.size()> swatches_;
    std::array<QString, AllNoteKinds.size()> colorNames_;
};
