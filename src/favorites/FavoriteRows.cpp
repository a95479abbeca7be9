#include "favorites/FavoriteRows.h"

#include "storage/ScheduleList.h"

#include <QFontMetrics>
#include <algorithm>
#include <charconv>
#include <numeric>
#include <string_view>

namespace {
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

// The order QString::compare gives ignoring case, as a plain comparison of
// keys: each UTF-16 unit folded on its own, a low surrogate together with the
// high one before it; among equal starts the shorter comes first.
void FavoriteRows::appendKey(size_t entry)
{
    char16_t last = 0;
    for (const QChar c : text(entry + 1)) {
        const char16_t unit = c.unicode();
        char32_t code = unit;
        if (unit < 0x80) // most titles: no look-up in the Unicode tables
            code = unit >= u'A' && unit <= u'Z' ? unit + 0x20u : unit;
        else if (QChar::isLowSurrogate(unit) && QChar::isHighSurrogate(last))
            code = QChar::toCaseFolded(QChar::surrogateToUcs4(last, unit));
        else
            code = QChar::toCaseFolded(code);
        keys_.push_back(code);
        last = unit;
    }
    starts_.push_back(keys_.size());
}

bool FavoriteRows::before(int a, int b) const
{
    const size_t x = static_cast<size_t>(a), y = static_cast<size_t>(b);
    const std::u32string_view ta(keys_.data() + starts_[x], starts_[x + 1] - starts_[x]);
    const std::u32string_view tb(keys_.data() + starts_[y], starts_[y + 1] - starts_[y]);
    const size_t common = std::min(ta.size(), tb.size());
    if (const int c = ta.substr(0, common).compare(tb.substr(0, common)))
        return c < 0;
    // One title starts the other: the text goes on with the numbers.
    char bufferA[24], bufferB[24];
    const std::string_view na = digits(x + 1, bufferA), nb = digits(y + 1, bufferB);
    const size_t la = ta.size() + na.size(), lb = tb.size() + nb.size();
    for (size_t i = common; i < std::min(la, lb); ++i) {
        const char32_t p = i < ta.size() ? ta[i] : static_cast<char32_t>(na[i - ta.size()]);
        const char32_t q = i < tb.size() ? tb[i] : static_cast<char32_t>(nb[i - tb.size()]);
        if (p != q)
            return p < q;
    }
    // Rows that read the same keep the entries' order.
    return la != lb ? la < lb : a < b;
}

void FavoriteRows::sortRows()
{
    auto before = [this](int a, int b) { return this->before(a, b); };
    // A renumbering seldom changes the order: a check costs less than a sort.
    // The order is total either way; the merge sort keeps its pace where
    // numbered titles sent the quick sort into its slow fallback.
    if (shows_ == Shows::Titles && !std::is_sorted(order_.begin(), order_.end(), before))
        std::stable_sort(order_.begin(), order_.end(), before);
    rowOf_.assign(order_.size(), 0);
    for (size_t row = 0; row < order_.size(); ++row)
        rowOf_[static_cast<size_t>(order_[row])] = static_cast<int>(row);
}

void FavoriteRows::refill()
{
    beginResetModel();
    const size_t n = list_.Entries().size();
    // Room for additions, as in the list itself.
    constexpr size_t Room = 64;
    order_.reserve(n + Room);
    rowOf_.reserve(n + Room);
    order_.resize(n);
    std::iota(order_.begin(), order_.end(), 0);
    keys_.clear();
    starts_.assign(1, 0);
    if (shows_ == Shows::Titles) {
        // One buffer for all the keys, sized once: fresh memory for a long
        // list costs more than its sort.
        size_t size = 0;
        for (size_t e = 1; e <= n; ++e)
            size += static_cast<size_t>(text(e).size());
        keys_.reserve(size + Room * 64);
        starts_.reserve(n + 1 + Room);
        for (size_t e = 0; e < n; ++e)
            appendKey(e);
    }
    sortRows();
    endResetModel();
}

void FavoriteRows::removed(int entry)
{
    const size_t n = list_.Entries().size();
    if (entry < 1 || n + 1 != order_.size()) {
        refill();
        return;
    }
    beginResetModel();
    const size_t e = static_cast<size_t>(entry - 1);
    if (shows_ == Shows::Titles) {
        const size_t from = starts_[e], length = starts_[e + 1] - from;
        keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(from),
                    keys_.begin() + static_cast<std::ptrdiff_t>(from + length));
        starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(e));
        for (size_t i = e; i < starts_.size(); ++i)
            starts_[i] -= length;
    }
    order_.erase(order_.begin() + rowOf_[e]);
    for (int& other : order_)
        if (other > entry - 1)
            --other;
    sortRows();
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
        appendKey(n - 1);
        at = std::upper_bound(order_.begin(), order_.end(), added,
                              [this](int a, int b) { return before(a, b); });
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
