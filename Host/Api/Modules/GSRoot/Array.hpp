// GS::Array: the host's growable array.
#pragma once

#include "Definitions.hpp"

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

namespace GS {

template <typename T>
class Array {
public:
    Array() = default;
    Array(std::initializer_list<T> items) : items_(items) {}

    void Push(const T& item) { items_.push_back(item); }
    void Push(T&& item) { items_.push_back(std::move(item)); }
    void Insert(UIndex index, const T& item) { items_.insert(items_.begin() + index, item); }
    void Delete(UIndex index) { items_.erase(items_.begin() + index); }
    void Clear() { items_.clear(); }
    void Append(const Array& other) { items_.insert(items_.end(), other.items_.begin(), other.items_.end()); }

    USize GetSize() const { return static_cast<USize>(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }
    bool Contains(const T& item) const { return std::find(items_.begin(), items_.end(), item) != items_.end(); }
    T& operator[](UIndex index) { return items_[index]; }
    const T& operator[](UIndex index) const { return items_[index]; }
    T& GetLast() { return items_.back(); }
    const T& GetLast() const { return items_.back(); }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    const std::vector<T>& AsVector() const { return items_; }

private:
    std::vector<T> items_;
};

}  // namespace GS
