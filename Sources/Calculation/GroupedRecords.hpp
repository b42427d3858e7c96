// The records of one calculation, grouped by a name: the first record met under a name stays, later ones
// are folded into it.
#pragma once

#include "UniString.hpp"
#include "Support/Utf8.hpp"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace QRV {

template <typename Record>
class GroupedRecords {
public:
    // Appends `record` under `name`, or, when a record of that exact name is held, calls
    // fold(heldRecord, record) instead. Names are compared byte for byte and held whole, whatever their length.
    template <typename Fold>
    void Merge(const GS::UniString& name, const Record& record, Fold fold)
    {
        if (Record* held = Find(name)) {
            fold(*held, record);
            return;
        }
        Add(name, record);
    }

    // The record held under `name`, or null.
    Record* Find(const GS::UniString& name)
    {
        auto found = indexOf_.find(ToUtf8(name));
        return found == indexOf_.end() ? nullptr : &records_[found->second];
    }

    // Starts the group `name`, which Find has not found.
    void Add(const GS::UniString& name, Record record)
    {
        indexOf_.emplace(ToUtf8(name), records_.size());
        names_.push_back(name);
        records_.push_back(std::move(record));
    }

    // In the order the names were first met.
    const std::vector<Record>& Records() const { return records_; }
    size_t Count() const { return records_.size(); }

    // The records ordered by their names, case-sensitively (byte order).
    std::vector<const Record*> ByName() const
    {
        std::vector<size_t> order(records_.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [this](size_t a, size_t b) { return names_[a] < names_[b]; });
        std::vector<const Record*> sorted;
        for (size_t index : order)
            sorted.push_back(&records_[index]);
        return sorted;
    }

private:
    std::vector<Record> records_;
    std::vector<GS::UniString> names_;
    std::unordered_map<std::string, size_t> indexOf_;
};

}  // namespace QRV
