// Classification systems and their item trees. Items of a system form a tree; siblings keep the order in
// which they were placed (an item may be put before a sibling). Attributes and elements refer to items
// by GUID (AttachedData::classification).
#pragma once

#include "API_Guid.hpp"
#include "Model/GuidHash.hpp"

#include <string>
#include <unordered_map>
#include <vector>

namespace Sim::Model {

struct EditionDate {
    Int32 year = 0;  // all zero: no date
    Int32 month = 0;
    Int32 day = 0;

    // Zero, or a date of the calendar (years 1 to 9999).
    bool IsValid() const;
    bool operator==(const EditionDate& other) const
    {
        return year == other.year && month == other.month && day == other.day;
    }
};

struct ClassificationSystem {
    API_Guid guid{};
    std::string name;  // with editionVersion, unique among systems
    std::string description;
    std::string source;
    std::string editionVersion;
    EditionDate editionDate;

    bool operator==(const ClassificationSystem& other) const;
};

struct ClassificationItem {
    API_Guid guid{};
    API_Guid system{};
    API_Guid parent{};  // null: at the system's root
    std::string id;     // unique within its system, not empty
    std::string name;
    std::string description;

    bool operator==(const ClassificationItem& other) const;
};

class Classifications {
public:
    const std::vector<ClassificationSystem>& Systems() const { return systems_; }
    const ClassificationSystem* FindSystem(const API_Guid& guid) const;
    const ClassificationSystem* FindSystem(const std::string& name, const std::string& editionVersion) const;
    const ClassificationItem* FindItem(const API_Guid& guid) const;
    const ClassificationItem* FindItemById(const API_Guid& system, const std::string& id) const;
    // The items directly under `parent` (null: the system's roots), in order.
    std::vector<ClassificationItem> Children(const API_Guid& system, const API_Guid& parent) const;

    // The caller has checked names, IDs, GUIDs and references.
    ClassificationSystem& AddSystem(ClassificationSystem system);
    // Before `successor` (a sibling), or last when it is null.
    void AddItem(ClassificationItem item, const API_Guid& successor);

    bool ContainsGuid(const API_Guid& guid) const { return FindSystem(guid) != nullptr || FindItem(guid) != nullptr; }

    bool operator==(const Classifications& other) const
    {
        return systems_ == other.systems_ && items_ == other.items_;
    }
    bool operator!=(const Classifications& other) const { return !(*this == other); }

private:
    void Index() const;
    static std::string IdKey(const API_Guid& system, const std::string& id);

    std::vector<ClassificationSystem> systems_;  // in creation order
    std::vector<ClassificationItem> items_;      // siblings in their order
    // Positions in items_ by GUID, by system and ID, and the children of each parent (a system's roots
    // under the system's GUID), so that a tree of forty thousand items is listed, searched and saved in
    // time proportional to its size. An item put before a sibling moves the ones after it: the index is
    // rebuilt at the next look-up; items added last are placed as they come.
    mutable std::unordered_map<API_Guid, size_t, GuidHash> itemsByGuid_;
    mutable std::unordered_map<std::string, size_t> itemsById_;  // IdKey(system, id)
    mutable std::unordered_map<API_Guid, std::vector<size_t>, GuidHash> childrenOf_;
    mutable bool indexed_ = false;
    void Place(size_t position) const;
};

}  // namespace Sim::Model
