#pragma once
// An ordered, keyless, 1-based collection, as every interface of the schedule
// model counts its shifts, platoons and day cells.
#include "platform/RuntimeError.h"

#include <vector>

template <class T>
class Collection {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // 1-based; subscript out of range (9) outside 1..Count().
    const T& Item(int i) const
    {
        check(i);
        return items_[static_cast<size_t>(i - 1)];
    }
    T& Item(int i)
    {
        check(i);
        return items_[static_cast<size_t>(i - 1)];
    }
    void Add(T item) { items_.push_back(std::move(item)); }
    void Remove(int i)
    {
        check(i);
        items_.erase(items_.begin() + (i - 1));
    }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    void check(int i) const
    {
        if (i < 1 || i > Count())
            throw Err::make(Err::SubscriptOutOfRange);
    }
    std::vector<T> items_;
};
