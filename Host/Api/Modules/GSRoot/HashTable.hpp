// GS::HashTable: values by key. This one enumerates in the order the keys were first added (the host
// leaves the order unspecified, so nothing may rely on it).
#pragma once

#include "Definitions.hpp"

#include <utility>
#include <vector>

namespace GS {

template <class Key, class Value>
class HashTable {
    using Entry = std::pair<Key, Value>;
    using Entries = std::vector<Entry>;

    template <class EntryIterator, class Item, bool keys>
    class RangeIterator {
    public:
        explicit RangeIterator(EntryIterator at) : position(at) {}
        Item& operator*() const
        {
            if constexpr (keys)
                return position->first;
            else
                return position->second;
        }
        RangeIterator& operator++()
        {
            ++position;
            return *this;
        }
        bool operator==(const RangeIterator& rightOp) const { return position == rightOp.position; }
        bool operator!=(const RangeIterator& rightOp) const { return position != rightOp.position; }

    private:
        EntryIterator position;
    };

    class KeyRange {
    public:
        explicit KeyRange(const Entries* source) : entries(source) {}
        auto begin() const { return RangeIterator<typename Entries::const_iterator, const Key, true>(entries->begin()); }
        auto end() const { return RangeIterator<typename Entries::const_iterator, const Key, true>(entries->end()); }

    private:
        const Entries* entries;
    };

    class ValueRange {
    public:
        explicit ValueRange(Entries* source) : entries(source) {}
        auto begin() { return RangeIterator<typename Entries::iterator, Value, false>(entries->begin()); }
        auto end() { return RangeIterator<typename Entries::iterator, Value, false>(entries->end()); }
        auto begin() const { return RangeIterator<typename Entries::const_iterator, const Value, false>(entries->cbegin()); }
        auto end() const { return RangeIterator<typename Entries::const_iterator, const Value, false>(entries->cend()); }

    private:
        Entries* entries;
    };

public:
    HashTable() = default;
    HashTable(const HashTable& source) : items(source.items), keyRange(&items), valueRange(&items) {}
    HashTable& operator=(const HashTable& source)
    {
        items = source.items;
        return *this;
    }
    ~HashTable() = default;

    Value& operator[](const Key& key) { return Get(key); }
    const Value& operator[](const Key& key) const { return Get(key); }
    // The key must be present.
    Value& Get(const Key& key) { return *GetPtr(key); }
    const Value& Get(const Key& key) const { return *GetPtr(key); }
    bool Get(const Key& key, Value* value) const
    {
        const Value* found = GetPtr(key);
        if (found != nullptr && value != nullptr)
            *value = *found;
        return found != nullptr;
    }
    Value* GetPtr(const Key& key)
    {
        for (Entry& entry : items)
            if (entry.first == key)
                return &entry.second;
        return nullptr;
    }
    const Value* GetPtr(const Key& key) const { return const_cast<HashTable*>(this)->GetPtr(key); }

    // False, changing nothing, when the key is present already.
    bool Add(const Key& key, const Value& value)
    {
        if (ContainsKey(key))
            return false;
        items.emplace_back(key, value);
        return true;
    }
    // Adds or replaces.
    void Put(const Key& key, const Value& value)
    {
        if (Value* found = GetPtr(key))
            *found = value;
        else
            items.emplace_back(key, value);
    }
    bool Delete(const Key& key)
    {
        for (auto it = items.begin(); it != items.end(); ++it)
            if (it->first == key) {
                items.erase(it);
                return true;
            }
        return false;
    }
    void Clear() { items.clear(); }

    USize GetSize() const { return static_cast<USize>(items.size()); }
    bool IsEmpty() const { return items.empty(); }
    bool ContainsKey(const Key& key) const { return GetPtr(key) != nullptr; }

    template <class Function>
    void EnumerateValues(Function&& processor) const
    {
        for (const Entry& entry : items)
            processor(entry.second);
    }
    template <class Function>
    void Enumerate(Function&& processor) const
    {
        for (const Entry& entry : items)
            processor(entry.first, entry.second);
    }

    const KeyRange& Keys() const { return keyRange; }
    ValueRange& Values() { return valueRange; }
    const ValueRange& Values() const { return valueRange; }

private:
    Entries items;
    KeyRange keyRange{&items};
    ValueRange valueRange{&items};
};

}  // namespace GS
