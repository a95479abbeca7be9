#include "favorites/FavoriteRows.h"

#include "storage/ScheduleList.h"

#include <QFontMetrics>
#include <algorithm>
#include <charconv>
#include <numeric>
#include <string_view>

namespace {
std::u32string_view view(const FavoriteRows::Key& key, size_t from = 0,
                         size_t to = std::u32string_view::npos)
{
    return std::u32string_view(key.data(), key.size()).substr(from, to - from);
}

// The entry number as its row shows it.
std::string_view digits(size_t entry, char (&buffer)[24])
{
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, entry).ptr;
    return std::string_view(buffer, static_cast<size_t>(end - buffer));
}
} // namespace

FavoriteRows::FavoriteRows(const ScheduleList& list, Shows shows, QObject* parent)
    : QAbstractListModel(parent), list_(list), shows_(shows)
{
}

int FavoriteRows::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

QVariant FavoriteRows::data(const QModelIndex& index, int role) const
{
    const int entry = entryAt(index.row());
    if (role != Qt::DisplayRole || !index.isValid() || entry < 1)
        return QVariant();
    return text(static_cast<size_t>(entry)) + QString::number(entry);
}

int FavoriteRows::entryAt(int row) const
{
    if (row < 0 || row >= static_cast<int>(order_.size()))
        return 0;
    return order_[static_cast<size_t>(row)] + 1;
}

int FavoriteRows::rowOf(int entry) const
{
    if (entry < 1 || entry > static_cast<int>(rowOf_.size()))
        return -1;
    return rowOf_[static_cast<size_t>(entry - 1)];
}

QString FavoriteRows::text(size_t entry) const
{
    const clsSchedXml& e = list_.Entries()[entry - 1];
    return shows_ == Shows::Titles ? e.GetTitle() : e.GetDescription();
}

namespace {
// The order QString::compare gives ignoring case, as a plain comparison of
// keys: each UTF-16 unit folded on its own, a low surrogate together with the
// high one before it; among equal starts the shorter comes first.
void appendKey(const QString& text, size_t entry, FavoriteRows::Key& key)
{
    char16_t last = 0;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        char32_t code = unit;
        if (unit < 0x80) // most titles: no look-up in the Unicode tables
            code = unit >= u'A' && unit <= u'Z' ? unit + 0x20u : unit;
        else if (QChar::isLowSurrogate(unit) && QChar::isHighSurrogate(last))
            code = QChar::toCaseFolded(QChar::surrogateToUcs4(last, unit));
        else
            code = QChar::toCaseFolded(code);
        key.push_back(code);
        last = unit;
    }
    char buffer[24];
    for (const char d : digits(entry, buffer))
        key.push_back(static_cast<char32_t>(d));
}
} // namespace

void FavoriteRows::refill()
{
    beginResetModel();
    const size_t n = list_.Entries().size();
    order_.resize(n);
    std::iota(order_.begin(), order_.end(), 0);
    if (shows_ == Shows::Titles) {
        // One buffer for all the keys, kept for the next refill: fresh memory
        // for a long list costs more than its sort.
        size_t size = 0;
        for (size_t e = 0; e < n; ++e)
            size += static_cast<size_t>(text(e + 1).size()) + 10; // and the number
        keys_.clear();
        keys_.reserve(size);
        starts_.resize(n + 1);
        for (size_t e = 0; e < n; ++e) {
            starts_[e] = keys_.size();
            appendKey(text(e + 1), e + 1, keys_);
        }
        starts_[n] = keys_.size();
        // Rows that read the same stay in entry order.
        std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
            const size_t x = static_cast<size_t>(a), y = static_cast<size_t>(b);
            return view(keys_, starts_[x], starts_[x + 1]) <
                   view(keys_, starts_[y], starts_[y + 1]);
        });
    }
    rowOf_.assign(n, 0);
    for (size_t row = 0; row < n; ++row)
        rowOf_[static_cast<size_t>(order_[row])] = static_cast<int>(row);
    endResetModel();
}

void FavoriteRows::addLast()
{
    const size_t n = list_.Entries().size();
    if (n != order_.size() + 1) {
        refill();
        return;
    }
    const int added = static_cast<int>(n - 1);
    auto at = order_.end();
    if (shows_ == Shows::Titles) {
        Key key, other;
        appendKey(text(n), n, key);
        // After the rows that read the same, where a refill would put it.
        at = std::upper_bound(order_.begin(), order_.end(), added, [&](int, int rowEntry) {
            other.clear();
            const size_t e = static_cast<size_t>(rowEntry) + 1;
            appendKey(text(e), e, other);
            return view(key) < view(other);
        });
    }
    const int row = static_cast<int>(at - order_.begin());
    beginInsertRows(QModelIndex(), row, row);
    order_.insert(at, added);
    rowOf_.push_back(0);
    for (size_t r = static_cast<size_t>(row); r < n; ++r)
        rowOf_[static_cast<size_t>(order_[r])] = static_cast<int>(r);
    endInsertRows();
}

std::vector<int> FavoriteRows::widestRows(const QFontMetrics& metrics, int count) const
{
    // The characters' own widths rank the rows without laying out their text.
    // Kerning and fallback fonts put the sums a little off, so the caller
    // measures the leaders; a surrogate counts as the widest character.
    std::vector<int> advance(0x10000, -1);
    auto widthOf = [&](char16_t unit) {
        int& a = advance[unit];
        if (a < 0)
            a = QChar::isSurrogate(unit) ? metrics.maxWidth()
                                         : metrics.horizontalAdvance(QChar(unit));
        return a;
    };
    std::vector<std::pair<int, int>> ranked; // minus the width, then the row
    ranked.reserve(order_.size());
    char buffer[24];
    for (size_t row = 0; row < order_.size(); ++row) {
        const size_t entry = static_cast<size_t>(order_[row]) + 1;
        int width = 0;
        for (const QChar c : text(entry))
            width += widthOf(c.unicode());
        for (const char d : digits(entry, buffer))
            width += widthOf(static_cast<char16_t>(d));
        ranked.emplace_back(-width, static_cast<int>(row));
    }
    const size_t kept = std::min(ranked.size(), static_cast<size_t>(std::max(count, 0)));
    std::partial_sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(kept),
                      ranked.end());
    std::vector<int> rows;
    for (size_t i = 0; i < kept; ++i)
        rows.push_back(ranked[i].second);
    return rows;
}

QSize FavoriteRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const auto* rows = qobject_cast<const FavoriteRows*>(index.model());
    if (!rows)
        return size;
    for (const int row : rows->widestRows(option.fontMetrics, 32)) {
        const QSize hint = QStyledItemDelegate::sizeHint(option, rows->index(row));
        size.setWidth(std::max(size.width(), hint.width()));
    }
    return size;
}
