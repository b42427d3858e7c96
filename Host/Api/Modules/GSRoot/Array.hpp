// GS::Array: the host's growable array. Indices run from 0; a search that finds nothing answers MaxUIndex.
#pragma once

#include "Definitions.hpp"

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

namespace GS {

template <class Type>
class Array {
public:
    Array() = default;
    // Room for that many items; the array starts empty.
    explicit Array(USize initialCapacity) { items.reserve(initialCapacity); }
    Array(std::initializer_list<Type> source) : items(source) {}
    Array(const Array& source) = default;
    Array(Array&& source) = default;
    Array& operator=(const Array& source) = default;
    Array& operator=(Array&& source) = default;
    virtual ~Array() = default;

    Type& operator[](UIndex idx) { return items[idx]; }
    const Type& operator[](UIndex idx) const { return items[idx]; }
    Type& Get(UIndex idx) { return items[idx]; }
    const Type& Get(UIndex idx) const { return items[idx]; }
    Type& GetFirst() { return items.front(); }
    const Type& GetFirst() const { return items.front(); }
    Type& GetLast() { return items.back(); }
    const Type& GetLast() const { return items.back(); }
    UIndex GetLastIndex() const { return static_cast<UIndex>(items.size()) - 1; }
    void Set(UIndex idx, const Type& item) { items[idx] = item; }
    void Set(UIndex idx, Type&& item) { items[idx] = std::move(item); }

    void Insert(UIndex to, const Type& item) { items.insert(items.begin() + to, item); }
    void Insert(UIndex to, Type&& item) { items.insert(items.begin() + to, std::move(item)); }
    void Append(const Array& source) { items.insert(items.end(), source.items.begin(), source.items.end()); }
    void Append(Array&& source)
    {
        for (Type& item : source.items)
            items.push_back(std::move(item));
        source.items.clear();
    }

    void Delete(UIndex idx) { items.erase(items.begin() + idx); }
    void Delete(UIndex from, USize range) { items.erase(items.begin() + from, items.begin() + from + range); }
    void DeleteLast() { items.pop_back(); }
    UIndex DeleteFirst(const Type& item)
    {
        const UIndex idx = FindFirst(item);
        if (idx != MaxUIndex)
            Delete(idx);
        return idx;
    }
    void DeleteAll(const Type& item)
    {
        std::vector<Type> kept;
        for (Type& candidate : items)
            if (!(candidate == item))
                kept.push_back(std::move(candidate));
        items.swap(kept);
    }
    void DeleteAll(const std::function<bool(const Type&)>& condition)
    {
        std::vector<Type> kept;
        for (Type& candidate : items)
            if (!condition(candidate))
                kept.push_back(std::move(candidate));
        items.swap(kept);
    }

    void Clear(bool keepCapacity = false)
    {
        items.clear();
        if (!keepCapacity)
            items.shrink_to_fit();
    }
    void Swap(Array& rightOp) { items.swap(rightOp.items); }

    void Push(const Type& item) { items.push_back(item); }
    void Push(Type&& item) { items.push_back(std::move(item)); }
    template <class... ItemParameters>
    void PushNew(ItemParameters&&... itemParameters)
    {
        items.emplace_back(std::forward<ItemParameters>(itemParameters)...);
    }
    Type Pop()
    {
        Type item = std::move(items.back());
        items.pop_back();
        return item;
    }

    USize GetSize() const { return static_cast<USize>(items.size()); }
    bool IsEmpty() const { return items.empty(); }
    bool IsLast(UIndex idx) const { return idx + 1 == items.size(); }
    void SetSize(USize newSize) { items.resize(newSize); }

    UIndex FindFirst(const Type& item, UIndex from = 0, USize range = MaxUSize) const
    {
        for (UIndex i = from; i < items.size() && i - from < range; ++i)
            if (items[i] == item)
                return i;
        return MaxUIndex;
    }
    UIndex FindFirst(const std::function<bool(const Type&)>& condition, UIndex from = 0, USize range = MaxUSize) const
    {
        for (UIndex i = from; i < items.size() && i - from < range; ++i)
            if (condition(items[i]))
                return i;
        return MaxUIndex;
    }
    bool Contains(const Type& item) const { return FindFirst(item) != MaxUIndex; }
    bool Contains(const std::function<bool(const Type&)>& condition) const { return FindFirst(condition) != MaxUIndex; }
    USize Count(const Type& item, UIndex from = 0, USize range = MaxUSize) const
    {
        USize count = 0;
        for (UIndex i = from; i < items.size() && i - from < range; ++i)
            if (items[i] == item)
                ++count;
        return count;
    }

    template <class Function>
    void Enumerate(Function&& processor)
    {
        for (Type& item : items)
            processor(item);
    }
    template <class Function>
    void Enumerate(Function&& processor) const
    {
        for (const Type& item : items)
            processor(item);
    }

    Type* BeginFast() { return items.data(); }
    const Type* BeginFast() const { return items.data(); }
    Type* EndFast() { return items.data() + items.size(); }
    const Type* EndFast() const { return items.data() + items.size(); }

    bool operator==(const Array& rightOp) const { return items == rightOp.items; }
    bool operator!=(const Array& rightOp) const { return !(*this == rightOp); }

    USize GetCapacity() const { return static_cast<USize>(items.capacity()); }
    void SetCapacity(USize newCapacity)
    {
        if (newCapacity > items.capacity())
            items.reserve(newCapacity);
    }
    void EnsureCapacity(USize minCapacity) { SetCapacity(minCapacity); }

    Type* GetContent() { return items.data(); }
    const Type* GetContent() const { return items.data(); }

private:
    std::vector<Type> items;
};

template <class Type>
auto begin(Array<Type>& array)
{
    return array.BeginFast();
}

template <class Type>
auto end(Array<Type>& array)
{
    return array.EndFast();
}

template <class Type>
auto begin(const Array<Type>& array)
{
    return array.BeginFast();
}

template <class Type>
auto end(const Array<Type>& array)
{
    return array.EndFast();
}

}  // namespace GS
