#pragma once
// The rows of the Favorites window's two lists over the schedule list: the
// titles in alphabetical order ignoring case, the descriptions in file order,
// each text followed by its entry number. A row's text is made only when a
// view asks for it, so a long list costs its sort and little else.
#include <QAbstractListModel>
#include <QStyledItemDelegate>
#include <vector>

class QFontMetrics;
class ScheduleList;

class FavoriteRows : public QAbstractListModel {
    Q_OBJECT
public:
    enum class Shows { Titles, Descriptions };
    // Empty until refill().
    FavoriteRows(const ScheduleList& list, Shows shows, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The entry (1-based) on the row, and the row of the entry; 0 and -1
    // outside the list.
    int entryAt(int row) const;
    int rowOf(int entry) const;

    // Every entry anew.
    void refill();
    // The list's last entry is new and the others are as they were.
    void addLast();
    // The entry (1-based) has left the list; those after it moved up.
    void removed(int entry);

    // The rows that may be the widest in that font, by their characters'
    // widths, the widest first; at most `count`.
    std::vector<int> widestRows(const QFontMetrics& metrics, int count) const;

private:
    QString text(size_t entry) const;
    void appendKey(size_t entry);
    // Whether entry a's row comes before entry b's (both 0-based).
    bool before(int a, int b) const;
    void sortRows();

    const ScheduleList& list_;
    Shows shows_;
    // The entry (0-based) on each row, and each entry's row.
    std::vector<int> order_;
    std::vector<int> rowOf_;
    // Titles only: each entry's title folded for its order, one after
    // another, and where each starts; the number is compared as it stands.
    std::vector<char32_t> keys_;
    std::vector<size_t> starts_;
};

// Rows of one height, all as wide as the widest (the view asks for one row's
// size only, so a long list is not laid out row by row).
class FavoriteRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
